#include "suite/text/path_text.h"

int LastBackslash(const char* text)
{
    int last = -1;
    for (const char* c = text; *c; c = CharNextA(c))
        if (*c == '\\')
            last = static_cast<int>(c - text);
    return last;
}

bool EndsWithBackslash(const char* text)
{
    int last = LastBackslash(text);
    return last >= 0 && text[last + 1] == 0;
}

bool AppendBackslashIfMissing(PathBuffer& path)
{
    return EndsWithBackslash(path.c_str()) || path.append('\\');
}

bool JoinPath(PathBuffer& path, const char* folder, const char* name)
{
    PathBuffer joined;
    if (!joined.assign(folder) || !AppendBackslashIfMissing(joined) || !joined.append(name))
        return false;
    path = joined;
    return true;
}

void RemoveTrailingBackslash(PathBuffer& path)
{
    if (EndsWithBackslash(path.c_str()))
        path.truncate(path.length() - 1);
}

bool CutAtLastBackslash(PathBuffer& path)
{
    int last = LastBackslash(path.c_str());
    if (last < 0)
        return false;
    path.truncate(static_cast<unsigned>(last));
    return true;
}

FolderShape ShapeOfFolder(const char* folder)
{
    PathBuffer path;
    if (!path.assign(folder))
        return FolderShape::Other;
    RemoveTrailingBackslash(path);
    const char* text = path.c_str();
    // The markers are ASCII below 0x40, which no double-byte character's
    // second byte can be, so they are safe to look for byte by byte.
    for (const char* c = text; *c; ++c)
        if (*c == '/')
            return FolderShape::Other;
    const char* segments;
    int rootSegments; // the server and the share of "\\server\share"
    char drive = static_cast<char>(text[0] | 0x20);
    if (drive >= 'a' && drive <= 'z' && text[1] == ':') {
        if (!text[2])
            return FolderShape::Root;
        if (text[2] != '\\')
            return FolderShape::Other;
        segments = text + 3;
        rootSegments = 0;
    } else if (text[0] == '\\' && text[1] == '\\' && text[2] != '?' && text[2] != '.') {
        segments = text + 2;
        rootSegments = 2;
    } else {
        return FolderShape::Other;
    }

    int count = 0;
    for (const char* start = segments;;) {
        const char* end = start;
        while (*end && *end != '\\')
            end = CharNextA(end);
        // Windows drops a name's trailing blanks and dots, so such a name
        // (".." too) leads somewhere else than it says.
        char last = end > start ? *CharPrevA(start, end) : 0;
        if (last == 0 || last == ' ' || last == '.')
            return FolderShape::Other;
        ++count;
        if (!*end)
            break;
        start = end + 1;
    }
    if (count < rootSegments)
        return FolderShape::Other;
    return count == rootSegments ? FolderShape::Root : FolderShape::Usable;
}
