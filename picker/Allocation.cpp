// The picker's allocation functions, over the C runtime's heap. They return
// null on failure instead of throwing (the picker is built without
// exceptions and checks the one object it allocates), and keep the exception
// machinery of the standard library out of the program.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size) {
    return std::malloc(size ? size : 1);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
