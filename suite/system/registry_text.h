// suite/system: one Windows job each: registry text, temporary folder, retrying delete, folder walks, shell folders.
//
// Registry text read directly, not through the runtime library.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

enum class RegistryText {
    Read,       // the value is in `text`
    Absent,     // no such key or value
    DoesNotFit, // longer than a path buffer holds: `text` is left empty, never cut
};

// A string value read directly (not through the runtime library). `type`, when
// given, receives the value's type, since an expandable string must stay one.
// A key that cannot be opened with `access` counts as absent.
RegistryText ReadRegistryText(HKEY root, const char* key, const char* value, PathBuffer& text,
                              DWORD* type = nullptr, REGSAM access = KEY_QUERY_VALUE);
