// suite/text: the fixed string, paths and command-line switches; no Windows service but character stepping.
//
// Paths, as both programs join, cut and judge them. They are stepped through
// by character: in a double-byte code page (Japanese, 932) the second byte of
// a character may be 0x5C, the backslash, and is never taken for one.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

// Where the last backslash character of `text` starts, or -1 when it has none.
int LastBackslash(const char* text);

// Whether the last character of `text` is a backslash.
bool EndsWithBackslash(const char* text);

// `folder`, exactly one backslash and `name`: "C:" and "C:\" both give "C:\name".
// False, with `path` unchanged, when the result would not fit.
bool JoinPath(PathBuffer& path, const char* folder, const char* name);

// Appends a backslash unless the path already ends with one; false when it
// would not fit.
bool AppendBackslashIfMissing(PathBuffer& path);

// Removes one trailing backslash, if there is one ("C:\" gives "C:").
void RemoveTrailingBackslash(PathBuffer& path);

// Keeps the text before the last backslash ("C:\A\b.exe" gives "C:\A");
// false, with `path` unchanged, when there is no backslash.
bool CutAtLastBackslash(PathBuffer& path);

enum class FolderShape {
    Usable, // a full path below a drive or share: "C:\Vexlo", "\\server\share\Vexlo"
    Root,   // the root of a drive or share: "C:", "C:\", "\\server\share"
    Other,  // relative ("Vexlo", "C:Vexlo"), empty names or names ending in a
            // blank or a dot ("..", "Vexlo "), forward slashes, "\\?\" or
            // "\\.\" prefixes, or too long
};

// What kind of folder an install folder is, with one trailing backslash ignored.
// Only a Usable folder may take the suite: a relative one ends up wherever the
// program happens to run, and at a root the suite's cleanup meets the user's files.
FolderShape ShapeOfFolder(const char* folder);
