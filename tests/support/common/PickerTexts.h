// What the tests know of the picker from outside: its dialog's caption, and
// its controls' ids from the picker's own resource header.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "WinOps.h"
#endif

#include "../../../picker/resource.h"

// "スポイト" in UTF-16, as the dialog holds it.
const WCHAR kPickerCaption[] = {0x30B9, 0x30DD, 0x30A4, 0x30C8, 0};
// The same in UTF-8, as the host stand-in keeps window texts.
const char kPickerCaptionUtf8[] = "\xE3\x82\xB9\xE3\x83\x9D\xE3\x82\xA4\xE3\x83\x88";
