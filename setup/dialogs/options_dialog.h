// The options dialog: install folder, language, the two options, and the way
// to the selection of tools.
#pragma once

#include <windows.h>

#include "setup/dialogs/resource_ids.h"
#include "suite/text/fixed_string.h"

// The dialog while it is open; owner of the selection dialog.
extern HWND optionsWindow;
// The latest text of the install-folder box, whose drive the selection
// dialog reports the free space of.
extern PathBuffer folderText;

// Dialog procedure of template IDD_OPTIONS; ends with IDOK (1) or IDCANCEL (2).
INT_PTR CALLBACK OptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the texts of the dialog that follow the current language.
void TranslateOptionsTexts(HWND dialog);
