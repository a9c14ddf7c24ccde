#include "suite/system/delete_with_retry.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/text/path_text.h"

bool DeleteWithRetry(const char* path, IfMissing ifMissing, ShellNotice notice, const Retries& retries)
{
    int made = 0;
    bool gone = false;
    bool wasThere = true;
    if (ifMissing == IfMissing::NothingToDo && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return true;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        ++made;
        if (DeleteFileA(path)) {
            gone = true;
            break;
        }
        error = GetLastError();
        // A name in a folder that is not there is as gone as a missing file.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            gone = true;
            wasThere = false;
            break;
        }
        if (made == retries.attempts)
            break;
        Platform.sleep(retries.pause);
    }
    if (!gone)
        LogLine("could not delete %s (attempts: %d, error %lu)", path, made, error);
    else if (wasThere)
        LogLine("deleted %s (attempts: %d)", path, made);
    if (notice == ShellNotice::Delete)
        Platform.changeNotify(SHCNE_DELETE, SHCNF_PATHA, path, nullptr);
    return gone;
}

void DeleteFileWithRetry(const char* folder, const char* name)
{
    PathBuffer path;
    if (JoinPath(path, folder, name))
        DeleteWithRetry(path.c_str(), IfMissing::NothingToDo, ShellNotice::Delete);
}
