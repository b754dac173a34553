// The branches of the dialog procedure, one per message it handles.
#pragma once

#include "WinOps.h"

// Dialog initialisation and the live preview.
void InitialisePicker(HWND dialog);
void ShowSampleUnderPointer(HWND dialog, LPARAM position);
INT_PTR ColourForStatic(HDC context, HWND control);

// Picking and the ends of the dialog.
void StartPicking(HWND dialog);
void CancelPicking(HWND dialog, WORD command);
void EndOnLeftRelease(HWND dialog, WORD keys);
void PickUnderPointer(HWND dialog, WORD keys, LPARAM position);
void DisposeDialogObject();
