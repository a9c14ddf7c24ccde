// Removing the suite's files and folders from the install folder.
#pragma once

void RemoveInstalledFiles(const char* installDir);
