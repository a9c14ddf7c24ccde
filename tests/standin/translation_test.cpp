// The stand-in library's translations. The Translation* cases also run under
// the Japanese, Russian and Czech code pages (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "suite/catalogue/suite_identity.h"
#include "suite/vexlo.h"
#include "tests/support/catalogue.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

// The catalogue as built into the library.
CatalogueBlocks BuiltInCatalogue()
{
    CatalogueBlocks blocks = ReadCatalogue(VxModuleHandle);
    EXPECT_FALSE(blocks.empty()) << "no catalogue in the library";
    return blocks;
}

// What the user should see for a UTF-8 text in this process's code page, or
// `fallback` when the code page cannot show it.
std::string InAnsi(const std::string& utf8, const std::string& fallback)
{
    std::wstring wide = WideFromUtf8(utf8);
    std::string ansi(wide.size() * 2 + 1, '\0');
    BOOL lossy = FALSE;
    ansi.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide.size(), &ansi[0], ansi.size(),
                                    nullptr, &lossy));
    return lossy ? fallback : ansi;
}

std::string WithLineBreaks(std::string text)
{
    for (size_t at; (at = text.find("::")) != std::string::npos;)
        text.replace(at, 2, "\r\n");
    return text;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class Translation : public testing::Test {
protected:
    void SetUp() override
    {
        // A run meant for another code page that got the usual one would pass
        // without showing a single translated text.
        if (const char* expected = getenv("VEXLO_EXPECTED_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), strtoul(expected, nullptr, 10)) << "not the code page this run is for";
        }
        InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup);
    }
    void TearDown() override { VxSetLanguage("GeneralLanguage", 0); }

    RegistrySandbox sandbox_{"translation"};
};

} // namespace

TEST_F(Translation, CatalogueHasEveryLanguageAndKeepsMarksAndFormats)
{
    CatalogueBlocks blocks = BuiltInCatalogue();
    ASSERT_GE(blocks.size(), 30u);
    std::map<std::string, int> seen;
    for (const auto& [english, translations] : blocks) {
        SCOPED_TRACE(english);
        EXPECT_EQ(++seen[english], 1) << "listed twice";
        for (int language = 1; language <= 8; ++language) {
            auto found = translations.find(LanguageCodes[language]);
            ASSERT_NE(found, translations.end()) << "no line " << LanguageCodes[language];
            const std::string& text = found->second;
            EXPECT_NE(text, english) << LanguageCodes[language];
            // Formats go to wsprintfA: one "%s" and no other directive.
            EXPECT_EQ(Count(text, "%"), Count(english, "%s")) << LanguageCodes[language];
            EXPECT_EQ(Count(text, "%s"), Count(english, "%s")) << LanguageCodes[language];
            EXPECT_EQ(Count(text, "::"), Count(english, "::")) << LanguageCodes[language];
            EXPECT_EQ(Count(text, "&"), Count(english, "&")) << LanguageCodes[language];
        }
    }
    // Start-menu entries are named by their texts: a translation brings no
    // character that file names cannot hold and its English text lacks.
    for (const auto& [english, translations] : blocks)
        for (const auto& [code, text] : translations)
            for (char c : std::string("\\/:*?\"<>|"))
                if (english.find(c) == std::string::npos) {
                    EXPECT_EQ(text.find(c), std::string::npos) << code << ": " << text;
                }
}

TEST_F(Translation, EveryLanguageAnswersInTheCodePageOrInEnglish)
{
    const char* const expected[] = {
        "Cannot copy %s.",         "Impossible de copier %s.", "%s kann nicht kopiert werden.",
        "%s をコピーできません。", "No se puede copiar %s.",   "Det går inte att kopiera %s.",
        "Impossibile copiare %s.", "Soubor %s nelze zkopírovat.", "Не удаётся скопировать %s.",
    };
    for (int language = 0; language <= 8; ++language) {
        VxSetLanguage("GeneralLanguage", language);
        EXPECT_EQ(std::string(VxTranslate("Cannot copy %s.", 0)), InAnsi(expected[language], "Cannot copy %s."))
            << LanguageCodes[language] << " in code page " << GetACP();
    }

    // Every text of the catalogue, in every language, through the library itself.
    for (const auto& [english, translations] : BuiltInCatalogue()) {
        for (int language = 1; language <= 8; ++language) {
            VxSetLanguage("GeneralLanguage", language);
            std::string shown = VxTranslate(english.c_str(), 0);
            EXPECT_EQ(shown, WithLineBreaks(InAnsi(translations.at(LanguageCodes[language]), english)))
                << LanguageCodes[language] << ": " << english;
            EXPECT_EQ(Count(shown, "%s"), Count(english, "%s"));
        }
    }
}

TEST_F(Translation, ColonPairsBecomeLineBreaksAndUnknownTextsStay)
{
    VxSetLanguage("GeneralLanguage", 2);
    const char* const english =
        "Please close the application using it. Or, install into a different folder. ::::Press OK to try copying again.";
    std::string german = VxTranslate(english, 0);
    EXPECT_EQ(german, InAnsi("Bitte schließen Sie die Anwendung, die die Datei verwendet, oder installieren Sie in "
                             "einen anderen Ordner. \r\n\r\nKlicken Sie auf OK, um erneut zu kopieren.",
                             WithLineBreaks(english)));

    EXPECT_STREQ(VxTranslate("Not a text of the suite::here", 0), "Not a text of the suite\r\nhere");
    EXPECT_STREQ(VxTranslate("odd:::run", 0), "odd\r\n:run");
    EXPECT_STREQ(VxTranslate("", 0), "");
    // Near misses are other texts.
    EXPECT_STREQ(VxTranslate("cannot copy %s.", 0), "cannot copy %s.");
    EXPECT_STREQ(VxTranslate("Cannot copy %s. ", 0), "Cannot copy %s. ");

    // The previous result stays readable while the next one is asked for.
    const char* first = VxTranslate("Stop all", 0);
    const char* second = VxTranslate("All", 0);
    EXPECT_STREQ(first, "Alle beenden");
    EXPECT_STREQ(second, "Alle");

    VxSetLanguage("GeneralLanguage", 10);
    EXPECT_STREQ(VxTranslate("Stop all", 0), "Stop all");
    VxSetLanguage("GeneralLanguage", -1);
    EXPECT_STREQ(VxTranslate("Stop all", 0), "Stop all");
}

TEST_F(Translation, WindowHandleTranslatesTheDialogInPlace)
{
    auto open = [] {
        return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), nullptr, PlainDialog, 0);
    };
    auto text = [](HWND dialog, int id) {
        char buffer[256] = "";
        GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
        return std::string(buffer);
    };

    HWND english = open();
    ASSERT_NE(english, nullptr);
    EXPECT_STREQ(VxTranslate(reinterpret_cast<const char*>(english), 0), "");
    char caption[256];
    GetWindowTextA(english, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Vexlo Setup");
    EXPECT_EQ(text(english, 1010), "None");
    DestroyWindow(english);

    VxSetLanguage("GeneralLanguage", 2);
    HWND german = open();
    ASSERT_NE(german, nullptr);
    EXPECT_STREQ(VxTranslate(reinterpret_cast<const char*>(german), 0), "");
    GetWindowTextA(german, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Vexlo-Setup");
    EXPECT_EQ(text(german, IDCANCEL), "&Abbrechen");
    EXPECT_EQ(text(german, 1005), "Alle");
    EXPECT_EQ(text(german, 1010), "Keine");
    EXPECT_EQ(text(german, 1008),
              InAnsi("Bitte wählen Sie die Vexlets, die installiert werden sollen. Alle anderen werden gelöscht.",
                     "Please select the Vexlets you want to install. All others will be deleted."));
    EXPECT_EQ(text(german, IDOK), "&OK");
    EXPECT_EQ(text(german, 1015), "Keep this text");
    DestroyWindow(german);
}

TEST_F(Translation, StoredLanguageTakesEffectAtInitialisation)
{
    const std::string suiteKey = "Software\\ZERV Software\\Vexlets";
    auto initialised = [] {
        InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup);
        return std::string(VxTranslate("Stop all", 0));
    };
    EXPECT_EQ(initialised(), "Stop all");
    WriteDword(HKEY_CURRENT_USER, suiteKey, "GeneralLanguage", 2);
    EXPECT_EQ(initialised(), "Alle beenden");
    WriteDword(HKEY_CURRENT_USER, suiteKey, "GeneralLanguage", 5);
    EXPECT_EQ(initialised(), "Stoppa alla");
    WriteDword(HKEY_CURRENT_USER, suiteKey, "GeneralLanguage", 10);
    EXPECT_EQ(initialised(), "Stop all");
    WriteString(HKEY_CURRENT_USER, suiteKey, "GeneralLanguage", "2");
    EXPECT_EQ(initialised(), "Stop all");
    // Only the current user's choice counts.
    WriteDword(HKEY_LOCAL_MACHINE, suiteKey, "GeneralLanguage", 2);
    EXPECT_EQ(initialised(), "Stop all");
}

TEST_F(Translation, YourLanguageComesFromTheUsersFileBesideTheLibrary)
{
    char libraryPath[MAX_PATH];
    GetModuleFileNameA(VxModuleHandle, libraryPath, MAX_PATH);
    std::string folder = libraryPath;
    folder.erase(folder.rfind('\\') + 1);
    const std::string beside = folder + "Vexlo_Lang.txt";
    const std::string sorted = folder + "Languages\\Vexlo_Lang.txt";
    struct Cleanup {
        std::string beside, sorted, folder;
        ~Cleanup()
        {
            DeleteFileA(beside.c_str());
            DeleteFileA(sorted.c_str());
            RemoveDirectoryA((folder + "Languages").c_str());
        }
    } cleanup{beside, sorted, folder};

    VxSetLanguage("GeneralLanguage", 9);
    EXPECT_STREQ(VxTranslate("Stop all", 0), "Stop all");

    WriteWholeFile(beside, "\xEF\xBB\xBF# mine\r\nen: Stop all\r\nmy: Alles stop::pen\r\nen: All\r\nfr: Tous\r\n"
                           "en: Cannot copy %s.\r\nmy: %s %s kopiert nicht\r\nen: Uninstall %s\r\nmy: 100% weg\r\n"
                           "en: Welcome to %s!\r\nmy: Willkommen in %s\r\n");
    VxSetLanguage("GeneralLanguage", 9);
    EXPECT_STREQ(VxTranslate("Stop all", 0), "Alles stop\r\npen");
    EXPECT_STREQ(VxTranslate("All", 0), "All");
    EXPECT_STREQ(VxTranslate("None", 0), "None");
    // A format that would take other arguments than the English one stays English.
    EXPECT_STREQ(VxTranslate("Cannot copy %s.", 0), "Cannot copy %s.");
    EXPECT_STREQ(VxTranslate("Uninstall %s", 0), "Uninstall %s");
    EXPECT_STREQ(VxTranslate("Welcome to %s!", 0), "Willkommen in %s");

    // A file saved in the ANSI code page by an older editor is read as it is.
    WriteWholeFile(beside, "en: None\nmy: Aucun \xE9l\xE9ment\n");
    VxSetLanguage("GeneralLanguage", 9);
    EXPECT_STREQ(VxTranslate("None", 0), "Aucun \xE9l\xE9ment");

    // Setup sorts "_Lang.txt" files into Languages; that copy comes first.
    CreateDirectoryA((folder + "Languages").c_str(), nullptr);
    WriteWholeFile(sorted, "en: None\nmy: Niets\n");
    VxSetLanguage("GeneralLanguage", 9);
    EXPECT_STREQ(VxTranslate("None", 0), "Niets");

    DeleteFileA(sorted.c_str());
    DeleteFileA(beside.c_str());
    VxSetLanguage("GeneralLanguage", 9);
    EXPECT_STREQ(VxTranslate("None", 0), "None");
}
