// Windows, dialogs, messages, icons, capture, cursor and injected input.
#include "FakeInternal.h"

using fake::detail::S;

namespace fake {

namespace {

const int kFirstSystemIcon = 32512;
const int kLastSystemIcon = 32517;
const int kFirstSystemCursor = 32512;
const int kLastSystemCursor = 32651;
const std::uintptr_t kSystemIconBase = 0x1C000;
const std::uintptr_t kSystemCursorBase = 0x2C000;
const HWND kBroadcast = reinterpret_cast<HWND>(0xFFFF);

bool IsResourceId(LPCSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

void DestroyWithChildren(HWND window) {
    std::vector<HWND> children;
    for (const auto& entry : S().windows) {
        if (entry.second.parent == window) {
            children.push_back(entry.first);
        }
    }
    for (HWND child : children) {
        DestroyWithChildren(child);
    }
    S().windows.erase(window);
    if (S().capture == window) {
        S().capture = 0;
    }
}

// A static control asks its parent dialog for colours as it paints; its
// context starts each paint with the default white background.
void RepaintStatic(WindowState& control) {
    WindowState* parent = FindWindowState(control.parent);
    if (control.className != "Static" || !parent || !parent->procedure) {
        return;
    }
    HDC context = reinterpret_cast<HDC>(0xAC000 + reinterpret_cast<std::uintptr_t>(control.handle));
    S().otherContexts[context] = 0xFFFFFF;
    HWND handle = control.handle;
    INT_PTR brush =
        parent->procedure(parent->handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                          reinterpret_cast<LPARAM>(handle));
    WindowState* painted = FindWindowState(handle);
    if (painted) {
        ++painted->paints;
        painted->paintBrush = brush;
        painted->paintBackground = BackgroundColourOf(context);
    }
}

} // namespace

HWND CreateFakeWindow(const std::string& className, const std::string& text, HWND parent, int id,
                      DLGPROC procedure, HINSTANCE instance) {
    HWND handle = reinterpret_cast<HWND>(S().nextWindow);
    S().nextWindow += 2;
    WindowState state = {};
    state.handle = handle;
    state.className = className;
    state.text = text;
    state.parent = parent;
    state.id = id;
    state.instance = instance;
    state.procedure = procedure;
    state.rect = RECT{100, 100, 200, 180};
    state.clientOffset = POINT{3, 22};
    state.style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
    S().windows[handle] = state;
    return handle;
}

WindowState* FindWindowState(HWND window) {
    auto found = S().windows.find(window);
    return found == S().windows.end() ? 0 : &found->second;
}

WindowState* FindChild(HWND parent, int id) {
    for (auto& entry : S().windows) {
        if (parent && entry.second.parent == parent && entry.second.id == id) {
            return &entry.second;
        }
    }
    return 0;
}

const std::vector<PostedMessage>& PostedMessages() {
    return S().posted;
}
HWND CurrentCapture() {
    return S().capture;
}
HCURSOR CurrentCursor() {
    return S().cursor;
}
HCURSOR SystemCursor(int id) {
    return reinterpret_cast<HCURSOR>(kSystemCursorBase + id);
}
const std::vector<INPUT>& InjectedInputs() {
    return S().injected;
}

void AddIconResource(HINSTANCE instance, int id, HICON icon) {
    S().iconResources[std::make_pair(instance, id)] = icon;
}

HICON ClassIcon(const std::string& className) {
    auto found = S().classIcons.find(className);
    return found == S().classIcons.end() ? 0 : found->second;
}

void SetDialogSession(std::function<void(HWND dialog)> session) {
    S().dialogSession = session;
}

void SetDialogControls(const std::vector<DialogControl>& controls) {
    S().dialogControls = controls;
}

} // namespace fake

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM initParam) {
    FAKE_ENTER(INT_PTR, instance, templateName, owner, procedure, initParam);
    HWND dialog = fake::CreateFakeWindow("#32770", "", 0, 0, procedure, instance);
    for (const fake::DialogControl& control : S().dialogControls) {
        fake::CreateFakeWindow(control.className, control.text, dialog, control.id, 0, instance);
    }
    procedure(dialog, WM_INITDIALOG, 0, initParam);
    if (S().dialogSession) {
        S().dialogSession(dialog);
    }
    fake::WindowState* state = fake::FindWindowState(dialog);
    INT_PTR result = state && state->ended ? state->endResult : 0;
    fake::DestroyWithChildren(dialog);
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    FAKE_ENTER(BOOL, dialog, result);
    fake::WindowState* state = fake::FindWindowState(dialog);
    if (!state) {
        return FALSE;
    }
    state->ended = true;
    state->endResult = result;
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    FAKE_ENTER(HWND, dialog, id);
    fake::WindowState* child = fake::FindChild(dialog, id);
    return child ? child->handle : 0;
}

HWND GetDesktopWindow() {
    FAKE_ENTER(HWND);
    if (!S().desktop) {
        S().desktop = fake::CreateFakeWindow("#32769", "", 0);
    }
    return S().desktop;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    FAKE_ENTER(BOOL, window, text);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state) {
        return FALSE;
    }
    state->text = text ? text : "";
    fake::RepaintStatic(*state);
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    FAKE_ENTER(BOOL, window, insertAfter, x, y, cx, cy, flags);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state) {
        return FALSE;
    }
    RECT& rect = state->rect;
    LONG width = rect.right - rect.left;
    LONG height = rect.bottom - rect.top;
    if (!(flags & SWP_NOSIZE)) {
        width = cx;
        height = cy;
    }
    if (!(flags & SWP_NOMOVE)) {
        rect.left = x;
        rect.top = y;
    }
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    FAKE_ENTER(BOOL, window, rect);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || !rect) {
        return FALSE;
    }
    *rect = state->rect;
    return TRUE;
}

ULONG_PTR SetClassLongPointer(HWND window, int index, LONG_PTR value) {
    FAKE_ENTER(ULONG_PTR, window, index, value);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || index != GCLP_HICON) {
        return 0;
    }
    HICON& icon = S().classIcons[state->className];
    ULONG_PTR previous = reinterpret_cast<ULONG_PTR>(icon);
    icon = reinterpret_cast<HICON>(value);
    return previous;
}

ULONG_PTR GetClassLongPointer(HWND window, int index) {
    FAKE_ENTER(ULONG_PTR, window, index);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || index != GCLP_HICON) {
        return 0;
    }
    return reinterpret_cast<ULONG_PTR>(fake::ClassIcon(state->className));
}

LONG_PTR GetWindowLongPointer(HWND window, int index) {
    FAKE_ENTER(LONG_PTR, window, index);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state) {
        return 0;
    }
    if (index == GWLP_HINSTANCE) {
        return reinterpret_cast<LONG_PTR>(state->instance);
    }
    if (index == GWL_STYLE) {
        return static_cast<LONG>(state->style);
    }
    return 0;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    FAKE_ENTER(HICON, instance, name);
    if (!fake::IsResourceId(name)) {
        return 0;
    }
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (!instance && id >= fake::kFirstSystemIcon && id <= fake::kLastSystemIcon) {
        return reinterpret_cast<HICON>(fake::kSystemIconBase + id);
    }
    auto found = S().iconResources.find(std::make_pair(instance, id));
    return found == S().iconResources.end() ? 0 : found->second;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    FAKE_ENTER(HWND, exStyle, className, windowName, style, x, y, width, height, parent, menu,
               instance, param);
    if (!className || fake::IsResourceId(className)) {
        return 0;
    }
    if (parent && !fake::FindWindowState(parent)) {
        return 0;
    }
    HWND window = fake::CreateFakeWindow(
        className, windowName ? windowName : "", (style & WS_CHILD) ? parent : 0,
        (style & WS_CHILD) ? static_cast<int>(reinterpret_cast<std::intptr_t>(menu)) : 0, 0,
        instance);
    fake::WindowState* state = fake::FindWindowState(window);
    state->rect = RECT{x, y, x + width, y + height};
    state->style = style;
    return window;
}

BOOL DestroyWindow(HWND window) {
    FAKE_ENTER(BOOL, window);
    if (!fake::FindWindowState(window)) {
        return FALSE;
    }
    fake::DestroyWithChildren(window);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    FAKE_ENTER(BOOL, window);
    return fake::FindWindowState(window) != 0;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FAKE_ENTER(LRESULT, window, message, wParam, lParam);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || !state->procedure) {
        return 0;
    }
    DLGPROC procedure = state->procedure;
    return procedure(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FAKE_ENTER(BOOL, window, message, wParam, lParam);
    if (window && window != fake::kBroadcast && !fake::FindWindowState(window)) {
        return FALSE;
    }
    S().posted.push_back(fake::PostedMessage{window, message, wParam, lParam});
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
    FAKE_ENTER(BOOL, window, point);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || !point) {
        return FALSE;
    }
    point->x += state->rect.left + state->clientOffset.x;
    point->y += state->rect.top + state->clientOffset.y;
    return TRUE;
}

UINT SendInput(UINT count, LPINPUT inputs, int size) {
    FAKE_ENTER(UINT, count, inputs, size);
    if (size != static_cast<int>(sizeof(INPUT)) || !inputs) {
        return 0;
    }
    for (UINT i = 0; i < count; ++i) {
        S().injected.push_back(inputs[i]);
    }
    return count;
}

HWND SetCapture(HWND window) {
    FAKE_ENTER(HWND, window);
    HWND previous = S().capture;
    S().capture = fake::FindWindowState(window) ? window : 0;
    return previous;
}

BOOL ReleaseCapture() {
    FAKE_ENTER(BOOL);
    S().capture = 0;
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    FAKE_ENTER(HCURSOR, cursor);
    HCURSOR previous = S().cursor;
    S().cursor = cursor;
    return previous;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    FAKE_ENTER(HCURSOR, instance, name);
    if (instance || !fake::IsResourceId(name)) {
        return 0;
    }
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (id < fake::kFirstSystemCursor || id > fake::kLastSystemCursor) {
        return 0;
    }
    return fake::SystemCursor(id);
}
