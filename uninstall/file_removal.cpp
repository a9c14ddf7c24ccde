#include "uninstall/file_removal.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/earlier_releases.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/delete_with_retry.h"
#include "suite/system/folder_walk.h"
#include "suite/system/folders_of_others.h"
#include "suite/system/pending_operations.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

// Group 3: the current programs.
const char* const CurrentPrograms[] = {
    "vxnorrik.exe",  "vxnknotify.exe", nullptr /* the older folder-copy program */,
    "Wendra.exe",    "vxovalle.exe",   "Ovalle.pn",
    "vxyessa.exe",   "vxscrivo.exe",   "vxhalder.exe",
    "vxfennet.exe",  "vxtovin.exe",    "vxautopn.exe",
    "vxpondry.exe",  "vxlumio.exe",    "vxkimber.exe",
    "vxdewlit.exe",  "vxambro.exe",    "vxgrask.exe",
    "vxglimmet.exe", "vxcaddel.exe",   "vxrestart.exe",
    "vxpellor.exe",  "vxorvex.exe",    "vxquesh.exe",
    "vxstoval.exe",  "vxbrolla.exe",   "vxbrollashell.dll",
    // Each user's part of an install for all users.
    Suite::UserProgram,
};

// Group 5: libraries that Explorer or running tools may hold.
const char* const HeldLibraries[] = {
    "vxambro.dll", "vxnkmenu.dll", "vxpondry.dll", "vxbrollashell.dll", "vxtrayclock.dll", "Vexlo.dll",
};

// The first stage runs from these while the second removes the rest.
const char* const FirstStageFiles[] = {"uninstall.exe", "Vexlo.dll"};

// Set only while a silent removal runs: what stays is then scheduled.
Leftovers* silentLeftovers = nullptr;

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The program and library this run works from, and its log: the run removes
// neither them nor the folders that hold them, and none of them is a leftover.
// Taken at the start of each removal, by what the file system knows them as.
PathLine ownFiles[3];
int ownFileCount = 0;

void TakeOwnFiles()
{
    ownFileCount = 0;
    PathBuffer program;
    DWORD length = GetModuleFileNameA(nullptr, program.buffer(), program.bufferSize());
    if (length > 0 && length < program.bufferSize()) {
        program.settle();
        if (ownFiles[ownFileCount].take(program.c_str()))
            ++ownFileCount;
        if (CutAtLastBackslash(program) && program.append("\\Vexlo.dll") && ownFiles[ownFileCount].take(program.c_str()))
            ++ownFileCount;
    }
    if (*RunLogPath() && ownFiles[ownFileCount].take(RunLogPath()))
        ++ownFileCount;
}

bool HoldsOwnFile(const char* path)
{
    for (int i = 0; i < ownFileCount; ++i)
        if (ownFiles[i].reaches(path))
            return true;
    return false;
}

// A file or an emptied folder that is still there goes at the next restart.
void LeaveForRestart(const char* path)
{
    if (!silentLeftovers || !Exists(path) || HoldsOwnFile(path))
        return;
    if (MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        ++silentLeftovers->scheduled;
        LogLine("scheduled %s for deletion at the next restart", path);
    } else {
        ++silentLeftovers->failed;
        LogLine("could neither delete %s nor schedule it (error %lu)", path, GetLastError());
    }
}

// Names are deleted whether or not they look present: a missing file or
// folder ends the attempts early, and the shell hears of the folders at the end.
void DeleteFromFolder(const char* folder, const char* name)
{
    PathBuffer path;
    if (!JoinPath(path, folder, name))
        return;
    if (HoldsOwnFile(path.c_str()))
        LogLine("kept %s: this run works from it or logs to it", path.c_str());
    else if (!DeleteWithRetry(path.c_str(), IfMissing::Attempt, ShellNotice::None))
        LeaveForRestart(path.c_str());
}

// A subfolder with everything in it; in a silent run what it still holds is
// held, and goes at the restart with the folder.
void RemoveFolderWhole(const char* folder)
{
    bool wasThere = Exists(folder);
    VxRemoveFolder(folder, 1);
    bool stays = Exists(folder);
    if (wasThere)
        LogLine("%s %s", stays ? "could not remove" : "removed", folder);
    if (!silentLeftovers || !stays)
        return;
    PathBuffer pattern;
    if (JoinPath(pattern, folder, "*.*"))
        ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
            PathBuffer file;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && JoinPath(file, folder, found.cFileName))
                LeaveForRestart(file.c_str());
        });
    LeaveForRestart(folder);
}

// Empties `folder` around the files this run keeps and the folders that lead to them.
void EmptyFolderAround(const char* folder)
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
            DeleteFromFolder(folder, found.cFileName);
        else if (HoldsOwnFile(path.c_str()))
            EmptyFolderAround(path.c_str());
        else
            RemoveFolderWhole(path.c_str());
    });
}

void RemoveSuiteFiles(const char* folder)
{
    // Names made from the suite's short fixed names always fit; one that did
    // not would be no file of ours.
    FixedString<MAX_PATH> name;
    DeleteFromFolder(folder, Suite::ExeTag);
    DeleteFromFolder(folder, Suite::HelpFile);
    DeleteFromFolder(folder, "Vexlo.GID");
    // The help file's own index: its name with ".gid" for the extension.
    if (name.assign(Suite::HelpFile)) {
        for (unsigned i = name.length(); i > 0; --i)
            if (name[i - 1] == '.') {
                name.truncate(i - 1);
                break;
            }
        if (name.append(".gid"))
            DeleteFromFolder(folder, name.c_str());
    }
    DeleteFromFolder(folder, "setup.exe");
    DeleteFromFolder(folder, "Settings.ico");
    if (name.assign(Suite::ShortName) && name.append("_Lang.txt"))
        DeleteFromFolder(folder, name.c_str());
    DeleteFromFolder(folder, "Common_Lang.txt");
    DeleteFromFolder(folder, OlderTextFile);
    DeleteFromFolder(folder, "Pondry_Lang.txt");
    PathBuffer languages;
    if (JoinPath(languages, folder, InstallSubfolder::Languages))
        DeleteFromFolder(languages.c_str(), "Pondry_Lang.txt");

    for (const char* older : OlderToolFiles)
        DeleteFromFolder(folder, older);
    DeleteFromFolder(folder, "Wendra.exe");
    DeleteFromFolder(folder, "Ovalle.pn");

    for (const char* program : CurrentPrograms)
        DeleteFromFolder(folder, program ? program : OlderFolderCopyProgram);
}

// At the root of a drive or share the sounds there are the user's: only the
// suite's own go, by name (earlier releases could install at a root).
void RemoveSounds(const char* folder)
{
    if (ShapeOfFolder(folder) == FolderShape::Root) {
        for (const char* sound : SuiteSounds)
            DeleteFromFolder(folder, sound);
        return;
    }
    PathBuffer pattern;
    if (!JoinPath(pattern, folder, "*.*"))
        return;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        if (ContainsAny(found.cFileName, SoundPatterns, SoundPatternCount))
            DeleteFromFolder(folder, found.cFileName);
    });
}

// Explorer's context menus and running tools may hold a library; only the
// user can let us close Explorer to free it, and a silent run never asks.
void RemoveLibraries(const char* folder)
{
    // Translated once, before the library can be closed with Explorer; a
    // translation too long for the message shows the English text.
    const char* const english = "To finish, Uninstall needs to close all Explorer windows.";
    MessageText question;
    if (!question.assign(VxTranslate(english, 0)) && !question.assign(english))
        question.clear();
    bool explorerClosed = false;
    for (const char* library : HeldLibraries) {
        PathBuffer path;
        if (!JoinPath(path, folder, library))
            continue;
        // The first stage's own library waits until that stage has ended.
        if ((silentLeftovers && lstrcmpiA(library, "Vexlo.dll") == 0) || HoldsOwnFile(path.c_str()))
            continue;
        DeleteFileA(path.c_str());
        if (!Exists(path.c_str()))
            continue;
        if (!silentLeftovers && ShowMessage(question.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            VxCloseExplorerWindows();
            explorerClosed = true;
        }
        DeleteFileA(path.c_str());
        int attempts = 2;
        for (; attempts < 18 && Exists(path.c_str()); ++attempts) {
            Platform.sleep(200);
            DeleteFileA(path.c_str());
        }
        if (Exists(path.c_str())) {
            LogLine("could not delete %s (attempts: %d)", path.c_str(), attempts);
            LeaveForRestart(path.c_str());
        } else {
            LogLine("deleted %s (attempts: %d)", path.c_str(), attempts);
        }
    }
    if (explorerClosed)
        VxRestoreExplorer();
}

void RemoveSubfolders(const char* folder)
{
    // At a root ("C:", "C:\", a share) these folder names may well be the user's own.
    bool root = ShapeOfFolder(folder) == FolderShape::Root;
    for (const char* subfolder : InstallSubfolder::All) {
        PathBuffer path;
        if (!JoinPath(path, folder, subfolder))
            continue;
        if (root) {
            RemoveDirectoryA(path.c_str());
            continue;
        }
        if (HoldsOwnFile(path.c_str())) {
            LogLine("kept %s: it holds what this run works from or logs to", path.c_str());
            EmptyFolderAround(path.c_str());
            continue;
        }
        RemoveFolderWhole(path.c_str());
    }
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
void RemoveInstallFolder(const char* installDir)
{
    RemoveDirectoryA(installDir);
    bool scheduled = silentLeftovers && silentLeftovers->scheduled > 0;
    if (scheduled)
        LeaveForRestart(installDir);

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
                LeaveForRestart(parent.c_str());
        }
    }
    Platform.changeNotify(SHCNE_RMDIR, SHCNF_PATHA, installDir, nullptr);
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

} // namespace

void RemoveInstalledFiles(const char* installDir)
{
    // A silent setup's replacement at the next restart would bring a program back.
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    TakeOwnFiles();
    RemoveSuiteFiles(installDir);
    RemoveSounds(installDir);
    RemoveLibraries(installDir);
    RemoveSubfolders(installDir);
    DeleteFromFolder(installDir, "uninstall.exe");
    RemoveInstallFolder(installDir);
}

void RemoveInstalledFilesSilently(const char* installDir, Leftovers& leftovers)
{
    silentLeftovers = &leftovers;
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    TakeOwnFiles();
    RemoveSuiteFiles(installDir);
    RemoveSounds(installDir);
    RemoveLibraries(installDir);
    RemoveSubfolders(installDir);
    silentLeftovers = nullptr;
}

void RemoveFirstStageFiles(const char* installDir, Leftovers& leftovers)
{
    silentLeftovers = &leftovers;
    ClearPendingOperations(installDir, PendingKinds::Replacements);
    TakeOwnFiles();
    for (const char* file : FirstStageFiles)
        DeleteFromFolder(installDir, file);
    RemoveInstallFolder(installDir);
    silentLeftovers = nullptr;
}
