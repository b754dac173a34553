// The picker's dialog: live preview, picking, and the clipboard result.
#pragma once

#include "DrevWindow.h"
#include "WinOps.h"

// Sent by the picker to its own dialog to delete the dialog object.
const UINT WM_PICKER_DISPOSE = WM_USER + 501;

extern DrevDialog* g_dialog;
extern HWND g_swatch;
extern int g_red;
extern int g_green;
extern int g_blue;

INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
