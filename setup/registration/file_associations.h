// The suite's two file types: layout files (".pn") and settings files (".vxg").
#pragma once

#include "suite/text/fixed_string.h"

void RegisterLayoutFiles(const PathBuffer& installDir);
void RegisterSettingsFiles(const PathBuffer& installDir);
