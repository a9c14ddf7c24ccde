// The registration stage against a registry redirected to scratch keys.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "setup/registration/registry_settings.h"
#include "setup/state/install_context.h"
#include "suite/run/platform_calls.h"
#include "suite/vexlo.h"
#include "tests/support/expected_registration.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

const char* const Approved = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const char* const Sounds = "AppEvents\\Schemes\\Apps\\ZERV Pondry";

std::vector<std::pair<std::string, UINT>> messages;
std::vector<LONG> notifications;

int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR, UINT style)
{
    messages.push_back({text, style});
    return IDOK;
}

void WINAPI RecordNotification(LONG event, UINT flags, LPCVOID, LPCVOID)
{
    notifications.push_back(event ? event : -static_cast<LONG>(flags));
}

class Registration : public testing::Test {
protected:
    void SetUp() override
    {
        messages.clear();
        notifications.clear();
        Platform.messageBox = RecordMessage;
        Platform.changeNotify = RecordNotification;
        // Windows has this key; setup only adds its own application below it.
        WriteString(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default", nullptr, "Windows");
        char appData[MAX_PATH];
        SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
        autosave = std::string(appData) + "\\PNAutoSave";
        RemoveDirectoryA(autosave.c_str());
    }

    void TearDown() override
    {
        Platform.messageBox = MessageBoxA;
        Platform.changeNotify = SHChangeNotify;
        VxSetLanguage("GeneralLanguage", 0);
    }

    void Register(const std::string& folder, int silent = 0)
    {
        ResetInstallContext();
        EXPECT_TRUE(InstallContext.installDir.assign(folder.c_str()));
        InstallContext.silent = silent;
        RegisterSuite(InstallContext.installDir);
        // The entry's last values follow the copy, which these tests leave out.
        CompleteUninstallEntry(InstallContext.installDir, true, 0);
    }

    RegistrySandbox sandbox{"registration"};
    std::string autosave;
};

} // namespace

TEST_F(Registration, WritesEveryEntryOfTheTables)
{
    const std::string folder = "C:\\Program Files\\Vexlo Suite";
    Register(folder);
    EXPECT_EQ(CompareRegistration(folder, autosave), std::vector<std::string>{});
    EXPECT_TRUE(FolderExists(autosave));
    EXPECT_TRUE(messages.empty());
    // Each of the two file types tells the shell, then flushes.
    EXPECT_EQ(notifications, (std::vector<LONG>{SHCNE_ASSOCCHANGED, -SHCNF_FLUSH, SHCNE_ASSOCCHANGED, -SHCNF_FLUSH}));
}

TEST_F(Registration, SecondRunRewritesEverythingButAnExistingApproval)
{
    Register("C:\\Program Files\\Vexlo Suite");
    WriteString(HKEY_LOCAL_MACHINE, Approved, "{00000000-0002-5A45-5256-0020e48020af}", "approved by the admin");
    WriteString(HKEY_LOCAL_MACHINE, Approved, "{00000000-0001-5A45-5256-0020e48020af}", std::string(300, 'x'));
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "AutoPNT", "vxautopn.exe");

    const std::string moved = "D:\\Tools\\Vexlo";
    Register(moved);
    EXPECT_EQ(CompareRegistration(moved, autosave,
                                  {{HKEY_LOCAL_MACHINE, Approved, "{00000000-0002-5A45-5256-0020e48020af}",
                                    "approved by the admin"}}),
              std::vector<std::string>{});
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "AutoPNT").found);
}

TEST_F(Registration, UsersOwnSoundsSurviveAndEmptyOnesGetTheSuites)
{
    const std::string events = std::string(Sounds) + "\\";
    WriteString(HKEY_CURRENT_USER, events + "PN Help\\.Current", nullptr, "C:\\Media\\chime.wav");
    WriteString(HKEY_CURRENT_USER, events + "Pondry\\.Current", nullptr, "");
    WriteString(HKEY_CURRENT_USER, events + "Pondry\\.Default", nullptr, "D:\\x.wav");
    WriteString(HKEY_CURRENT_USER, events + "Restore Layout\\.Current", nullptr, "a");
    HKEY expandable;
    RegCreateKeyExA(HKEY_CURRENT_USER, (events + "Restore Layout\\.Default").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &expandable, nullptr);
    const char media[] = "%SystemRoot%\\media\\ding.wav";
    RegSetValueExA(expandable, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(media), sizeof(media));
    RegCloseKey(expandable);

    Register("C:\\Vexlo");

    auto sound = [&](const std::string& key) { return ReadValue(HKEY_CURRENT_USER, events + key, nullptr); };
    EXPECT_EQ(sound("PN Help\\.Current").bytes, std::string("C:\\Media\\chime.wav") + '\0');
    // ".Default" could not be read, so it gets what ".Current" just received.
    EXPECT_EQ(sound("PN Help\\.Default").bytes, std::string("C:\\Media\\chime.wav") + '\0');
    EXPECT_EQ(sound("Pondry\\.Current").bytes, std::string("C:\\Vexlo\\Sounds\\tki-tko.wav") + '\0');
    EXPECT_EQ(sound("Pondry\\.Default").bytes, std::string("D:\\x.wav") + '\0');
    EXPECT_EQ(sound("Restore Layout\\.Current").bytes, std::string("C:\\Vexlo\\Sounds\\gnoop.wav") + '\0');
    StoredValue kept = sound("Restore Layout\\.Default");
    EXPECT_EQ(kept.bytes, std::string(media, sizeof(media)));
    EXPECT_EQ(kept.type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(Registration, AUsersSoundTooLongForAPathBufferIsKept)
{
    const std::string events = std::string(Sounds) + "\\";
    const std::string longSound = "C:\\" + std::string(296, 'm') + ".wav";
    WriteString(HKEY_CURRENT_USER, events + "PN Help\\.Current", nullptr, longSound);

    Register("C:\\Vexlo");

    auto sound = [&](const std::string& key) { return ReadValue(HKEY_CURRENT_USER, events + key, nullptr); };
    EXPECT_EQ(sound("PN Help\\.Current").bytes, longSound + '\0');
    EXPECT_EQ(sound("PN Help\\.Default").bytes, std::string("C:\\Vexlo\\Sounds\\shhhuh.wav") + '\0');
}

TEST_F(Registration, AutosaveFolderIsKeptWhileItExists)
{
    std::string own = FreshFolder("autosave-own");
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN", own);
    Register("C:\\Vexlo");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN"), own);
    EXPECT_FALSE(FolderExists(autosave));

    RemoveTree(own);
    Register("C:\\Vexlo");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN"), autosave);
    EXPECT_TRUE(FolderExists(autosave));
}

TEST_F(Registration, UnwritableApprovalsAreReportedOnceEachUnlessSilent)
{
    // Windows refuses a lasting key below a volatile one: the approved list
    // cannot be made, while everything else can be written as usual.
    HKEY volatileParent;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions", 0,
                              nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileParent, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileParent);

    Register("C:\\Vexlo", 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Approved));

    Register("C:\\Vexlo");
    const std::string rights = " context menu extension on this computer \r\nAdministrator or Power User rights are "
                               "required.";
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, UINT>>{{"To install the Norrik" + rights, MB_OK},
                                                                   {"To install the Ambro" + rights, MB_OK},
                                                                   {"To install the Vexlo Brolla" + rights, MB_OK}}));
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}", nullptr), "Vexlo Ambro");
}

TEST_F(Registration, SettingsTypeIsNamedInTheCurrentLanguage)
{
    VxSetLanguage("GeneralLanguage", 2);
    Register("C:\\Vexlo");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "ZervSettings", nullptr), "Vexlo-Einstellungen");
}

TEST_F(Registration, ValuesThatWouldNotFitTheirBufferAreLeftOut)
{
    // 245 characters: "\vxbrollashell.dll" no longer fits 259, "\vxnkmenu.dll" does,
    // and the archive's open command still fits its larger buffer.
    const std::string folder = "C:\\" + std::string(242, 'v');
    Register(folder);
    EXPECT_FALSE(
        ReadValue(HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}\\InProcServer32", nullptr).found);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}\\InProcServer32", nullptr),
              folder + "\\vxnkmenu.dll");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "ZervBrolla\\Shell\\open\\command", nullptr),
              "\"" + folder + "\\vxbrolla.exe\" \"%1\"");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                         "UninstallString"),
              "\"" + folder + "\\uninstall.exe\"");
    // The entry's command and icon have room for any folder.
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                         "DisplayIcon"),
              folder + "\\uninstall.exe,0");
}
