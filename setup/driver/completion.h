// The end of a run: restarting the tools closed at start, starting the tray tools.
#pragma once

#include "suite/text/fixed_string.h"

// Restarts the tools closed at start from `installDir`; after an install,
// starts the tray tools or says where to begin.
void FinishSetup(int installed, const PathBuffer& installDir);
void StartTrayTools();
