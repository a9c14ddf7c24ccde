#include "uninstall/removal/removal_walk.h"

#include <windows.h>

#include "suite/run/run_log.h"
#include "suite/system/delete_with_retry.h"
#include "suite/system/folder_walk.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

bool PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

RemovalWalk::RemovalWalk(RemovalMode mode, Leftovers& leftovers) : mode_(mode), leftovers_(leftovers)
{
    own_.take();
}

void RemovalWalk::leaveForRestart(const char* path)
{
    if (!silent() || !PathExists(path) || isOwn(path))
        return;
    if (MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        ++leftovers_.scheduled;
        LogLine("scheduled %s for deletion at the next restart", path);
    } else {
        ++leftovers_.failed;
        LogLine("could neither delete %s nor schedule it (error %lu)", path, GetLastError());
    }
}

// The shell hears of the folders at the end.
void RemovalWalk::deleteFromFolder(const char* folder, const char* name)
{
    PathBuffer path;
    if (!JoinPath(path, folder, name))
        return;
    if (isOwn(path.c_str()))
        LogLine("kept %s: this run works from it or logs to it", path.c_str());
    else if (!DeleteWithRetry(path.c_str(), IfMissing::Attempt, ShellNotice::None))
        leaveForRestart(path.c_str());
}

void RemovalWalk::removeFolderWhole(const char* folder)
{
    bool wasThere = PathExists(folder);
    VxRemoveFolder(folder, 1);
    bool stays = PathExists(folder);
    if (wasThere)
        LogLine("%s %s", stays ? "could not remove" : "removed", folder);
    if (!silent() || !stays)
        return;
    PathBuffer pattern;
    if (JoinPath(pattern, folder, "*.*"))
        ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
            PathBuffer file;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && JoinPath(file, folder, found.cFileName))
                leaveForRestart(file.c_str());
        });
    leaveForRestart(folder);
}

void RemovalWalk::emptyFolderAround(const char* folder)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, folder, "*.*"))
        return;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        PathBuffer path;
        if (lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0 ||
            !JoinPath(path, folder, found.cFileName))
            return;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            deleteFromFolder(folder, found.cFileName);
        else if (isOwn(path.c_str()))
            emptyFolderAround(path.c_str());
        else
            removeFolderWhole(path.c_str());
    });
}
