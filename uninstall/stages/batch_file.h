// The batch file that deletes the uninstaller's temporary copies once the
// second stage has ended, and then itself.
#pragma once

#include "suite/text/fixed_string.h"

using BatchText = FixedString<2047>;

// The text for the temporary folder (with its trailing backslash) and the
// batch file's own path; false when it would not fit.
bool BuildBatchText(const char* temp, const char* batch, BatchText& text);

void WriteSelfDeletingBatch();
