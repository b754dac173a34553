// Fuzzes the closer's whole path on the host: the input is the handle file's
// content; the line read and its conversion are checked against the
// reference model, and the run against the stand-in must post WM_CLOSE
// exactly when the converted handle is the picker's dialog.
#include "CloserRun.h"
#include "HandleLine.h"
#include "HandleText.h"
#include "ReferenceModel.h"

#include "Fake.h"
#include "PickerTexts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

char g_directory[] = "/tmp/closer-fuzz-XXXXXX";

void RemoveDirectory() {
    std::remove(kHandleFileName);
    if (chdir("/") == 0) {
        rmdir(g_directory);
    }
}

[[noreturn]] void Mismatch(const char* what, const std::string& text, unsigned long long expected,
                           unsigned long long got) {
    std::fprintf(stderr, "closer fuzz: %s: expected %llu, got %llu; text (%zu bytes):", what,
                 expected, got, text.size());
    for (unsigned char c : text) {
        std::fprintf(stderr, " %02X", c);
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

std::uint32_t ValueOf(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!mkdtemp(g_directory) || chdir(g_directory) != 0) {
        std::perror("closer fuzz: scratch directory");
        std::abort();
    }
    std::atexit(RemoveDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);

    // The conversion alone, over the whole input as a C string.
    const std::string whole = content.substr(0, std::strlen(content.c_str()));
    std::uint32_t wholeExpected = reference::Convert(whole);
    std::uint32_t wholeGot = ConvertHandleText(whole.c_str());
    if (wholeGot != wholeExpected) {
        Mismatch("conversion", whole, wholeExpected, wholeGot);
    }

    std::FILE* file = std::fopen(kHandleFileName, "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror("closer fuzz: writing the handle file");
        std::abort();
    }

    // The read and the conversion of its line.
    const std::string line = reference::FirstLine(data, size);
    const std::uint32_t expected = reference::Convert(line);
    char buffer[kHandleLineSize];
    std::memset(buffer, 0x5A, sizeof buffer);
    if (!ReadFirstLine(kHandleFileName, buffer)) {
        Mismatch("the file did not open", line, 1, 0);
    }
    if (!std::memchr(buffer, '\0', sizeof buffer) || line != buffer) {
        Mismatch("line read", line, line.size(),
                 std::memchr(buffer, '\0', sizeof buffer) ? std::strlen(buffer) : sizeof buffer);
    }
    if (ConvertHandleText(buffer) != expected) {
        Mismatch("line conversion", line, expected, ConvertHandleText(buffer));
    }

    // The whole run among windows that must not be closed and one that must.
    fake::Reset();
    // The picker's dialog comes first, so that the seeds in corpus/ name it.
    HWND picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
    HWND other = fake::CreateFakeWindow("#32770", "Find");
    fake::CreateFakeWindow("#32770", kPickerCaptionUtf8, other, 4);
    fake::CreateFakeWindow("Button", kPickerCaptionUtf8);
    HWND gone = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
    DestroyWindow(gone);
    fake::ClearCalls();
    int exitCode = RunCloser();
    if (exitCode != 0) {
        Mismatch("exit code", line, 0, static_cast<unsigned long long>(exitCode));
    }
    const bool closes = expected == ValueOf(picker);
    const std::vector<fake::PostedMessage>& posts = fake::PostedMessages();
    if (posts.size() != (closes ? 1u : 0u) || fake::CountCalls("PostMessageA") != posts.size()) {
        Mismatch("posts", line, closes ? 1 : 0, posts.size());
    }
    if (closes && (posts[0].window != picker || posts[0].message != WM_CLOSE ||
                   posts[0].wParam != 0 || posts[0].lParam != 0)) {
        Mismatch("post to the picker", line, ValueOf(picker), ValueOf(posts[0].window));
    }
    return 0;
}
