// All-users mode: an install that every user of the PC sees, for management
// tools that run installers as the system account, where nothing per-user
// would ever reach a user.
#pragma once

// Whether the process runs as the system account (its token's user is
// S-1-5-18). A token that cannot be read counts as no system account.
bool RunsAsSystemAccount();

// The system account, or "/allusers" (in any letter case) on `commandLine`.
bool AllUsersMode(const char* commandLine);
