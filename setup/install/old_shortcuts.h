// Start-menu groups and Startup shortcuts of earlier releases.
#pragma once

void RemoveOldShortcuts();
