#include "setup/install/copy_engine.h"

#include <windows.h>
#include <shlobj.h>

#include "setup/state/distribution_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/run/running_tools.h"
#include "suite/system/delete_with_retry.h"
#include "suite/system/folder_walk.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

// The backup tool's notifier may hold its own file; it lets go when the
// tool is released.
void ReleaseNotifier(const char* source)
{
    if (TextContains(source, "nknotify"))
        ReleaseBackupTool(Waits::SetupReleasesBackupTool);
}

bool InUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

// The new file goes beside the held one under a name of its own, and
// Windows puts it in place at the next restart, before anything can hold the
// old one. False, and nothing left behind, where that cannot be arranged (no
// right to write the Session Manager's list).
bool ReplaceAtRestart(const PathBuffer& source, const PathBuffer& target)
{
    PathBuffer folder = target;
    char beside[MAX_PATH];
    if (!CutAtLastBackslash(folder) || !GetTempFileNameA(folder.c_str(), "vx", 0, beside))
        return false;
    if (CopyFileA(source.c_str(), beside, FALSE) &&
        Platform.moveFileEx(beside, target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
        LogLine("%s replaces %s at the next restart", beside, target.c_str());
        return true;
    }
    // A read-only source leaves a read-only copy, which would not go otherwise.
    SetFileAttributesA(beside, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(beside);
    return false;
}

enum class Copied { Now, AtRestart, No };

class CopyWalk {
public:
    CopyResult result;
    bool explorerClosed = false;

    void copyFile(PathBuffer& source, const PathBuffer& target, const char* name)
    {
        made_ = 1;
        if (CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            LogLine("copied %s (attempts: 1)", target.c_str());
            return;
        }
        // Waiting helps only a file that something holds. A silent run has no
        // one to ask about anything else (a full disk, a folder it may not
        // write to) and gives such a file up at once.
        DWORD error = GetLastError();
        Copied copied = InstallContext.silent && !InUse(error) ? Copied::No : retry(source, target, name);
        if (copied == Copied::No) {
            ++result.givenUp;
            LogLine("gave up %s (attempts: %d, error %lu)", target.c_str(), made_, error);
        } else if (copied == Copied::AtRestart) {
            ++result.scheduled;
            LogLine("scheduled %s (attempts: %d)", target.c_str(), made_);
        } else {
            LogLine("copied %s (attempts: %d)", target.c_str(), made_);
        }
    }

private:
    int made_ = 0;

    bool attempts(PathBuffer& source, const PathBuffer& target, const Retries& retries, bool closeExplorer)
    {
        for (int attempt = 0; attempt < retries.attempts; ++attempt) {
            ++made_;
            if (CopyFileA(source.c_str(), target.c_str(), FALSE))
                return true;
            ReleaseNotifier(source.c_str());
            if (closeExplorer) {
                VxCloseExplorerWindows();
                explorerClosed = true;
            }
            Platform.sleep(retries.pause);
        }
        return false;
    }

    Copied retry(PathBuffer& source, const PathBuffer& target, const char* name)
    {
        Platform.sleep(Waits::CopyFirstPause);
        if (attempts(source, target, Waits::CopyBeforeAsking, false))
            return Copied::Now;
        // A silent run cannot ask: it has the file replaced at the next
        // restart, or where it may not, keeps trying a while, then gives it up.
        if (InstallContext.silent && ReplaceAtRestart(source, target))
            return Copied::AtRestart;
        // From here on the path is lower case, for the ".dll" test and the retries.
        CharLowerA(source.buffer());
        bool library = TextContains(source.c_str(), ".dll");
        if (InstallContext.silent)
            return attempts(source, target, Waits::SilentCopy, library) ? Copied::Now : Copied::No;

        // Room for the longest translation and a whole file name: nothing is cut.
        char cannotCopy[1024];
        wsprintfA(cannotCopy, VxTranslate("Cannot copy %s.", 0), name);
        for (;;) {
            MessageText message;
            ComposeMessage(message, cannotCopy, "\r\n\r\n",
                           library ? VxTranslate("Click OK to let setup close all Explorer windows and try copying "
                                                 "again. ::If this doesn't help, try installing into a different folder.",
                                                 0)
                                   : VxTranslate("Please close the application using it. Or, install into a different "
                                                 "folder. ::::Press OK to try copying again.",
                                                 0));
            if (ShowMessage(message.c_str(), MB_OKCANCEL | (library ? MB_ICONQUESTION : MB_ICONERROR)) != IDOK)
                return Copied::No;
            if (library) {
                VxCloseExplorerWindows();
                explorerClosed = true;
            }
            if (attempts(source, target, Waits::CopyAfterOk, false))
                return Copied::Now;
        }
    }
};

void SortIntoSubfolder(const PathBuffer& prefix, const SortedSubfolder& subfolder, CopyResult& result)
{
    PathBuffer folder;
    if (!JoinPath(folder, prefix.c_str(), subfolder.name))
        return;
    if (CreateDirectoryA(folder.c_str(), nullptr))
        Platform.changeNotify(SHCNE_MKDIR, SHCNF_PATHA, folder.c_str(), nullptr);
    if (!folder.append('\\'))
        return;

    PathBuffer pattern;
    if (!JoinPath(pattern, prefix.c_str(), "*.*"))
        return;
    ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
        PathBuffer from;
        PathBuffer to;
        if (!ContainsAny(found.cFileName, subfolder.patterns, subfolder.patternCount) ||
            !JoinPath(from, prefix.c_str(), found.cFileName) || !JoinPath(to, folder.c_str(), found.cFileName))
            return;
        bool held = !DeleteFileA(to.c_str()) && InUse(GetLastError());
        if (MoveFileA(from.c_str(), to.c_str()) || GetLastError() != ERROR_ALREADY_EXISTS)
            return;
        // A silent run has the older copy, still in use, replaced at the next restart.
        if (InstallContext.silent && held &&
            Platform.moveFileEx(from.c_str(), to.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
            ++result.scheduled;
            LogLine("%s replaces %s at the next restart", from.c_str(), to.c_str());
            return;
        }
        // The older copy could not be deleted: it stays, the new one goes.
        SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(from.c_str());
        if (InstallContext.silent) {
            ++result.givenUp;
            LogLine("gave up %s: the older copy could not be replaced", to.c_str());
        }
    });
}

// The selection dialog promises that the tools left out are deleted; their
// help files too, which the sorting has moved into Help.
void RemoveDeselectedFiles(const PathBuffer& prefix)
{
    PathBuffer languages;
    PathBuffer help;
    bool haveLanguages = JoinPath(languages, prefix.c_str(), InstallSubfolder::Languages);
    bool haveHelp = JoinPath(help, prefix.c_str(), InstallSubfolder::Help);
    for (const Component& component : ComponentTable) {
        if (component.selected)
            continue;
        const char* cursor = component.files.c_str();
        FixedString<99> name;
        while (NextFileName(cursor, name)) {
            DeleteFileWithRetry(prefix.c_str(), name.c_str());
            if (haveLanguages)
                DeleteFileWithRetry(languages.c_str(), name.c_str());
            if (haveHelp)
                DeleteFileWithRetry(help.c_str(), name.c_str());
        }
    }
}

// Every file of the distribution folder that setup installs (all but itself),
// with its path there; false when it does not fit.
template <typename Visit>
void ForEachSuiteFile(Visit visit)
{
    if (DistributionFolder.empty())
        SetDistributionFolder(nullptr);
    const char* sourceFolder = DistributionFolder.c_str();
    PathBuffer pattern;
    if (JoinPath(pattern, sourceFolder, "*.*"))
        ForEachEntry(pattern.c_str(), [&](const WIN32_FIND_DATAA& found) {
            const char* name = found.cFileName;
            if (lstrcmpiA(name, "setup.exe") == 0 || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                return;
            PathBuffer source;
            bool fits = JoinPath(source, sourceFolder, name);
            visit(found, source, fits);
        });
}

} // namespace

CopyResult CopySuiteFiles(const PathBuffer& installDir)
{
    PathBuffer prefix;
    if (!prefix.assign(installDir.c_str()) || !AppendBackslashIfMissing(prefix))
        return {};

    CopyWalk walk;
    ForEachSuiteFile([&](const WIN32_FIND_DATAA& found, PathBuffer& source, bool fits) {
        const char* name = found.cFileName;
        PathBuffer target;
        // A name that does not fit beside the folder cannot be copied there whole.
        bool fitsThere = fits && JoinPath(target, prefix.c_str(), name);
        // An earlier install for all users still has it run for new users: it is kept new.
        if (!InstallContext.allUsers && lstrcmpiA(name, Suite::UserProgram) == 0 &&
            (!fitsThere || GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES))
            return;
        if (!fitsThere) {
            ++walk.result.givenUp;
            LogLine("gave up %s: the name does not fit beside the install folder", name);
            return;
        }
        walk.copyFile(source, target, name);
    });
    if (walk.explorerClosed)
        VxRestoreExplorer();

    for (const SortedSubfolder& subfolder : SortedSubfolders)
        SortIntoSubfolder(prefix, subfolder, walk.result);
    RemoveDeselectedFiles(prefix);
    return walk.result;
}

DWORD InstalledSuiteKiB(const PathBuffer& installDir)
{
    // The suite's files where the sorting put them; other programs' files in
    // a shared folder are not the suite's size.
    ULONGLONG bytes = 0;
    const char* folder = installDir.c_str();
    ForEachSuiteFile([&](const WIN32_FIND_DATAA& found, PathBuffer&, bool) {
        const char* name = found.cFileName;
        PathBuffer place;
        if (!place.assign(folder))
            return;
        for (const SortedSubfolder& subfolder : SortedSubfolders)
            if (ContainsAny(name, subfolder.patterns, subfolder.patternCount)) {
                if (!JoinPath(place, folder, subfolder.name))
                    return;
                break;
            }
        WIN32_FILE_ATTRIBUTE_DATA file;
        if (JoinPath(place, place.c_str(), name) && GetFileAttributesExA(place.c_str(), GetFileExInfoStandard, &file))
            bytes += (static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    });
    return static_cast<DWORD>((bytes + 1023) / 1024);
}
