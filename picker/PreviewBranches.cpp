#include "PickerBranches.h"

#include "HandleFile.h"
#include "PickerDialog.h"
#include "ScreenColour.h"
#include "resource.h"

void InitialisePicker(HWND dialog) {
    g_dialog = new DrevDialog(dialog);
    if (g_dialog) {
        g_dialog->SetClassIcon(IDI_APP);
        g_dialog->MoveTo(0, 0);
    }
    g_swatch = GetDlgItem(dialog, IDC_SWATCH);
    WriteHandleFile(dialog);
}

void ShowSampleUnderPointer(HWND dialog, LPARAM position) {
    COLORREF colour = SampleScreenColour(dialog, position);
    g_red = GetRValue(colour);
    g_green = GetGValue(colour);
    g_blue = GetBValue(colour);
    DrevString code;
    FormatHexCode(code, colour);
    SetWindowTextA(GetDlgItem(dialog, IDC_HEXCODE), code.buffer ? code.buffer : "");
    // A new text makes the swatch repaint in the colour just stored.
    SetWindowTextA(GetDlgItem(dialog, IDC_SWATCH), "    ");
}

INT_PTR ColourForStatic(HDC context, HWND control) {
    if (control != g_swatch) {
        return 0;
    }
    SetBkColor(context, RGB(g_red, g_green, g_blue));
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}
