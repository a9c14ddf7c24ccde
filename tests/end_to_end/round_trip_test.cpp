// Install and uninstall from build/dist, twice, in a prefix of their own
// described as registry and file snapshots: afterwards only what is meant to
// stay is left.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/expected_registration.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/snapshot.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"
#include "tests/support/window_driver.h"

namespace {

const DWORD RunLimit = 60000;

const std::vector<RegistryBranch> SuiteBranches = {
    {HKEY_LOCAL_MACHINE, "Software\\ZERV Software"},
    {HKEY_CURRENT_USER, "Software\\ZERV Software"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps"},
    {HKEY_CLASSES_ROOT, ".pn"},
    {HKEY_CLASSES_ROOT, ".vxg"},
    {HKEY_CLASSES_ROOT, ".zip"},
    {HKEY_CLASSES_ROOT, "ZervPondry"},
    {HKEY_CLASSES_ROOT, "ZervSettings"},
    {HKEY_CLASSES_ROOT, "ZervBrolla"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers"},
    {HKEY_CLASSES_ROOT, "Directory\\Shellex\\ContextMenuHandlers"},
    {HKEY_CLASSES_ROOT, "Drive\\Shellex\\ContextMenuHandlers"},
};

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
    return path;
}

bool WaitUntilGone(const std::vector<std::string>& paths, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 200) {
        bool any = false;
        for (const std::string& path : paths)
            any = any || FileExists(path);
        if (!any)
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(200);
    }
}

// The uninstaller's copy has ended once the batch file has deleted it, and itself.
bool WaitForTheCopy(const std::string& temp)
{
    if (!WaitUntilGone({temp + "\\uninstall.exe", temp + "\\vexlo.dll"}, RunLimit))
        return false;
    for (DWORD waited = 0; !FilesMatching(temp, "delme*.bat").empty(); waited += 200) {
        if (waited >= RunLimit)
            return false;
        Sleep(200);
    }
    return true;
}

bool RunLockExists()
{
    HANDLE lock = OpenMutexA(SYNCHRONIZE, FALSE, "Global\\ZervVexloSetupOrUninstall");
    if (lock)
        CloseHandle(lock);
    return lock != nullptr;
}

const char* const EntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets";

// What an install and uninstall leave on purpose.
const std::vector<ExpectedChange> Stays = {
    {Change::Added, "*\\Temp\\Vexlo Settings before Setup *-*.*", "file:*"},
    {Change::Added, "*\\PNAutoSave\\"},
    {Change::Added, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved|*"},
    // Keys that Windows itself has, which setup made here and the
    // uninstaller leaves, as it only removes the suite's own below them.
    {Change::Added, "HKLM\\Software\\Microsoft\\Windows\\Help"},
    {Change::Added, "HKCR\\Directory\\Shellex\\ContextMenuHandlers"},
    {Change::Added, "HKCR\\Drive\\Shellex\\ContextMenuHandlers"},
};

Snapshot TakeMachine(const std::string& root)
{
    return TakeSnapshot(SuiteBranches,
                        {root, SpecialFolder(CSIDL_STARTMENU), SpecialFolder(CSIDL_APPDATA), TempFolder()});
}

ULONGLONG BytesBelow(const std::string& folder)
{
    ULONGLONG bytes = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                bytes += BytesBelow(folder + "\\" + name);
        } else {
            bytes += (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return bytes;
}

DWORD EntryNumber(const char* value)
{
    StoredValue stored =
        ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets", value);
    return stored.type == REG_DWORD && stored.bytes.size() == 4 ? *reinterpret_cast<const DWORD*>(stored.bytes.data())
                                                                : 0xFFFFFFFF;
}

// The log once its writer has closed it with its exit code.
std::string FinishedLog(const std::string& path, const std::string& lastLine)
{
    std::string log;
    for (int wait = 0; wait < 300 && (log = ReadWholeFile(path)).find(lastLine) == std::string::npos; ++wait)
        Sleep(100);
    return log;
}

} // namespace

TEST(RoundTrip, UninstallLeavesOnlyWhatIsMeantToStayEvenTheSecondTime)
{
    const std::string root = FreshFolder("round-trip");
    const std::string installDir = root + "\\vexlo"; // the command line is taken in lower case
    const std::string temp = TempFolder();
    // A product of the maker's that the suite must not take along.
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Other Product", "InstallPath", "C:\\Other");
    ToolJournal journal(FreshFolder("round-trip-journal"));
    auto take = [&] {
        return TakeSnapshot(SuiteBranches, {root, SpecialFolder(CSIDL_STARTMENU), SpecialFolder(CSIDL_APPDATA), temp});
    };
    const Snapshot clean = take();
    const size_t backupsBefore = FilesMatching(temp, "Vexlo Settings before Setup *").size();

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        size_t started = journal.starts().size();
        ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /path:" + root + "\\Vexlo", RunLimit), 1);
        // The tray tools setup started are up before the uninstaller looks for them.
        ASSERT_EQ(journal.starts(started + 9).size(), started + 9);
        ASSERT_TRUE(FileExists(installDir + "\\uninstall.exe"));

        StartedProcess firstStage = StartProgram(installDir + "\\uninstall.exe", "");
        HWND question = WaitForDialog(firstStage.id, 20000);
        ASSERT_NE(question, nullptr);
        std::string text;
        for (int wait = 0; wait < 100 && (text = MessageBoxText(question)).empty(); ++wait)
            Sleep(50); // the box may still be filling in its text
        EXPECT_EQ(text, "This will uninstall Vexlo.");
        // Held for a while, so that the copy is still at work when the first stage has gone.
        HANDLE held = CreateFileA((installDir + "\\vxscrivo.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        ClickButton(question, IDOK);
        EXPECT_EQ(WaitForExit(firstStage, RunLimit), 1);
        // The copy holds the lock its first stage handed over: a setup started now would wait.
        EXPECT_TRUE(RunLockExists());
        CloseHandle(held);
        // The copy in the temporary folder removes everything, then its batch file removes the copy.
        EXPECT_TRUE(WaitForTheCopy(temp));
        EXPECT_FALSE(FolderExists(installDir));

        EXPECT_EQ(JoinLines(CompareSnapshots(clean, take(), Stays)), "");
    }
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Other Product"));
    EXPECT_EQ(FilesMatching(temp, "Vexlo Settings before Setup *").size(), backupsBefore + 2);
}

// Run as round_trip_tests_ja_JP, under the Japanese code page: the folder's
// last character, "表", ends in the byte 0x5C, the backslash.
TEST(RoundTrip, AFolderEndingInADoubleByteCharacterIsInstalledAndRemovedWhole)
{
    if (const char* expected = getenv("VEXLO_EXPECTED_CODE_PAGE")) {
        ASSERT_EQ(GetACP(), strtoul(expected, nullptr, 10)) << "not the code page this run is for";
    }
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Japanese code page: see round_trip_tests_ja_JP";
    const std::string root = FreshFolder("round-trip-ja");
    const std::string installDir = root + "\\\x95\x5C";
    const std::string temp = TempFolder();
    ToolJournal journal(FreshFolder("round-trip-ja-journal"));

    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /path:\"" + installDir + "\"", RunLimit), 1);
    ASSERT_EQ(journal.starts(9).size(), 9u);
    std::string stored = installDir; // the command line is taken in lower case
    CharLowerA(&stored[0]);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath").bytes,
              stored + '\0');
    EXPECT_TRUE(FileExists(installDir + "\\uninstall.exe"));
    EXPECT_TRUE(FileExists(installDir + "\\Sounds\\gnoop.wav"));
    // Nothing went to a folder whose name lost its last byte.
    EXPECT_EQ(FilesMatching(root, "*").size(), 0u);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "\\*").c_str(), &found);
    std::vector<std::string> folders;
    if (search != INVALID_HANDLE_VALUE) {
        do
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                folders.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(folders, std::vector<std::string>{"\x95\x5C"});

    StartedProcess firstStage = StartProgram(installDir + "\\uninstall.exe", "");
    HWND question = WaitForDialog(firstStage.id, 20000);
    ASSERT_NE(question, nullptr);
    ClickButton(question, IDOK);
    EXPECT_EQ(WaitForExit(firstStage, RunLimit), 1);
    EXPECT_TRUE(WaitForTheCopy(temp));
    EXPECT_FALSE(FolderExists(installDir));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets"));
}

// What a deployment tool does: install and uninstall silently, each with a log.
TEST(RoundTrip, ASilentUninstallReturnsOnceAllIsGoneAndBothRunsAreLogged)
{
    const std::string root = FreshFolder("silent-round-trip");
    std::string installDir = root + "\\vexlo";
    CharLowerA(&installDir[0]); // as setup stores it
    const std::string logs = FreshFolder("silent-round-trip-logs");
    const std::string temp = TempFolder();
    ToolJournal journal(FreshFolder("silent-round-trip-journal"));
    const Snapshot clean = TakeMachine(root);

    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe",
                         "/silent /log:\"" + logs + "\\setup.log\" /path:" + root + "\\Vexlo", RunLimit),
              1);
    ASSERT_EQ(journal.starts(9).size(), 9u);
    const DWORD installedKiB = static_cast<DWORD>((BytesBelow(installDir) + 1023) / 1024);
    EXPECT_EQ(EntryNumber("EstimatedSize"), installedKiB);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                        "QuietUninstallString")
                  .bytes,
              "\"" + installDir + "\\uninstall.exe\" /silent /msicodes" + '\0');

    // A log past 1 MiB is set aside; the copy writes on into the new one.
    const std::string longLog(1024 * 1024 + 1, 'x');
    WriteWholeFile(logs + "\\uninstall.log", longLog);
    // The first stage returns only when the copy has removed the rest.
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/SILENT /log:\"" + logs + "\\uninstall.log\"", RunLimit), 1);
    EXPECT_FALSE(FileExists(installDir + "\\vxnorrik.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets"));
    // Then the copy deletes what the first stage ran from, and its batch file the copy.
    EXPECT_TRUE(WaitForTheCopy(temp));
    EXPECT_FALSE(FolderExists(installDir));
    // What stays may already be there from an earlier test of this prefix.
    std::vector<std::string> differences = CompareSnapshots(clean, TakeMachine(root), Stays);
    auto alreadyThere = [](const std::string& line) { return line.find("not added") != std::string::npos; };
    differences.erase(std::remove_if(differences.begin(), differences.end(), alreadyThere), differences.end());
    EXPECT_EQ(JoinLines(differences), "");

    std::string setupLog = FinishedLog(logs + "\\setup.log", "setup  exit code 1");
    for (const char* stage : {"closing running tools", "backing up settings", "removing earlier releases",
                              "removing old shortcuts", "removing obsolete files", "writing the registry",
                              "copying files", "creating the Start-menu group", "finishing"})
        EXPECT_NE(setupLog.find(std::string("  setup  end ") + stage + " after "), std::string::npos) << stage;
    EXPECT_NE(setupLog.find("copied " + installDir + "\\vxnorrik.exe (attempts: 1)"), std::string::npos);
    std::string uninstallLog = FinishedLog(logs + "\\uninstall.log", "uninstall (copy)  exit code 1");
    for (const char* stage : {"uninstall  end closing running tools", "uninstall  end waiting for the copy's report",
                              "uninstall  exit code 1", "uninstall (copy)  end removing shortcuts",
                              "uninstall (copy)  end cleaning the registry", "uninstall (copy)  end removing files",
                              "uninstall (copy)  end removing the first stage's program and library",
                              "uninstall (copy)  end writing the batch file"})
        EXPECT_NE(uninstallLog.find(stage), std::string::npos) << stage;
    EXPECT_NE(uninstallLog.find("deleted " + installDir + "\\uninstall.exe"), std::string::npos);
    EXPECT_NE(uninstallLog.substr(0, 16), longLog.substr(0, 16));
    EXPECT_EQ(ReadWholeFile(logs + "\\uninstall.log.old"), longLog);
}

// A file still in use goes at the next restart; the user's Explorer windows
// stay open. A log that cannot be written changes nothing.
TEST(RoundTrip, ASilentUninstallSchedulesWhatIsHeldAndClosesNoExplorerWindow)
{
    // The maker's folder holds nothing else: it goes at the restart too.
    const std::string root = FreshFolder("silent-held") + "\\zerv software";
    const std::string installDir = root + "\\vexlo";
    const std::string libraryJournal = FreshFolder("silent-held-journal") + "\\library.txt";
    ToolJournal journal(FreshFolder("silent-held-tools"));
    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe",
                         "/silent /path:\"" + root + "\\Vexlo\" /log:\"C:\\no such folder\\setup.log\"", RunLimit),
              1);
    ASSERT_EQ(journal.starts(9).size(), 9u);
    EXPECT_TRUE(FileExists(installDir + "\\Vexlo.dll"));
    EXPECT_FALSE(FolderExists("C:\\no such folder"));

    const std::string held = installDir + "\\vxambro.dll";
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", libraryJournal.c_str());
    int exitCode = RunProgram(installDir + "\\uninstall.exe", "/silent", RunLimit);
    SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", nullptr);
    EXPECT_EQ(exitCode, 3010);
    // Listed only once the copy has ended: the folder it removes cannot be listed meanwhile.
    EXPECT_TRUE(WaitForTheCopy(TempFolder()));
    CloseHandle(holder);

    EXPECT_EQ(FilesMatching(installDir, "*").size(), 1u);
    EXPECT_FALSE(FolderExists(installDir + "\\Sounds"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets"));
    std::string pending = ReadValue(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                                    "PendingFileRenameOperations")
                              .bytes;
    CharLowerA(&pending[0]);
    size_t file = pending.find("\\silent-held\\zerv software\\vexlo\\vxambro.dll");
    size_t folder = pending.find("\\silent-held\\zerv software\\vexlo" + std::string(1, '\0'));
    size_t maker = pending.find("\\silent-held\\zerv software" + std::string(1, '\0'));
    EXPECT_NE(file, std::string::npos);
    // Each folder after what is in it, so that it is empty when its turn comes.
    EXPECT_NE(maker, std::string::npos);
    EXPECT_GT(folder, file);
    EXPECT_GT(maker, folder);
    // No close of Explorer's windows (342), and none restored.
    EXPECT_EQ(ReadWholeFile(libraryJournal).find("342"), std::string::npos);
}

// A deployment tool tries again after a 2: the uninstaller and its entry are
// still there. Without an install folder the registry and the Start menu are
// cleaned all the same, and the entry goes, as in an interactive run.
TEST(RoundTrip, ASilentUninstallThatEndsWithTwoCanRunAgain)
{
    const std::string installDir = FreshFolder("silent-again") + "\\vexlo";
    const std::string temp = TempFolder();
    const char* const SuiteKey = "Software\\ZERV Software\\Vexlets";
    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /nostart /path:" + installDir, RunLimit), 1);
    // Under Wine a key with a subkey cannot be deleted: the suite key stays.
    WriteString(HKEY_LOCAL_MACHINE, std::string(SuiteKey) + "\\Kept", "Value", "kept");
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent", RunLimit), 2);
    EXPECT_TRUE(WaitForTheCopy(temp));
    EXPECT_TRUE(FileExists(installDir + "\\uninstall.exe"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey));

    DeleteTree(HKEY_LOCAL_MACHINE, std::string(SuiteKey) + "\\Kept");
    // The log asked for stays, and the folders that hold it; it is no leftover.
    // (The first run removed "Help", all but the first stage's files.)
    const std::string log = installDir + "\\Help\\u.log";
    CreateDirectoryA((installDir + "\\Help").c_str(), nullptr);
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent /log:\"" + log + "\"", RunLimit), 1);
    EXPECT_TRUE(WaitForTheCopy(temp));
    EXPECT_EQ(FilesMatching(installDir + "\\Help", "*"), std::vector<std::string>{"u.log"});
    EXPECT_TRUE(FilesMatching(installDir, "*").empty());
    EXPECT_NE(FinishedLog(log, "uninstall (copy)  exit code 1").find("\\vexlo\\Help: it holds what this run"),
              std::string::npos);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey));

    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /nostart /path:" + installDir, RunLimit), 1);
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "");
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent", RunLimit), 2);
    EXPECT_TRUE(WaitForTheCopy(temp));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey));
    EXPECT_FALSE(FolderExists(SpecialFolder(CSIDL_STARTMENU) + "\\Vexlo"));
    EXPECT_TRUE(FileExists(installDir + "\\vxnorrik.exe"));
    RemoveTree(installDir);
}

// "InstallPath" is only a registry value: a folder it names that is not the
// suite's own keeps its files and counts as missing, and so does one that
// cannot be reached. The second stage run by hand changes nothing.
TEST(RoundTrip, NoFolderButTheSuitesOwnIsCleaned)
{
    const std::string installDir = FreshFolder("others") + "\\vexlo";
    const std::string temp = TempFolder();
    const std::string programs = SpecialFolder(CSIDL_PROGRAM_FILES);
    const char* const SuiteKey = "Software\\ZERV Software\\Vexlets";
    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /nostart /path:" + installDir, RunLimit), 1);

    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/internally /silent", RunLimit), 3);
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/internally", RunLimit), 1);
    EXPECT_TRUE(FileExists(installDir + "\\vxnorrik.exe"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath").bytes, "c:\\vexlo-tests\\others\\vexlo" + std::string(1, '\0'));

    // Another product's sound and help, beside copies of the suite's own files.
    const std::vector<std::string> others = {programs + "\\chime.wav", programs + "\\Help\\other.hlp",
                                             programs + "\\uninstall.exe", programs + "\\Vexlo.dll"};
    CreateDirectoryA((programs + "\\Help").c_str(), nullptr);
    WriteWholeFile(others[0], "RIFF");
    WriteWholeFile(others[1], "help");
    CopyFileA((installDir + "\\uninstall.exe").c_str(), others[2].c_str(), FALSE);
    CopyFileA((installDir + "\\Vexlo.dll").c_str(), others[3].c_str(), FALSE);
    auto othersStay = [&] {
        for (const std::string& file : others)
            EXPECT_TRUE(FileExists(file)) << file;
    };

    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", programs);
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent", RunLimit), 2);
    EXPECT_TRUE(WaitForTheCopy(temp));
    othersStay();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EntryKey));

    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /nostart /path:" + installDir, RunLimit), 1);
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", programs);
    StartedProcess firstStage = StartProgram(installDir + "\\uninstall.exe", "");
    HWND question = WaitForDialog(firstStage.id, 20000);
    ASSERT_NE(question, nullptr);
    ClickButton(question, IDOK);
    EXPECT_EQ(WaitForExit(firstStage, RunLimit), 1);
    HWND missing = WaitForWindow(0, "#32770", "Vexlo", 20000);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(MessageBoxText(missing), "Cannot find install path to remove files.");
    ClickButton(missing, IDOK);
    EXPECT_TRUE(WaitForTheCopy(temp));
    othersStay();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SuiteKey));

    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", "/silent /nostart /path:" + installDir, RunLimit), 1);
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "\\\\no-such-server\\share\\vexlo");
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent", RunLimit), 2);
    EXPECT_TRUE(WaitForTheCopy(temp));

    for (const std::string& file : others)
        DeleteFileA(file.c_str());
    RemoveDirectoryA((programs + "\\Help").c_str());
    RemoveTree(installDir);
}

namespace {

// A value of the winget manifest's installer file: its first line "<key>: "
// after `section`, as winget reads it.
std::string ManifestValue(const std::string& section, const std::string& key)
{
    std::string text = ReadWholeFile(SourceFolder() + "\\packaging\\winget\\ZERVSoftware.Vexlo.installer.yaml");
    size_t at = text.find(key + ": ", text.find("\n" + section + ":"));
    if (at == std::string::npos)
        return "";
    at += key.size() + 2;
    return text.substr(at, text.find_first_of("\r\n", at) - at);
}

std::string Replaced(std::string text, const std::string& placeholder, const std::string& value)
{
    size_t at = text.find(placeholder);
    return at == std::string::npos ? text : text.replace(at, placeholder.size(), value);
}

} // namespace

// A management tool installs for every user of the PC with the winget
// manifest's switches; each user's values come at that user's logon, and the
// quiet uninstall takes it all away again.
TEST(RoundTrip, AnInstallForAllUsersReachesEachUserAtLogonAndGoesWhole)
{
    const std::string root = FreshFolder("all-users");
    std::string installDir = root + "\\vexlo";
    CharLowerA(&installDir[0]); // as setup stores it
    const std::string group = SpecialFolder(CSIDL_COMMON_STARTMENU) + "\\Vexlo";
    const std::string component = "Software\\Microsoft\\Active Setup\\Installed Components\\ZervVexlets";
    const std::string log = FreshFolder("all-users-log") + "\\setup.log";
    ToolJournal journal(FreshFolder("all-users-journal"));
    auto take = [&] {
        std::vector<RegistryBranch> branches = SuiteBranches;
        branches.push_back({HKEY_LOCAL_MACHINE, component});
        branches.push_back({HKEY_CURRENT_USER, component});
        return TakeSnapshot(branches, {root, SpecialFolder(CSIDL_STARTMENU), SpecialFolder(CSIDL_COMMON_STARTMENU),
                                       SpecialFolder(CSIDL_APPDATA), TempFolder()});
    };
    const Snapshot clean = take();
    const std::string switches = ManifestValue("InstallerSwitches", "  Silent") + " " +
                                 Replaced(ManifestValue("InstallerSwitches", "  InstallLocation"), "<INSTALLPATH>",
                                          root + "\\Vexlo") +
                                 " " + Replaced(ManifestValue("InstallerSwitches", "  Log"), "<LOGPATH>", log);
    ASSERT_EQ(RunProgram(DistFolder() + "\\setup.exe", switches, RunLimit), 0) << switches;
    EXPECT_NE(FinishedLog(log, "setup  exit code 0").find("setup  exit code 0"), std::string::npos);

    for (const char* key : {"DisplayName", "Publisher", "DisplayVersion"})
        EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, EntryKey, key).bytes,
                  ManifestValue("AppsAndFeaturesEntries", key) + '\0')
            << key;
    EXPECT_EQ(ManifestValue("AppsAndFeaturesEntries", "ProductCode"), "ZervVexlets");
    EXPECT_TRUE(FileExists(group + "\\zz Uninstall Vexlo.lnk"));
    EXPECT_EQ(FindWindowA(nullptr, group.c_str()), nullptr);
    EXPECT_TRUE(journal.starts(1, 2000).empty());
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, component, nullptr).bytes, std::string("Vexlo") + '\0');
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, component, "Version").bytes, std::string("1,0,0,0") + '\0');
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, component, "IsInstalled").bytes, std::string("\1\0\0\0", 4));
    const std::string userPart = installDir + "\\vexlo-user.exe";
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, component, "StubPath").bytes, "\"" + userPart + "\"" + '\0');

    // Setup wrote none of each user's values: the table's every HKCU row is missing.
    std::vector<std::string> beforeLogon = CompareRegistration(installDir, "");
    size_t perUser = std::count_if(ExpectedRegistration.begin(), ExpectedRegistration.end(),
                                   [](const ExpectedValue& row) { return row.root == HKEY_CURRENT_USER; });
    size_t missing = std::count_if(beforeLogon.begin(), beforeLogon.end(), [](const std::string& line) {
        return line.compare(0, 5, "HKCU\\") == 0 && line.find(": missing") != std::string::npos;
    });
    EXPECT_EQ(missing, perUser);
    for (const std::string& line : beforeLogon)
        EXPECT_EQ(line.compare(0, 5, "HKCU\\"), 0) << line;

    // The logon: Windows runs "StubPath" as the user, who then has what an
    // install by that user writes.
    EXPECT_EQ(RunProgram(userPart, "", RunLimit), 0);
    std::string autosave = ReadString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN");
    EXPECT_TRUE(FolderExists(autosave));
    EXPECT_EQ(JoinLines(CompareRegistration(installDir, autosave)), "");
    WriteString(HKEY_CURRENT_USER, component, "Version", "1,0,0,0"); // as Windows notes it

    // Again while a tool of another account holds its program: it is
    // replaced at the next restart, and the run says so.
    const std::string held = installDir + "\\vxglimmet.exe";
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunProgram(DistFolder() + "\\setup.exe", switches, RunLimit), 3010);
    CloseHandle(holder);
    std::vector<std::string> beside = FilesMatching(installDir, "vx*.tmp");
    ASSERT_EQ(beside.size(), 1u);
    const std::string sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
    std::string pending = ReadValue(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations").bytes;
    EXPECT_NE(pending.find(installDir + "\\" + beside[0] + '\0' + "!\\??\\" + held + '\0'), std::string::npos);

    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, EntryKey, "QuietUninstallString").bytes,
              "\"" + installDir + "\\uninstall.exe\" /silent /msicodes" + '\0');
    EXPECT_EQ(RunProgram(installDir + "\\uninstall.exe", "/silent /msicodes", RunLimit), 0);
    EXPECT_TRUE(WaitForTheCopy(TempFolder()));
    std::vector<std::string> differences = CompareSnapshots(clean, take(), Stays);
    auto alreadyThere = [](const std::string& line) { return line.find("not added") != std::string::npos; };
    differences.erase(std::remove_if(differences.begin(), differences.end(), alreadyThere), differences.end());
    EXPECT_EQ(JoinLines(differences), "");
    // Before the restart: no replacement would bring a file back into the removed folder.
    pending = ReadValue(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations").bytes;
    EXPECT_EQ(pending.find(installDir), std::string::npos);

    // Nothing of the suite is left to remove.
    EXPECT_EQ(RunProgram(DistFolder() + "\\uninstall.exe", "/silent /msicodes", RunLimit), 1605);
    EXPECT_TRUE(WaitForTheCopy(TempFolder()));
}
