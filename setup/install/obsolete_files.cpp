#include "obsolete_files.h"

#include <windows.h>

#include "copy_engine.h"
#include "earlier_releases.h"
#include "install_context.h"
#include "suite_identity.h"
#include "vexlo.h"

void RemoveObsoleteFiles()
{
    const PathBuffer& base = InstallContext.installDir;
    for (const char* entry : ObsoleteFiles) {
        FixedString<MAX_PATH> homepage;
        if (!entry) {
            homepage.assign(Suite::ProductName);
            homepage.append(" Homepage.url");
            entry = homepage.c_str();
        }
        DeleteFileWithRetry(base.c_str(), entry);
    }

    PathBuffer images;
    if (images.assign(base.c_str()) && images.append("\\images"))
        VxRemoveFolder(images.c_str(), 1);

    // WinHelp rebuilds its indexes; stale ones would point into old help files.
    PathBuffer pattern;
    PathBuffer help;
    if (!pattern.assign(base.c_str()) || !pattern.append("\\Help\\*.gid") || !help.assign(base.c_str()) ||
        !help.append("\\Help"))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // The search also finds "X.Gid"; only the two usual spellings go.
        if (TextContains(found.cFileName, ".gid") || TextContains(found.cFileName, ".GID"))
            DeleteFileWithRetry(help.c_str(), found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
