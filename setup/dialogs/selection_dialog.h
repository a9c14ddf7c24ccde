// The selection of tools to install, with the space they need and the space
// free on the install folder's drive.
#pragma once

#include <windows.h>

#include "setup/dialogs/resource_ids.h"
#include "suite/text/fixed_string.h"

// Dialog procedure of template IDD_SELECTION; OK writes the choice into the component
// table, Cancel leaves it. Ends with 0 either way.
INT_PTR CALLBACK SelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The required-space label from the files of the tools selected in the list.
void UpdateRequiredSpace(HWND dialog);

// A byte count in megabytes with two decimals, cut rather than rounded, in
// the user's number format.
void FormatMegabytes(ULONGLONG bytes, FixedString<199>& text);
