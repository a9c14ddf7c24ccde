#include "uninstall/removal/file_removal.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/removed_files.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/delete_with_retry.h"
#include "suite/system/folder_walk.h"
#include "suite/system/pending_operations.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

template <typename Visit>
void ForEachRemoved(RemovedAs as, Visit visit)
{
    for (const RemovedFile& file : RemovedFiles)
        if (file.as == as)
            visit(file);
}

void RemoveSuiteFiles(RemovalWalk& walk, const char* folder)
{
    ForEachRemoved(RemovedAs::SuiteFile, [&](const RemovedFile& file) { walk.deleteFromFolder(folder, file.name); });
}

// Sounds and music that earlier releases left beside the programs. At the
// root of a drive or share the sounds there are the user's: only the suite's
// own go, by name (earlier releases could install at a root).
void RemoveSounds(RemovalWalk& walk, const char* folder)
{
    if (ShapeOfFolder(folder) == FolderShape::Root) {
        for (const char* sound : SuiteSounds)
            walk.deleteFromFolder(folder, sound);
        return;
    }
    PathBuffer pattern;
    if (!JoinPath(pattern, folder, "*.*"))
        return;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        if (ContainsAny(found.cFileName, SoundPatterns, SoundPatternCount))
            walk.deleteFromFolder(folder, found.cFileName);
    });
}

// Explorer's context menus and running tools may hold a library; only the
// user can let us close Explorer to free it, and a silent run never asks.
void RemoveLibraries(RemovalWalk& walk, const char* folder)
{
    // Translated once, before the library can be closed with Explorer; a
    // translation too long for the message shows the English text.
    const char* const english = "To finish, Uninstall needs to close all Explorer windows.";
    MessageText question;
    if (!question.assign(VxTranslate(english, 0)) && !question.assign(english))
        question.clear();
    bool explorerClosed = false;
    ForEachRemoved(RemovedAs::HeldLibrary, [&](const RemovedFile& library) {
        PathBuffer path;
        // The first stage's own library waits until that stage has ended.
        if (!JoinPath(path, folder, library.name) || (walk.silent() && library.firstStage) ||
            walk.isOwn(path.c_str()))
            return;
        DeleteFileA(path.c_str());
        if (!PathExists(path.c_str()))
            return;
        if (!walk.silent() && ShowMessage(question.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            VxCloseExplorerWindows();
            explorerClosed = true;
        }
        if (!DeleteWithRetry(path.c_str(), IfMissing::Attempt, ShellNotice::None, Waits::HeldLibrary))
            walk.leaveForRestart(path.c_str());
    });
    if (explorerClosed)
        VxRestoreExplorer();
}

void RemoveSubfolders(RemovalWalk& walk, const char* folder)
{
    // At a root ("C:", "C:\", a share) these folder names may well be the user's own.
    bool root = ShapeOfFolder(folder) == FolderShape::Root;
    ForEachRemoved(RemovedAs::Subfolder, [&](const RemovedFile& subfolder) {
        PathBuffer path;
        if (!JoinPath(path, folder, subfolder.name))
            return;
        if (root) {
            RemoveDirectoryA(path.c_str());
            return;
        }
        if (walk.isOwn(path.c_str())) {
            LogLine("kept %s: it holds what this run works from or logs to", path.c_str());
            walk.emptyFolderAround(path.c_str());
            return;
        }
        walk.removeFolderWhole(path.c_str());
    });
}

// Whether `folder` holds nothing but the entry `name`.
bool HoldsOnly(const char* folder, const char* name)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, folder, "*.*"))
        return false;
    bool others = false;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        const char* entry = found.cFileName;
        others = others || (lstrcmpA(entry, ".") != 0 && lstrcmpA(entry, "..") != 0 && lstrcmpiA(entry, name) != 0);
    });
    return !others;
}

// The folder, and the maker's folder with its last product, then the shell hears of it.
void RemoveInstallFolder(RemovalWalk& walk, const char* installDir)
{
    RemoveDirectoryA(installDir);
    bool scheduled = walk.silent() && walk.scheduled() > 0;
    if (scheduled)
        walk.leaveForRestart(installDir);

    // In any letter case: setup takes a "/path:" folder in lower case.
    PathBuffer parent;
    if (parent.assign(installDir) && CutAtLastBackslash(parent)) {
        PathBuffer lower = parent;
        CharLowerA(lower.buffer());
        if (TextContains(lower.c_str(), "\\zerv software")) {
            RemoveDirectoryA(parent.c_str());
            // Once the install folder goes at the restart, so does the maker's
            // folder that held nothing else.
            int name = LastBackslash(installDir);
            if (scheduled && HoldsOnly(parent.c_str(), installDir + name + 1))
                walk.leaveForRestart(parent.c_str());
        }
    }
    Platform.changeNotify(SHCNE_RMDIR, SHCNF_PATHA, installDir, nullptr);
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

// Everything but the install folder itself and, for a silent run, what the
// first stage runs from.
void RemoveSuiteFilesAndFolders(RemovalWalk& walk, const char* installDir)
{
    RemoveSuiteFiles(walk, installDir);
    RemoveSounds(walk, installDir);
    RemoveLibraries(walk, installDir);
    RemoveSubfolders(walk, installDir);
}

} // namespace

// A silent setup's replacement at the next restart would bring a program back.
void RemoveInstalledFiles(const char* installDir)
{
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    Leftovers unused;
    RemovalWalk walk(RemovalMode::Interactive, unused);
    RemoveSuiteFilesAndFolders(walk, installDir);
    ForEachRemoved(RemovedAs::Uninstaller,
                   [&](const RemovedFile& file) { walk.deleteFromFolder(installDir, file.name); });
    RemoveInstallFolder(walk, installDir);
}

void RemoveInstalledFilesSilently(const char* installDir, Leftovers& leftovers)
{
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    RemovalWalk walk(RemovalMode::Silent, leftovers);
    RemoveSuiteFilesAndFolders(walk, installDir);
}

void RemoveFirstStageFiles(const char* installDir, Leftovers& leftovers)
{
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    RemovalWalk walk(RemovalMode::Silent, leftovers);
    // The program before the library it loaded.
    const RemovedAs steps[] = {RemovedAs::Uninstaller, RemovedAs::HeldLibrary};
    for (RemovedAs step : steps)
        ForEachRemoved(step, [&](const RemovedFile& file) {
            if (file.firstStage)
                walk.deleteFromFolder(installDir, file.name);
        });
    RemoveInstallFolder(walk, installDir);
}
