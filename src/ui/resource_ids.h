// Identifiers of the resources linked into Velquin.exe (shared with the .rc).
#pragma once

#define IDI_VELQUIN 1
#define IDR_LOGO_PNG 101
#define IDR_MARK_FILE_PNG 102
#define IDR_MARK_TEXT_PNG 103
// The same artwork at four times its size, drawn down to the display scale.
#define IDR_LOGO_4X_PNG 104
#define IDR_MARK_FILE_4X_PNG 105
#define IDR_MARK_TEXT_4X_PNG 106
