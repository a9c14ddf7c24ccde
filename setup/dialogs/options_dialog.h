// The options dialog: install folder, language, the two options.
#pragma once

#include <windows.h>

constexpr int OptionsDialogTemplate = 103;

// Dialog procedure of template 103; ends with 1 on OK and 2 on Cancel.
INT_PTR CALLBACK OptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
