// Removing keys and values that setup registered, in a sandboxed registry.
#include <gtest/gtest.h>

#include <string>

#include "suite/system/registry_keys.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/registry_sandbox.h"
#include "uninstall/removal/registry_cleanup.h"

namespace {

class RegistryCleanup : public testing::Test {
protected:
    RegistrySandbox sandbox{"registry-cleanup"};
    PlatformRecorder platform;
};

} // namespace

TEST_F(RegistryCleanup, DeleteKeyTreeEmptiesDepthFirstOrTakesTheWholeKey)
{
    for (const char* leaf : {"Tool\\A\\B\\C\\D", "Tool\\A\\B2", "Tool\\E"})
        WriteString(HKEY_CURRENT_USER, std::string("Software\\Deep\\") + leaf, "v", "x");
    WriteString(HKEY_CURRENT_USER, "Software\\Deep\\Tool", "kept", "value");

    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Deep\\Tool", KeyTreeMode::SubkeysOnly);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Deep\\Tool"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Deep\\Tool\\A"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Deep\\Tool\\E"));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Deep\\Tool", "kept"), "value");

    WriteString(HKEY_CURRENT_USER, "Software\\Deep\\Tool\\X\\Y", "v", "x");
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Deep\\Tool", KeyTreeMode::WholeKey);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Deep\\Tool"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Deep"));

    // Directly below the root, and a key that is not there.
    WriteString(HKEY_CLASSES_ROOT, ".vxg\\ShellNew", "NullFile", "");
    DeleteKeyTree(HKEY_CLASSES_ROOT, ".vxg", KeyTreeMode::WholeKey);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".vxg"));
    DeleteKeyTree(HKEY_CLASSES_ROOT, "Missing\\Key", KeyTreeMode::WholeKey);
    DeleteKeyTree(HKEY_CLASSES_ROOT, "Missing", KeyTreeMode::SubkeysOnly);
}

TEST_F(RegistryCleanup, ZipAssociationGoesOnlyWhenItNamesTheArchiveType)
{
    for (const char* type : {"zervbrolla", "ZERVBROLLA", "ZervBrolla"}) {
        WriteString(HKEY_CLASSES_ROOT, ".zip", nullptr, type);
        WriteString(HKEY_CLASSES_ROOT, ".zip\\ShellNew", "NullFile", "");
        CleanRegistry();
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zip")) << type;
    }
    for (const char* type : {"CompressedFolder", ""}) {
        WriteString(HKEY_CLASSES_ROOT, ".zip", nullptr, type);
        CleanRegistry();
        EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".zip")) << type;
    }
}

TEST_F(RegistryCleanup, MakerKeysGoUnlessAnotherProductKeepsOne)
{
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software", "Registered", "yes");
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry\\Layouts\\Desk 1", "x", "1");
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Vexlets\\Windows", "x", "1");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", "C:\\Vexlo");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Other Product", "InstallPath", "C:\\Other");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", "Vexlo.hlp", "C:\\Vexlo\\Help");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", "Other.hlp", "C:\\Other");
    WriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
                "{00000000-0001-5A45-5256-0020e48020af}", "Vexlo Ambro");

    CleanRegistry();
    CleanRegistry(); // a second run finds nothing and does no harm

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\ZERV Software"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Other Product"));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", "Vexlo.hlp").found);
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", "Other.hlp").found);
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
                          "{00000000-0001-5A45-5256-0020e48020af}")
                    .found);
    // Only the layout type tells the shell, once per run.
    EXPECT_EQ(platform.notificationsOf(SHCNE_ASSOCCHANGED), 2u);

    DeleteTree(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Other Product");
    CleanRegistry();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software"));
}
