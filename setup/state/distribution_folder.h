// The flat folder that holds the suite's files to install: the folder setup
// runs from.
#pragma once

#include "suite/text/fixed_string.h"

// With its trailing backslash; empty until settled.
extern PathBuffer DistributionFolder;

// Takes `folder` (tests and tools that install from elsewhere), or, when it
// is null, the folder of the running program.
void SetDistributionFolder(const char* folder);
