// Walking the entries of a folder that match a search pattern.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

// Calls visit(const WIN32_FIND_DATAA&) for every entry that FindFirstFileA
// and FindNextFileA report for `pattern` ("C:\Folder\*.*"), "." and ".."
// included; the search is closed afterwards.
template <typename Visit>
void ForEachEntry(const char* pattern, Visit visit)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        visit(found);
    while (FindNextFileA(search, &found));
    FindClose(search);
}

// Whether `name` contains any of the `count` parts (case-sensitive).
inline bool ContainsAny(const char* name, const char* const* parts, int count)
{
    for (int i = 0; i < count; ++i)
        if (parts[i] && TextContains(name, parts[i]))
            return true;
    return false;
}
