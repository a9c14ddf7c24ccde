#include "file_removal.h"

#include <windows.h>
#include <shlobj.h>

#include "earlier_releases.h"
#include "fixed_string.h"
#include "folder_walk.h"
#include "platform_calls.h"
#include "suite_identity.h"
#include "vexlo.h"

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
};

// Group 5: libraries that Explorer or running tools may hold.
const char* const HeldLibraries[] = {
    "vxambro.dll", "vxnkmenu.dll", "vxpondry.dll", "vxbrollashell.dll", "vxtrayclock.dll", "Vexlo.dll",
};

const char* const Subfolders[] = {"Sounds", "Languages", "Help"};
const char* const SoundPatterns[] = {".wav", ".WAV", ".mid", ".MID"};

bool Join(PathBuffer& path, const char* folder, const char* name)
{
    return path.assign(folder) && path.append('\\') && path.append(name);
}

// Only a file that is not there ends the attempts early.
void DeleteWithRetry(const char* folder, const char* name)
{
    PathBuffer path;
    if (!Join(path, folder, name))
        return;
    for (int attempt = 1; !DeleteFileA(path.c_str()); ++attempt) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND || attempt == 16)
            return;
        Platform.sleep(200);
    }
}

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void RemoveSuiteFiles(const char* folder)
{
    FixedString<MAX_PATH> name;
    name.assign(Suite::ExeTag);
    DeleteWithRetry(folder, name.c_str());
    DeleteWithRetry(folder, Suite::HelpFile);
    DeleteWithRetry(folder, "Vexlo.GID");
    // The help file's own index: its name with ".gid" for the extension.
    name.assign(Suite::HelpFile);
    for (unsigned i = name.length(); i > 0; --i)
        if (name[i - 1] == '.') {
            name.truncate(i - 1);
            break;
        }
    name.append(".gid");
    DeleteWithRetry(folder, name.c_str());
    DeleteWithRetry(folder, "setup.exe");
    DeleteWithRetry(folder, "Settings.ico");
    name.assign(Suite::ShortName);
    name.append("_Lang.txt");
    DeleteWithRetry(folder, name.c_str());
    DeleteWithRetry(folder, "Common_Lang.txt");
    DeleteWithRetry(folder, OlderTextFile);
    DeleteWithRetry(folder, "Pondry_Lang.txt");
    DeleteWithRetry(folder, "Languages\\Pondry_Lang.txt");

    for (const char* older : OlderToolFiles)
        DeleteWithRetry(folder, older);
    DeleteWithRetry(folder, "Wendra.exe");
    DeleteWithRetry(folder, "Ovalle.pn");

    for (const char* program : CurrentPrograms)
        DeleteWithRetry(folder, program ? program : OlderFolderCopyProgram);
}

void RemoveSounds(const char* folder)
{
    PathBuffer pattern;
    if (!Join(pattern, folder, "*.*"))
        return;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        if (ContainsAny(found.cFileName, SoundPatterns, 4))
            DeleteWithRetry(folder, found.cFileName);
    });
}

// Explorer's context menus and running tools may hold a library; only the
// user can let us close Explorer to free it.
void RemoveLibraries(const char* folder)
{
    FixedString<1023> question;
    question.assign(VxTranslate("To finish, Uninstall needs to close all Explorer windows.", 0));
    bool explorerClosed = false;
    for (const char* library : HeldLibraries) {
        PathBuffer path;
        if (!Join(path, folder, library))
            continue;
        DeleteFileA(path.c_str());
        if (!Exists(path.c_str()))
            continue;
        if (ShowMessage(question.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            VxCloseExplorerWindows();
            explorerClosed = true;
        }
        DeleteFileA(path.c_str());
        for (int wait = 0; wait < 16 && Exists(path.c_str()); ++wait) {
            Platform.sleep(200);
            DeleteFileA(path.c_str());
        }
    }
    if (explorerClosed)
        VxRestoreExplorer();
}

// "C:" or "C:\": the root of a drive, where these folder names may well be the user's own.
bool IsDriveRoot(const char* folder)
{
    int length = lstrlenA(folder);
    return (length == 2 || (length == 3 && folder[2] == '\\')) && folder[1] == ':';
}

void RemoveSubfolders(const char* folder)
{
    bool root = IsDriveRoot(folder);
    for (const char* subfolder : Subfolders) {
        PathBuffer path;
        if (!Join(path, folder, subfolder))
            continue;
        if (root)
            RemoveDirectoryA(path.c_str());
        else
            VxRemoveFolder(path.c_str(), 1);
    }
}

} // namespace

void RemoveInstalledFiles(const char* installDir)
{
    RemoveSuiteFiles(installDir);
    RemoveSounds(installDir);
    RemoveLibraries(installDir);
    RemoveSubfolders(installDir);
    DeleteWithRetry(installDir, "uninstall.exe");
    RemoveDirectoryA(installDir);

    // The maker's folder goes with its last product.
    PathBuffer parent;
    if (parent.assign(installDir)) {
        int last = -1;
        for (unsigned i = 0; i < parent.length(); ++i)
            if (parent[i] == '\\')
                last = static_cast<int>(i);
        if (last >= 0) {
            parent.truncate(static_cast<unsigned>(last));
            if (TextContains(parent.c_str(), "\\ZERV Software"))
                RemoveDirectoryA(parent.c_str());
        }
    }
    Platform.changeNotify(SHCNE_RMDIR, SHCNF_PATHA, installDir, nullptr);
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}
