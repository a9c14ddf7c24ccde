// What the suite records for each user: the scheduling tool's note, the
// layout tool's sound events and autosave folder, and where two tools find
// their programs. setup writes them for the user who installs; after an
// install for all users, vexlo-user.exe writes the same for each user at
// that user's logon.
#pragma once

#include "suite/text/fixed_string.h"

enum class UserValue {
    SchedulerNote,
    SoundEvents,
    AutosaveFolder,
    AmbroOptions,
    BrollaPath,
};

// In the order setup's registration writes them among its other entries.
constexpr UserValue UserValues[] = {UserValue::SchedulerNote, UserValue::SoundEvents, UserValue::AutosaveFolder,
                                    UserValue::AmbroOptions, UserValue::BrollaPath};

// Writes one of them under HKEY_CURRENT_USER for the suite in `installDir`
// (no trailing backslash).
void WriteUserValue(UserValue value, const PathBuffer& installDir);
