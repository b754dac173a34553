// Host declarations of the Windows types, constants and operations that the
// project uses, bound to the recording stand-in in this folder. Written from
// what the code needs; values are the documented Windows ones.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::size_t SIZE_T;
typedef DWORD COLORREF;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
// Windows' WCHAR is a UTF-16 unit; the host's wchar_t is 32 bits wide.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef void* HANDLE;
typedef void* HGLOBAL;
typedef void* HGDIOBJ;

struct HWND__;
struct HINSTANCE__;
struct HBRUSH__;
struct HDC__;
struct HICON__;
struct HMENU__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HBRUSH__* HBRUSH;
typedef HDC__* HDC;
typedef HICON__* HICON;
typedef HICON HCURSOR;
typedef HMENU__* HMENU;

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    LONG x;
    LONG y;
};
typedef POINT* LPPOINT;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;

struct MOUSEINPUT {
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct KEYBDINPUT {
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct INPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
    };
};
typedef INPUT* LPINPUT;

#define TRUE 1
#define FALSE 0

#define LOWORD(l) ((WORD)(((ULONG_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((ULONG_PTR)(l)) >> 16) & 0xffff))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)((((DWORD)(WORD)(l)) | (((DWORD)(WORD)(h)) << 16))))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))

#define CLR_INVALID 0xFFFFFFFF

#define HWND_BROADCAST ((HWND)0xffff)
#define GA_PARENT 1

#define WM_NULL 0x0000
#define WM_CLOSE 0x0010
#define WM_SETTEXT 0x000C
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_USER 0x0400

#define IDOK 1
#define IDCANCEL 2

#define MB_OK 0x00000000

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040

#define CF_TEXT 1

#define WHITE_BRUSH 0
#define NULL_BRUSH 5

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004

#define GCLP_HICON (-14)
#define GWLP_HINSTANCE (-6)
#define GWL_STYLE (-16)

#define WS_CHILD 0x40000000L
#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L

#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1
#define MOUSEEVENTF_LEFTDOWN 0x0002

#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)

// kernel32: global heap
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);

// kernel32: ANSI strings
int lstrlenA(LPCSTR text);
LPSTR lstrcpyA(LPSTR destination, LPCSTR source);
int lstrcmpA(LPCSTR first, LPCSTR second);

// kernel32: time
void Sleep(DWORD milliseconds);

// user32: text
int wvsprintfA(LPSTR output, LPCSTR format, va_list arguments);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// user32: dialogs and windows
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
HWND GetDlgItem(HWND dialog, int id);
HWND GetDesktopWindow();
BOOL SetWindowTextA(HWND window, LPCSTR text);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND window, LPRECT rect);
ULONG_PTR SetClassLongPointer(HWND window, int index, LONG_PTR value);
ULONG_PTR GetClassLongPointer(HWND window, int index);
LONG_PTR GetWindowLongPointer(HWND window, int index);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
HWND GetAncestor(HWND window, UINT flags);
int GetClassNameW(HWND window, LPWSTR name, int size);
int GetWindowTextW(HWND window, LPWSTR text, int size);

// user32: messages
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// user32: pointer
BOOL ClientToScreen(HWND window, LPPOINT point);
UINT SendInput(UINT count, LPINPUT inputs, int size);
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// user32: clipboard
BOOL OpenClipboard(HWND owner);
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
BOOL CloseClipboard();

// gdi32
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const void* mode);
BOOL DeleteDC(HDC dc);
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetBkColor(HDC dc, COLORREF colour);
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
