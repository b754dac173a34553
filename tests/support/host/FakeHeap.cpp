// The global heap: real blocks with their sizes, flags and contents, so that
// leaks, double frees and use of freed handles show.
#include "FakeInternal.h"

#include <cstdlib>
#include <cstring>

using fake::detail::S;

namespace fake {
namespace detail {

void ReleaseHeap() {
    for (auto& entry : S().blocks) {
        std::free(entry.second.data);
    }
    S().blocks.clear();
}

// A block the system holds now (clipboard data) may be freed by the system only.
void FreeBlockAsSystem(HGLOBAL handle) {
    auto found = S().blocks.find(handle);
    if (found != S().blocks.end()) {
        std::free(found->second.data);
        S().blocks.erase(found);
    }
}

void HandBlockToSystem(HGLOBAL handle) {
    auto found = S().blocks.find(handle);
    if (found != S().blocks.end()) {
        found->second.ownedBySystem = true;
    }
}

} // namespace detail

namespace {

Block* FindUsable(HGLOBAL handle) {
    auto found = S().blocks.find(handle);
    if (found == S().blocks.end() || found->second.ownedBySystem) {
        ++S().invalidHandleUses;
        return 0;
    }
    return &found->second;
}

} // namespace

const Block* FindBlock(HGLOBAL handle) {
    auto found = S().blocks.find(handle);
    return found == S().blocks.end() ? 0 : &found->second;
}

std::size_t LiveBlockCount() {
    return LiveBlocks().size();
}

std::vector<HGLOBAL> LiveBlocks() {
    std::vector<HGLOBAL> live;
    for (const auto& entry : S().blocks) {
        if (!entry.second.ownedBySystem) {
            live.push_back(entry.first);
        }
    }
    return live;
}

std::size_t InvalidHandleUses() {
    return S().invalidHandleUses;
}

} // namespace fake

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    FAKE_ENTER(HGLOBAL, flags, bytes);
    // Exactly the size asked for, so that AddressSanitizer sees any overrun.
    unsigned char* data = static_cast<unsigned char*>(std::malloc(bytes ? bytes : 1));
    if (!data) {
        return 0;
    }
    std::memset(data, (flags & GMEM_ZEROINIT) ? 0 : fake::kUninitialisedByte, bytes);
    HGLOBAL handle = data;
    if (flags & GMEM_MOVEABLE) {
        handle = reinterpret_cast<HGLOBAL>(S().nextMoveableHandle);
        S().nextMoveableHandle += 8;
    }
    S().blocks[handle] = fake::Block{bytes, flags, 0, false, data};
    return handle;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    FAKE_ENTER(HGLOBAL, block);
    if (!fake::FindUsable(block)) {
        return block;
    }
    fake::detail::FreeBlockAsSystem(block);
    return 0;
}

SIZE_T GlobalSize(HGLOBAL block) {
    FAKE_ENTER(SIZE_T, block);
    fake::Block* found = fake::FindUsable(block);
    return found ? found->size : 0;
}

LPVOID GlobalLock(HGLOBAL block) {
    FAKE_ENTER(LPVOID, block);
    fake::Block* found = fake::FindUsable(block);
    if (!found) {
        return 0;
    }
    if (found->flags & GMEM_MOVEABLE) {
        ++found->locks;
    }
    return found->data;
}

BOOL GlobalUnlock(HGLOBAL block) {
    FAKE_ENTER(BOOL, block);
    fake::Block* found = fake::FindUsable(block);
    if (!found || found->locks == 0) {
        return FALSE;
    }
    --found->locks;
    return found->locks > 0;
}
