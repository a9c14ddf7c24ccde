// Start-menu groups and Startup shortcuts of earlier releases.
#pragma once

// For all users, the common Start menu's groups go too.
void RemoveOldShortcuts(bool forAllUsers = false);
