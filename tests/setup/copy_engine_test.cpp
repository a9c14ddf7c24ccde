// Copying, sorting and deleting the suite's files, with real files held open
// where the retry loops are exercised.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/install/copy_engine.h"
#include "setup/state/distribution_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/catalogue/suite_identity.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/test_files.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

class CopyEngine : public testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallContext();
        FillComponentTable();
        CreateDirectoryA(installDir.c_str(), nullptr);
        EXPECT_TRUE(InstallContext.installDir.assign(installDir.c_str()));
        libraryJournal = FreshFolder("copy-journal") + "\\library.txt";
        SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", libraryJournal.c_str());
    }

    void TearDown() override { SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", nullptr); }

    void Source(const std::string& name, const std::string& content = "new")
    {
        WriteWholeFile(source + name, content);
    }

    int Copy()
    {
        SetDistributionFolder(source.c_str());
        copied = CopySuiteFiles(InstallContext.installDir);
        return copied.givenUp;
    }

    std::vector<std::string> LibraryCalls() { return Lines(ReadWholeFile(libraryJournal)); }

    std::string source = FreshFolder("copy-source") + "\\";
    std::string installDir = FreshFolder("copy-target") + "\\Vexlo Suite";
    std::string libraryJournal;
    PlatformRecorder platform;
    CopyResult copied;
};

// Where Windows keeps the replacements it makes at the next restart.
const char* const SessionManager = "System\\CurrentControlSet\\Control\\Session Manager";

BOOL WINAPI RefuseToSchedule(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

const char* const LockedProgramQuestion =
    "Cannot copy vxscrivo.exe.\r\n\r\nPlease close the application using it. Or, install into a different folder. "
    "\r\n\r\nPress OK to try copying again.";
const char* const LockedLibraryQuestion =
    "Cannot copy vxambro.dll.\r\n\r\nClick OK to let setup close all Explorer windows and try copying again. "
    "\r\nIf this doesn't help, try installing into a different folder.";

} // namespace

TEST_F(CopyEngine, CopiesSortsAndRemovesWhatTheSelectionLeftOut)
{
    for (const char* name : {"vxnorrik.exe", "SETUP.EXE", "Vexlo.dll", "tune.wav.bak", "chime.WAV", "Guide.Hlp",
                             "Norrik.hlp", "Norrik_Lang.txt", "Odd_Lang.txt.hlp", "vxovalle.exe", "Ovalle.hlp",
                             "Ovalle_Lang.txt", "extra.txt"})
        Source(name);
    CreateDirectoryA((source + "sub").c_str(), nullptr);
    Source("sub\\inner.txt");
    // An earlier install: a read-only help file, and the files of a tool now left out.
    CreateDirectoryA((installDir + "\\Help").c_str(), nullptr);
    WriteWholeFile(installDir + "\\Help\\Norrik.hlp", "older");
    SetFileAttributesA((installDir + "\\Help\\Norrik.hlp").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteWholeFile(installDir + "\\Help\\Ovalle.hlp", "older");
    ComponentTable[1].selected = 0;

    EXPECT_EQ(Copy(), 0);

    EXPECT_EQ(Sorted(FilesMatching(installDir, "*")),
              (std::vector<std::string>{"Guide.Hlp", "Vexlo.dll", "extra.txt", "vxnorrik.exe"}));
    EXPECT_FALSE(FolderExists(installDir + "\\sub"));
    EXPECT_EQ(Sorted(FilesMatching(installDir + "\\Sounds", "*")),
              (std::vector<std::string>{"chime.WAV", "tune.wav.bak"}));
    EXPECT_EQ(Sorted(FilesMatching(installDir + "\\Languages", "*")),
              (std::vector<std::string>{"Norrik_Lang.txt", "Odd_Lang.txt.hlp"}));
    EXPECT_EQ(FilesMatching(installDir + "\\Help", "*"), std::vector<std::string>{"Norrik.hlp"});
    EXPECT_EQ(ReadWholeFile(installDir + "\\Help\\Norrik.hlp"), "older");

    EXPECT_EQ(platform.notificationsOf(SHCNE_MKDIR), 2u);
    std::vector<std::string> deleted;
    for (const auto& notification : platform.notifications)
        if (notification.event == SHCNE_DELETE)
            deleted.push_back(notification.item);
    EXPECT_EQ(deleted, (std::vector<std::string>{installDir + "\\vxovalle.exe", installDir + "\\Help\\Ovalle.hlp",
                                                 installDir + "\\Languages\\Ovalle_Lang.txt"}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CopyEngine, HeldProgramIsRetriedThenTheUserIsAskedAndCancelGivesItUp)
{
    Source("vxscrivo.exe");
    WriteWholeFile(installDir + "\\vxscrivo.exe", "old");
    HeldFile held(installDir + "\\vxscrivo.exe");
    platform.answers = {IDOK, IDCANCEL};

    EXPECT_EQ(Copy(), 1);

    std::vector<DWORD> expected{1000};
    expected.insert(expected.end(), 52, 200); // 26 before the first question, 26 after OK
    EXPECT_EQ(platform.pauses, expected);
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const auto& message : platform.messages) {
        EXPECT_EQ(message.text, LockedProgramQuestion);
        EXPECT_EQ(message.style, static_cast<UINT>(MB_OKCANCEL | MB_ICONERROR));
    }
    EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(CopyEngine, HeldLibraryClosesExplorerOnEveryOkAndRestoresItOnce)
{
    Source("vxambro.dll", "library");
    WriteWholeFile(installDir + "\\vxambro.dll", "old");
    HeldFile held(installDir + "\\vxambro.dll");
    platform.answers = {IDOK, IDOK};
    // Three attempts after the second OK, Explorer lets go.
    platform.onPause = [&](size_t pauses) {
        if (pauses == 1 + 26 + 26 + 3)
            held.release();
    };

    EXPECT_EQ(Copy(), 0);

    EXPECT_EQ(ReadWholeFile(installDir + "\\vxambro.dll"), "library");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, LockedLibraryQuestion);
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(LibraryCalls(), (std::vector<std::string>{"342", "342", "343"}));
}

// A held file is replaced at the next restart: the new one waits beside it.
TEST_F(CopyEngine, SilentRunHasAHeldFileReplacedAtTheNextRestart)
{
    InstallContext.silent = 1;
    Source("vxglimmet.exe");
    Source("Norrik.hlp");
    Source(Suite::UserProgram); // only an install for all users takes it
    WriteWholeFile(installDir + "\\vxglimmet.exe", "old");
    HeldFile held(installDir + "\\vxglimmet.exe");
    // An older copy in a subfolder, held too: the new one waits where it was copied.
    CreateDirectoryA((installDir + "\\Help").c_str(), nullptr);
    WriteWholeFile(installDir + "\\Help\\Norrik.hlp", "old");
    HeldFile heldHelp(installDir + "\\Help\\Norrik.hlp");

    EXPECT_EQ(Copy(), 0);
    EXPECT_EQ(copied.scheduled, 2);

    std::vector<DWORD> expected{1000};
    expected.insert(expected.end(), 26, 200);
    EXPECT_EQ(platform.pauses, expected);
    EXPECT_TRUE(platform.messages.empty());
    std::vector<std::string> beside = FilesMatching(installDir, "vx*.tmp");
    ASSERT_EQ(beside.size(), 1u);
    EXPECT_EQ(ReadWholeFile(installDir + "\\" + beside[0]), "new");
    std::string pending = ReadValue(HKEY_LOCAL_MACHINE, SessionManager, "PendingFileRenameOperations").bytes;
    std::string help = installDir + "\\Norrik.hlp" + '\0' + "!\\??\\" + installDir + "\\Help\\Norrik.hlp" + '\0';
    CharLowerBuffA(&pending[0], static_cast<DWORD>(pending.size()));
    CharLowerBuffA(&help[0], static_cast<DWORD>(help.size()));
    EXPECT_NE(pending.find(help), std::string::npos) << pending;
    EXPECT_FALSE(FileExists(installDir + "\\" + Suite::UserProgram));
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, SessionManager, "PendingFileRenameOperations");
}

TEST_F(CopyEngine, SilentRunKeepsTryingForItsBoundThenGivesUpWithoutAsking)
{
    InstallContext.silent = 1;
    // Where the restart may not be asked for, the file is tried for its bound.
    Platform.moveFileEx = RefuseToSchedule;
    Source("vxambro.dll");
    Source("vxglimmet.exe");
    WriteWholeFile(installDir + "\\vxambro.dll", "old");
    HeldFile held(installDir + "\\vxambro.dll");

    EXPECT_EQ(Copy(), 1);

    std::vector<DWORD> expected{1000};
    expected.insert(expected.end(), 26 + 150, 200);
    EXPECT_EQ(platform.pauses, expected);
    EXPECT_TRUE(platform.messages.empty());
    std::vector<std::string> calls(150, "342");
    calls.push_back("343");
    EXPECT_EQ(LibraryCalls(), calls);
    EXPECT_TRUE(FileExists(installDir + "\\vxglimmet.exe"));
    EXPECT_TRUE(FilesMatching(installDir, "vx*.tmp").empty());
}

TEST_F(CopyEngine, SilentRunGivesUpAtOnceWhatWaitingCannotFix)
{
    InstallContext.silent = 1;
    Source("vxglimmet.exe");
    Source("vxovalle.exe");
    // A folder where the program should go: no wait makes it writable.
    CreateDirectoryA((installDir + "\\vxglimmet.exe").c_str(), nullptr);

    EXPECT_EQ(Copy(), 1);

    EXPECT_TRUE(platform.pauses.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(FileExists(installDir + "\\vxovalle.exe"));
}

TEST_F(CopyEngine, HeldNotifierIsReleasedThroughTheBackupToolsEvent)
{
    Source("vxnknotify.exe", "notifier");
    WriteWholeFile(installDir + "\\vxnknotify.exe", "old");
    HeldFile held(installDir + "\\vxnknotify.exe");
    HANDLE stopEvent = CreateEventA(nullptr, FALSE, FALSE, "myZERVNorrikEventStopWaiting");
    int signals = 0;
    platform.onPause = [&](size_t) {
        if (stopEvent && WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0 && ++signals == 3) {
            // The notifier lets go of its file and its event.
            CloseHandle(stopEvent);
            stopEvent = nullptr;
            held.release();
        }
    };

    EXPECT_EQ(Copy(), 0);

    EXPECT_EQ(signals, 3);
    EXPECT_EQ(ReadWholeFile(installDir + "\\vxnknotify.exe"), "notifier");
    // 1000 before the retries, three signals 200 apart, then the retry's own pause.
    EXPECT_EQ(platform.pauses, (std::vector<DWORD>{1000, 200, 200, 200, 200}));
}
