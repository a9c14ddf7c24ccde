#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "suite/catalogue/suite_identity.h"
#include "suite/vexlo.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

class RuntimeLibrary : public testing::Test {
protected:
    void SetUp() override { InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup); }
    void TearDown() override { InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup); }
};

} // namespace

TEST_F(RuntimeLibrary, EnglishTextsComeBackWithColonPairsAsLineBreaks)
{
    EXPECT_STREQ(VxTranslate("Cannot copy %s.", 0), "Cannot copy %s.");
    EXPECT_STREQ(VxTranslate("Space Required:   %s MB", 0), "Space Required:   %s MB");
    EXPECT_STREQ(VxTranslate("a::b", 0), "a\r\nb");
    EXPECT_STREQ(VxTranslate("folder. ::::Press OK", 0), "folder. \r\n\r\nPress OK");
    EXPECT_STREQ(VxTranslate("odd:::run", 0), "odd\r\n:run");
    EXPECT_STREQ(VxTranslate("", 0), "");
}

TEST_F(RuntimeLibrary, WindowHandleInPlaceOfATextIsNoText)
{
    HWND window = CreateWindowExA(0, "STATIC", "Probe", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(VxTranslate(reinterpret_cast<const char*>(window), 0), "");
    DestroyWindow(window);
}

TEST_F(RuntimeLibrary, SuiteValuesLiveUnderTheSuiteKeyOfTheGivenRoot)
{
    RegistrySandbox sandbox("suite-values");
    VxWriteSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", "C:\\Program Files\\Vexlo");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath"),
              "C:\\Program Files\\Vexlo");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\ZERV Software\\Vexlets"));

    char buffer[MAX_PATH] = "preset";
    EXPECT_NE(VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", buffer), 0);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Vexlo");

    lstrcpyA(buffer, "preset");
    EXPECT_EQ(VxReadSuiteValue(HKEY_CURRENT_USER, "InstallPath", buffer), 0);
    EXPECT_STREQ(buffer, "preset");

    // A value that does not fit the caller's path buffer is not read at all.
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", std::string(MAX_PATH, 'l'));
    EXPECT_EQ(VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", buffer), 0);
    EXPECT_STREQ(buffer, "preset");
}

TEST_F(RuntimeLibrary, SuiteKeyComesFromInitialisation)
{
    RegistrySandbox sandbox("suite-key");
    VxInitialize(GetModuleHandleA(nullptr), "P", "P", "Id", "S", "S", "Software\\Elsewhere\\Suite", "h.hlp", "t",
                 "E", 0, 0, 0, 0, 71, 50, "", "", 1);
    VxWriteSuiteValue(HKEY_CURRENT_USER, "Probe", "moved");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Elsewhere\\Suite", "Probe"), "moved");
}

TEST_F(RuntimeLibrary, MakeFolderCreatesParentsAndReportsTheOutcome)
{
    std::string root = FreshFolder("make-folder");
    std::string nested = root + "\\one\\two\\three";
    EXPECT_NE(VxMakeFolder(nested.c_str()), 0);
    EXPECT_TRUE(FolderExists(nested));
    EXPECT_NE(VxMakeFolder(nested.c_str()), 0);
    EXPECT_NE(VxMakeFolder((root + "\\trailing\\").c_str()), 0);
    EXPECT_TRUE(FolderExists(root + "\\trailing"));

    EXPECT_EQ(VxMakeFolder(""), 0);
    EXPECT_EQ(VxMakeFolder("q:\\no such drive"), 0);
    WriteWholeFile(root + "\\file", "x");
    EXPECT_EQ(VxMakeFolder((root + "\\file\\below").c_str()), 0);
}

TEST_F(RuntimeLibrary, ModuleHandleExportIsTheLibraryWithItsIcon)
{
    EXPECT_EQ(VxModuleHandle, GetModuleHandleA("Vexlo.dll"));
    EXPECT_NE(LoadIconA(VxModuleHandle, MAKEINTRESOURCEA(2551)), nullptr);
    EXPECT_EQ(VxIconOffset(), 0);
}

TEST_F(RuntimeLibrary, WritesCreateMissingKeysAndFailedReadsLeaveTheBuffer)
{
    RegistrySandbox sandbox("registry-values");
    const char* const deepKey = "Software\\ZERV Software\\Deep\\Er";
    DWORD language = 7;
    VxWriteRegistryValue(HKEY_CURRENT_USER, deepKey, "GeneralLanguage", REG_DWORD, &language, sizeof(language));
    const char command[] = "\"C:\\Program Files\\Vexlo\\vxpondry.exe\" \"%1\"";
    VxWriteRegistryValue(HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\open\\command", nullptr, REG_SZ, command,
                         sizeof(command));

    DWORD number = 0;
    EXPECT_NE(VxReadRegistryValue(HKEY_CURRENT_USER, deepKey, "GeneralLanguage", &number, sizeof(number)), 0);
    EXPECT_EQ(number, 7u);
    char buffer[100] = "preset";
    EXPECT_NE(VxReadRegistryValue(HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\open\\command", nullptr, buffer,
                                  sizeof(buffer)),
              0);
    EXPECT_STREQ(buffer, command);

    for (auto [key, name, size] : {std::make_tuple("Control Panel\\International", "Locale", 100),
                                   std::make_tuple(deepKey, "Missing", 100),
                                   std::make_tuple("ZervPondry\\Shell\\open\\command", (const char*)nullptr, 5)}) {
        lstrcpyA(buffer, "preset");
        HKEY root = lstrcmpA(key, "ZervPondry\\Shell\\open\\command") == 0 ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        EXPECT_EQ(VxReadRegistryValue(root, key, name, buffer, size), 0) << key;
        EXPECT_STREQ(buffer, "preset") << key;
    }
}
