// Test-facing control of the Windows stand-in: the call log, forced results
// and failures, and the state that the fake keeps for the code under test.
#pragma once

#include "WinOpsHost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fake {

typedef std::uintptr_t Word;

struct Call {
    std::string name;
    std::vector<Word> args;
    bool forced; // the result came from a rule, the operation did nothing
};

// Clears the log, the rules and all state; the screen becomes 1024 x 768 of
// the given background colour.
void Reset();

const std::vector<Call>& Calls();
std::vector<std::string> CallNames();
std::vector<Call> CallsTo(const std::string& name);
std::size_t CountCalls(const std::string& name);
// Index in the log of the first call to name at or after `from`, or -1.
long FindCall(const std::string& name, long from = 0);
void ClearCalls();
// Renders the log one call a line, for failure messages.
std::string DescribeCalls();

// The next `times` calls to `name` (after letting `skip` through) return
// `value` and do nothing else. times < 0: every later call.
void ForceResult(const std::string& name, Word value, int times = -1, int skip = 0);
// As ForceResult, with the operation's own failure value.
void FailCall(const std::string& name, int times = -1, int skip = 0);
// The k-th call from now (1-based) to any operation that can fail, fails.
void FailNthCall(long k);
// Calls so far to operations that can fail.
long FallibleCallCount();
// The failure value of an operation, as FailCall uses it.
Word FailureValueOf(const std::string& name);

// Global heap.
struct Block {
    SIZE_T size;
    UINT flags;
    int locks;
    bool ownedBySystem; // handed to the clipboard
    unsigned char* data;
};
const Block* FindBlock(HGLOBAL handle);
std::size_t LiveBlockCount();    // blocks neither freed nor owned by the system
std::size_t InvalidHandleUses(); // frees, locks, sizes of handles that are no blocks
std::vector<HGLOBAL> LiveBlocks();
// Byte that fills blocks allocated without GMEM_ZEROINIT.
const unsigned char kUninitialisedByte = 0xCD;

// Message boxes shown.
struct MessageBoxShown {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
const std::vector<MessageBoxShown>& MessageBoxes();

// Screen.
void SetScreenSize(int width, int height);
void SetScreenBackground(COLORREF colour);
void SetPixelColour(int x, int y, COLORREF colour);
std::size_t LiveDeviceContexts();
COLORREF BackgroundColourOf(HDC dc);

// Windows. A fake window has a class name, text, position, the client
// origin's offset from its top-left corner, and optionally a dialog procedure
// that SendMessageA calls synchronously.
struct WindowState {
    HWND handle;
    std::string className;
    std::string text;
    HWND parent;
    int id;
    HINSTANCE instance;
    DLGPROC procedure;
    RECT rect;
    POINT clientOffset;
    DWORD style;
    bool ended;
    INT_PTR endResult;
    // Static controls repaint when their text changes, asking the parent
    // dialog for colours with WM_CTLCOLORSTATIC: what the last paint got.
    int paints;
    INT_PTR paintBrush;
    COLORREF paintBackground;
};
HWND CreateFakeWindow(const std::string& className, const std::string& text, HWND parent = 0,
                      int id = 0, DLGPROC procedure = 0, HINSTANCE instance = 0);
WindowState* FindWindowState(HWND window);
// The child with that id, without logging a call.
WindowState* FindChild(HWND parent, int id);
struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
const std::vector<PostedMessage>& PostedMessages();
HWND CurrentCapture();
HCURSOR CurrentCursor();
HCURSOR SystemCursor(int id); // what LoadCursorA(NULL, id) gives
const std::vector<INPUT>& InjectedInputs();

// Icons that LoadIconA finds: (instance, id) -> handle.
void AddIconResource(HINSTANCE instance, int id, HICON icon);
HICON ClassIcon(const std::string& className);

// What DialogBoxParamA does between WM_INITDIALOG and its return: the
// callback plays the user, with the dialog's handle; EndDialog ends the loop.
void SetDialogSession(std::function<void(HWND dialog)> session);
struct DialogControl {
    int id;
    std::string className;
    std::string text;
};
// Controls that DialogBoxParamA creates for any template.
void SetDialogControls(const std::vector<DialogControl>& controls);

// Clipboard.
// The next `attempts` OpenClipboard calls fail as if another program held the
// clipboard; attempts < 0: it stays busy.
void SetClipboardBusy(int attempts);
bool ClipboardIsOpen();
std::vector<UINT> ClipboardFormats();
HANDLE ClipboardData(UINT format);
// The CF_TEXT text up to its first NUL, and whether there is any.
bool ClipboardText(std::string* text);
// Places text as if another program had copied it.
void SetClipboardTextFromElsewhere(const std::string& text);

} // namespace fake
