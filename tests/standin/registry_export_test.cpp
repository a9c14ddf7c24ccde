#include <gtest/gtest.h>

#include <string>

#include "suite/vexlo.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/snapshot.h"
#include "tests/support/test_files.h"

namespace {

const char* const Branch = "Software\\VexloTests\\Export";
const char* const BranchName = "HKEY_CURRENT_USER\\Software\\VexloTests\\Export";

void WriteValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

void WriteText(const std::string& key, const char* name, DWORD type, const std::string& text)
{
    WriteValue(key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

int ImportWithRegedit(const std::string& file)
{
    return RunProgram("C:\\windows\\regedit.exe", "/s \"" + file + "\"", 60000);
}

} // namespace

// What setup saves, regedit must be able to put back exactly: every value type,
// escaped characters, default values, long binary data and empty keys.
TEST(RegistryExport, RegeditRestoresTheSavedBranchExactly)
{
    DeleteTree(HKEY_CURRENT_USER, Branch);
    std::string key = Branch;
    WriteText(key, nullptr, REG_SZ, "default value");
    WriteText(key, "Path", REG_SZ, "C:\\Program Files\\Vexlo");
    WriteText(key, "Quoted \"name\"", REG_SZ, "say \"hi\" \\ there");
    WriteText(key, "Accented", REG_SZ, "caf\xe9 \xfc");
    WriteText(key, "Empty", REG_SZ, "");
    WriteText(key, "Lines", REG_SZ, "first\r\nsecond");
    WriteText(key, "Expand", REG_EXPAND_SZ, "%TEMP%\\vexlo");
    WriteValue(key, "Multi", REG_MULTI_SZ, "one\0two\0\0", 9);
    DWORD number = 0xdeadbeef;
    WriteValue(key, "Number", REG_DWORD, &number, sizeof(number));
    unsigned long long big = 0x0123456789abcdefULL;
    WriteValue(key, "Big", REG_QWORD, &big, sizeof(big));
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += static_cast<char>(i * 7);
    WriteValue(key, "Blob", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    WriteValue(key, "Nothing", REG_NONE, nullptr, 0);
    WriteText(key + "\\Norrik\\Jobs", "Job 1", REG_SZ, "D:\\Data");
    WriteText(key + "\\Orvex", "Add Your Subkeys Here!", REG_SZ, "timer");
    HKEY emptyKey;
    RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\Empty Key").c_str(), 0, nullptr, 0, KEY_READ, nullptr, &emptyKey,
                    nullptr);
    RegCloseKey(emptyKey);

    Snapshot saved;
    AddRegistryBranch(saved, HKEY_CURRENT_USER, Branch);
    std::string file = FreshFolder("export") + "\\Vexlo Settings before Setup 20261207-131850.123";
    VxSaveRegistryBranch(0, BranchName, file.c_str());
    ASSERT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(file + ".part"));
    std::string content = ReadWholeFile(file);
    EXPECT_EQ(content.rfind("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VexloTests\\Export]\r\n", 0), 0u) << content;
    EXPECT_NE(content.find("\"Path\"=\"C:\\\\Program Files\\\\Vexlo\""), std::string::npos);
    EXPECT_NE(content.find("\"Number\"=dword:deadbeef"), std::string::npos);

    DeleteTree(HKEY_CURRENT_USER, Branch);
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, Branch));
    ASSERT_EQ(ImportWithRegedit(file), 0);

    Snapshot restored;
    AddRegistryBranch(restored, HKEY_CURRENT_USER, Branch);
    EXPECT_EQ(JoinLines(CompareSnapshots(saved, restored, {})), "");
    DeleteTree(HKEY_CURRENT_USER, Branch);
}

TEST(RegistryExport, MissingBranchGivesAnExportThatChangesNothing)
{
    DeleteTree(HKEY_CURRENT_USER, Branch);
    std::string file = FreshFolder("export-missing") + "\\backup";
    VxSaveRegistryBranch(0, BranchName, file.c_str());
    EXPECT_EQ(ReadWholeFile(file), "REGEDIT4\r\n\r\n");
}

TEST(RegistryExport, UnwritableTargetLeavesNoFileBehind)
{
    std::string folder = FreshFolder("export-unwritable");
    WriteText(Branch, "Probe", REG_SZ, "x");
    VxSaveRegistryBranch(0, BranchName, (folder + "\\missing folder\\backup").c_str());
    EXPECT_TRUE(FilesMatching(folder, "*").empty());
    VxSaveRegistryBranch(0, "HKEY_NOWHERE\\Software", (folder + "\\backup").c_str());
    EXPECT_FALSE(FileExists(folder + "\\backup"));
    DeleteTree(HKEY_CURRENT_USER, Branch);
}
