// Resource identifiers shared by the resource script and the picker's code.
// Only #define lines, so that the resource compiler can read it too.
#ifndef PICKER_RESOURCE_H
#define PICKER_RESOURCE_H

#define IDD_PICKER 1
#define IDI_APP 1

// The Start button is IDOK; no control uses IDCANCEL, so Esc and every close
// request reach the dialog as the cancel command.
#define IDC_HEXCODE 3
#define IDC_SWATCH 4

#endif
