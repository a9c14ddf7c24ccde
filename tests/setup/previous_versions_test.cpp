// Earlier standalone releases of the layout tool are removed before installing.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "setup/driver/previous_versions.h"
#include "suite/run/platform_calls.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"

namespace {

const std::string UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::vector<std::string> recordedStarts;

HINSTANCE WINAPI RecordStart(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    recordedStarts.push_back(file);
    return reinterpret_cast<HINSTANCE>(33);
}

class PreviousVersions : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* program : Uninstallers)
            CopyFileA((DistFolder() + "\\vxpondry.exe").c_str(), (folder + "\\" + program).c_str(), FALSE);
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        currentFolder = current;
    }

    void TearDown() override
    {
        for (const char* program : Uninstallers)
            EndProcessesNamed(program);
    }

    void Register(const char* release, const std::string& uninstallString)
    {
        WriteString(HKEY_LOCAL_MACHINE, UninstallKey + release, "UninstallString", uninstallString);
    }

    static constexpr const char* Uninstallers[] = {"unpondry3.exe", "unpondry2.exe", "unpondry1.exe"};
    RegistrySandbox sandbox{"previous-versions"};
    std::string folder = FreshFolder("previous-versions");
    ToolJournal journal{folder};
    std::string currentFolder;
};

} // namespace

TEST_F(PreviousVersions, StartsEachReleasesUninstallerNewestFirstAndDropsTheUnnumberedEntry)
{
    WriteString(HKEY_LOCAL_MACHINE, UninstallKey + "ZervPondry", "DisplayName", "Pondry");
    Register("ZERV Pondry 1.0", folder + "\\unpondry1.exe /uninstall");
    Register("ZERV Pondry 2.0", folder + "\\unpondry2.exe /uninstall /quiet");
    Register("ZERV Pondry 3.0", folder + "\\unpondry3.exe /uninstall C:\\Pondry\\install.log");

    RemovePreviousVersions();

    EXPECT_EQ(journal.starts(3), (std::vector<std::string>{
                                     folder + "\\unpondry3.exe|/uninstall C:\\Pondry\\install.log|" + currentFolder,
                                     folder + "\\unpondry2.exe|/uninstall /quiet|" + currentFolder,
                                     folder + "\\unpondry1.exe|/uninstall|" + currentFolder,
                                 }));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey + "ZervPondry"));
    for (const char* release : {"ZERV Pondry 3.0", "ZERV Pondry 2.0", "ZERV Pondry 1.0"})
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey + release)) << release;
}

TEST_F(PreviousVersions, StringsWithoutAProgramBeforeTheSwitchStartNothing)
{
    Register("ZERV Pondry 3.0", folder + "\\unpondry3.exe -remove");
    Register("ZERV Pondry 2.0", "/uninstall " + folder + "\\unpondry2.exe");
    WriteString(HKEY_LOCAL_MACHINE, UninstallKey + "ZERV Pondry 1.0", "DisplayName", "no uninstall string");

    RemovePreviousVersions();
    EXPECT_TRUE(journal.starts(1, 500).empty());

    // Blanks before the switch name no program either: nothing is started in
    // its place. (Wine opens nothing for an empty program; Windows opens a folder.)
    Platform.shellExecute = RecordStart;
    Register("ZERV Pondry 2.0", "  /uninstall");
    RemovePreviousVersions();
    Platform.shellExecute = ShellExecuteA;
    EXPECT_TRUE(recordedStarts.empty());

    // The next release is still handled.
    Register("ZERV Pondry 1.0", folder + "\\unpondry1.exe /uninstall");
    RemovePreviousVersions();
    EXPECT_EQ(journal.starts(2, 500), std::vector<std::string>{folder + "\\unpondry1.exe|/uninstall|" + currentFolder});
}
