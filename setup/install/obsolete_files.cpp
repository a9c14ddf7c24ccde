#include "setup/install/obsolete_files.h"

#include <windows.h>

#include "suite/catalogue/earlier_releases.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/system/delete_with_retry.h"
#include "suite/system/folder_walk.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

void RemoveObsoleteFiles(const char* installDir)
{
    for (const char* entry : ObsoleteFiles) {
        FixedString<MAX_PATH> homepage;
        if (!entry) {
            if (!homepage.assign(Suite::ProductName) || !homepage.append(" Homepage.url"))
                continue; // a name that long was never ours
            entry = homepage.c_str();
        }
        DeleteFileWithRetry(installDir, entry);
    }

    PathBuffer images;
    if (JoinPath(images, installDir, "images"))
        VxRemoveFolder(images.c_str(), 1);

    // WinHelp rebuilds its indexes; stale ones would point into old help files.
    PathBuffer pattern;
    PathBuffer help;
    if (!JoinPath(help, installDir, InstallSubfolder::Help) || !JoinPath(pattern, help.c_str(), "*.gid"))
        return;
    // The search also finds "X.Gid"; only the two usual spellings go.
    const char* const indexes[] = {".gid", ".GID"};
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        if (ContainsAny(found.cFileName, indexes, 2))
            DeleteFileWithRetry(help.c_str(), found.cFileName);
    });
}
