// The options dialog: install folder, language, the two options, and the way
// to the selection of tools.
#pragma once

#include <windows.h>

#include "suite/fixed_string.h"

constexpr int OptionsDialogTemplate = 103;

// The dialog while it is open; owner of the selection dialog.
extern HWND optionsWindow;
// The latest text of the install-folder box, whose drive the selection
// dialog reports the free space of.
extern PathBuffer folderText;

// Dialog procedure of template 103; ends with 1 on OK and 2 on Cancel.
INT_PTR CALLBACK OptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the texts of the dialog that follow the current language.
void TranslateOptionsTexts(HWND dialog);
