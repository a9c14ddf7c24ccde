// The suite's two file types: layout files (".pn") and settings files (".vxg").
#pragma once

void RegisterLayoutFiles();
void RegisterSettingsFiles();
