// Files of earlier releases that the current one no longer ships.
#pragma once

// Deletes them from `installDir` (no trailing backslash).
void RemoveObsoleteFiles(const char* installDir);
