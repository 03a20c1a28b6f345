// Identifiers of the resources linked into Velquin.exe (shared with the .rc).
#pragma once

#define IDI_VELQUIN 1
#define IDR_LOGO_PNG 101
#define IDR_MARK_FILE_PNG 102
#define IDR_MARK_TEXT_PNG 103
