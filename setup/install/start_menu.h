// The suite's Start-menu group.
#pragma once

// In the user's Start menu, opened in a folder window while it is filled; for
// all users in the common Start menu, with no window: nobody's desktop is ours.
void CreateStartMenuEntries(bool forAllUsers = false);
