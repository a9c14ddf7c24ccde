// The temporary folder, as both programs use it.
#pragma once

#include "suite/text/fixed_string.h"

// The temporary folder as Windows gives it, with its trailing backslash;
// false, and `folder` empty, when there is none or it does not fit.
bool TempFolderPath(PathBuffer& folder);
