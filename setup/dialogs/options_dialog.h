// The options dialog: install folder, language, the two options, and the way
// to the selection of tools.
#pragma once

#include <windows.h>

#include "setup/dialogs/resource_ids.h"
#include "setup/state/install_context.h"

// Dialog procedure of template IDD_OPTIONS; ends with IDOK (1) or IDCANCEL (2).
INT_PTR CALLBACK OptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the texts of the dialog that follow the current language.
void TranslateOptionsTexts(HWND dialog);
