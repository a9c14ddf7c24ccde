// The options and selection dialogs, run modally from setup's own templates
// while a second thread plays the user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "setup/dialogs/options_dialog.h"
#include "setup/dialogs/selection_dialog.h"
#include "setup/state/distribution_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/run/running_tools.h"
#include "suite/vexlo.h"
#include "tests/support/catalogue.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"
#include "tests/support/window_driver.h"

namespace {

std::string Text(HWND dialog, int control)
{
    return control ? ControlText(dialog, control) : WindowText(dialog);
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override
    {
        resources = LoadLibraryExA((DistFolder() + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources, nullptr);
        ResetInstallContext();
        FillComponentTable();
        RunningTools = {};
        InstallContext.instance = resources;
        EXPECT_TRUE(InstallContext.installDir.assign(folder.c_str()));
    }

    void TearDown() override
    {
        VxSetLanguage("GeneralLanguage", 0);
        FreeLibrary(resources);
    }

    // Opens a dialog modally; `user` drives it from another thread and must end it.
    INT_PTR Run(int templateId, DLGPROC procedure, int knownControl, const std::function<void(HWND)>& user)
    {
        std::thread driver([&] {
            if (HWND dialog = WaitForDialogWithControl(GetCurrentProcessId(), knownControl, 10000))
                user(dialog);
        });
        INT_PTR result = DialogBoxParamA(resources, MAKEINTRESOURCEA(templateId), nullptr, procedure, 0);
        driver.join();
        return result;
    }

    INT_PTR RunOptions(const std::function<void(HWND)>& user)
    {
        return Run(IDD_OPTIONS, OptionsDialog, IDC_LANGUAGE_BOX, user);
    }

    // Opens the options dialog, reads what `look` wants, and cancels.
    void LookAtOptions(const std::function<void(HWND)>& look)
    {
        platform.answers = {IDOK};
        RunOptions([&](HWND dialog) {
            look(dialog);
            SendCommand(dialog, IDCANCEL);
        });
    }

    int ChosenLanguage()
    {
        int chosen = -2;
        LookAtOptions([&](HWND dialog) { chosen = static_cast<int>(SendDlgItemMessageA(dialog, IDC_LANGUAGE_BOX, CB_GETCURSEL, 0, 0)); });
        return chosen;
    }

    RegistrySandbox sandbox{"dialogs"};
    PlatformRecorder platform;
    HMODULE resources = nullptr;
    std::string folder = FreshFolder("dialogs") + "\\Vexlo";
};

const char* const International = "Control Panel\\International";

INT_PTR CALLBACK UntranslatedDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The letter after the single "&" (upper case), or 0; "(&I)" is how Japanese shows it.
wchar_t AccessKey(const std::wstring& text)
{
    for (size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != L'&')
            continue;
        if (text[at + 1] != L'&') {
            wchar_t key[] = {text[at + 1], L'\0'};
            CharUpperW(key);
            return key[0];
        }
        ++at;
    }
    return 0;
}

// How far `text` (a "%s" standing for a figure) runs past `control` in the
// dialog's font, in pixels; 0 or less when it fits. A check box's box takes
// its part, a button's edges theirs; a label of more lines breaks at blanks.
// Glyphs the font here lacks (Japanese, under Wine) count as full-width
// characters, twice the average width, and may break anywhere.
int Overrun(HWND dialog, int control, std::wstring text)
{
    for (size_t at; (at = text.find(L"%s")) != std::wstring::npos;)
        text.replace(at, 2, L"1,400.00");
    for (size_t at; (at = text.find(L"::")) != std::wstring::npos;)
        text.replace(at, 2, L"\r\n");
    for (size_t at = 0; (at = text.find(L'&', at)) != std::wstring::npos; ++at)
        text.erase(at, 1); // "&&" keeps one
    HWND window = GetDlgItem(dialog, control);
    RECT room;
    GetClientRect(window, &room);
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpiW(className, L"Button") == 0)
        room.right -= (GetWindowLongW(window, GWL_STYLE) & 0xF) == BS_AUTOCHECKBOX
                          ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                          : 8;
    bool lines = room.bottom >= 16;

    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    std::vector<WORD> glyphs(text.size() + 1);
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    std::wstring present;
    int missing = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF)
            ++missing;
        else
            present += text[i];
    RECT needed = room;
    DrawTextW(dc, present.c_str(), -1, &needed, DT_CALCRECT | DT_NOPREFIX | (lines ? DT_WORDBREAK : DT_SINGLELINE));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, present.c_str(), static_cast<int>(present.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    if (missing == 0)
        return lines ? needed.bottom - room.bottom : needed.right - room.right;
    int width = extent.cx + missing * 2 * metrics.tmAveCharWidth;
    if (!lines)
        return width - room.right;
    int lineCount = (width + room.right - 1) / room.right;
    return lineCount * metrics.tmHeight - room.bottom;
}

} // namespace

TEST_F(Dialogs, RegionalSettingOutranksTheStoredLanguageAndTheCommandLineOutranksBoth)
{
    EXPECT_EQ(ChosenLanguage(), 0);
    WriteDword(HKEY_CURRENT_USER, "Software\\ZERV Software\\Caddel", "GeneralLanguage", 5);
    EXPECT_EQ(ChosenLanguage(), 5);
    WriteString(HKEY_CURRENT_USER, International, "iCountry", "49");
    EXPECT_EQ(ChosenLanguage(), 2);
    DeleteTree(HKEY_CURRENT_USER, International);
    WriteString(HKEY_CURRENT_USER, International, "Locale", "0000040a");
    EXPECT_EQ(ChosenLanguage(), 4);
    InstallContext.languageNumber = 7;
    EXPECT_EQ(ChosenLanguage(), 7);
    InstallContext.languageNumber = 12;
    EXPECT_EQ(ChosenLanguage(), 4);

    // Stored 0 or 10 is English; "Locale" wins over "iCountry" even when it matches nothing.
    InstallContext.languageNumber = -1;
    WriteString(HKEY_CURRENT_USER, International, "Locale", "00000409");
    WriteString(HKEY_CURRENT_USER, International, "iCountry", "49");
    for (DWORD stored : {0u, 10u}) {
        WriteDword(HKEY_CURRENT_USER, "Software\\ZERV Software\\Caddel", "GeneralLanguage", stored);
        EXPECT_EQ(ChosenLanguage(), 0) << stored;
    }
}

TEST_F(Dialogs, OpeningAppliesAndStoresTheLanguageAndChangingItRelabelsTheDialog)
{
    WriteString(HKEY_CURRENT_USER, International, "Locale", "00000407");
    std::vector<std::string> german, spanish;
    const int relabelled[] = {IDCANCEL, IDC_INTRODUCTION, IDC_FOLDER_LABEL, IDC_LANGUAGE_LABEL, IDC_SHORTCUTS, IDC_START_TOOLS};
    const int kept[] = {0, IDOK, IDC_CUSTOM};
    std::vector<std::string> keptBefore, keptAfter;
    LookAtOptions([&](HWND dialog) {
        for (int control : relabelled)
            german.push_back(Text(dialog, control));
        for (int control : kept)
            keptBefore.push_back(Text(dialog, control));
        SendDlgItemMessageA(dialog, IDC_LANGUAGE_BOX, CB_SETCURSEL, 4, 0);
        SendCommand(dialog, IDC_LANGUAGE_BOX, CBN_SELCHANGE);
        for (int control : relabelled)
            spanish.push_back(Text(dialog, control));
        for (int control : kept)
            keptAfter.push_back(Text(dialog, control));
    });
    EXPECT_EQ(german[0], "&Abbrechen");
    EXPECT_EQ(german[2], "&Zielordner");
    EXPECT_EQ(german[3], "&Sprache");
    EXPECT_EQ(german[4], "&Eintr\xE4ge im Startmen\xFC erstellen");
    EXPECT_EQ(spanish, (std::vector<std::string>{
                           "Ca&ncelar",
                           "\xA1Gracias por usar el software Vexlo! Compruebe las opciones siguientes y pulse OK para "
                           "continuar.",
                           "&Instalar en", "I&dioma", "&Crear entradas en el men\xFA Inicio",
                           "Inicia&r en segundo plano todos los Vexlets del \xE1rea de notificaci\xF3n"}));
    EXPECT_EQ(keptBefore, (std::vector<std::string>{"Vexlo", "&OK", "&Custom..."}));
    EXPECT_EQ(keptAfter, keptBefore);
    // The last choice is stored for the suite, although the user cancelled.
    StoredValue stored = ReadValue(HKEY_CURRENT_USER, "Software\\ZERV Software\\Vexlets", "GeneralLanguage");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored.bytes, std::string("\x04\0\0\0", 4));
}

TEST_F(Dialogs, StartOptionNamesTheToolsThatWereRunning)
{
    std::string label;
    LookAtOptions([&](HWND dialog) { label = Text(dialog, IDC_START_TOOLS); });
    EXPECT_EQ(label, "&Start all tray-based Vexlets silently");
    RunningTools.glimmet = 1;
    LookAtOptions([&](HWND dialog) { label = Text(dialog, IDC_START_TOOLS); });
    EXPECT_EQ(label, "&Start tray-based programs running before setup");
}

// Also run as setup_tests_ru_RU, under a code page where the names' bytes
// would read as other letters.
TEST_F(Dialogs, LanguageNamesReadTheSameInEveryCodePage)
{
    if (const char* expected = getenv("VEXLO_EXPECTED_CODE_PAGE")) {
        ASSERT_EQ(GetACP(), strtoul(expected, nullptr, 10)) << "not the code page this run is for";
    }
    std::vector<std::wstring> names;
    LookAtOptions([&](HWND dialog) {
        HWND box = GetDlgItem(dialog, IDC_LANGUAGE_BOX);
        LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR name[64] = {};
            SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
    });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"English", L"Fran\u00E7ais", L"Deutsch", L"Japanese",
                                                L"Espa\u00F1ol", L"Svenska", L"Italiano", L"Czech", L"Russian",
                                                L"Your Language"}));
}

TEST_F(Dialogs, OkTakesTheOptionsAndTheFolderWithoutOneTrailingBackslash)
{
    InstallContext.createShortcuts = 1;
    InstallContext.startTools = 0;
    INT_PTR result = RunOptions([&](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SHORTCUTS), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_START_TOOLS), static_cast<UINT>(BST_UNCHECKED));
        SendDlgItemMessageA(dialog, IDC_SHORTCUTS, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_START_TOOLS, BM_SETCHECK, BST_CHECKED, 0);
        SetControlText(dialog, IDC_FOLDER_BOX, folder + "\\Deep\\\\");
        SendCommand(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(InstallContext.installDir.c_str(), folder + "\\Deep\\");
    EXPECT_TRUE(FolderExists(folder + "\\Deep"));
    EXPECT_EQ(InstallContext.createShortcuts, 0);
    EXPECT_EQ(InstallContext.startTools, 1);
    EXPECT_EQ(folderText.c_str(), folder + "\\Deep\\\\");

    // A root (what is left of "C:\"), a relative folder or one of Windows is refused with its message.
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    bool stillOpen[4] = {};
    RunOptions([&](HWND dialog) {
        const char* const refused[] = {"C:\\", "relfolder", "\\\\server\\share\\", windows};
        for (int i = 0; i < 4; ++i) {
            SetControlText(dialog, IDC_FOLDER_BOX, refused[i]);
            SendCommand(dialog, IDOK);
            stillOpen[i] = IsWindowVisible(dialog);
        }
        SetControlText(dialog, IDC_FOLDER_BOX, folder);
        SendCommand(dialog, IDOK);
    });
    EXPECT_TRUE(stillOpen[0] && stillOpen[1] && stillOpen[2] && stillOpen[3]);
    ASSERT_EQ(platform.messages.size(), 4u);
    EXPECT_EQ(platform.messages[2].text, "The install folder must be a full path to a folder, not the root of a drive or share.");
    EXPECT_EQ(platform.messages[2].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(platform.messages[3].text,
              "The install folder must be a folder of its own, not a folder of Windows, of the user or of other programs.");
    EXPECT_EQ(InstallContext.installDir.c_str(), folder);
}

TEST_F(Dialogs, AFolderThatCannotBeMadeKeepsTheDialogOpen)
{
    bool stillOpen[2] = {};
    INT_PTR result = RunOptions([&](HWND dialog) {
        SetControlText(dialog, IDC_FOLDER_BOX, "");
        SendCommand(dialog, IDOK);
        stillOpen[0] = IsWindowVisible(dialog);
        SetControlText(dialog, IDC_FOLDER_BOX, "q:\\nowhere");
        SendCommand(dialog, IDOK);
        stillOpen[1] = IsWindowVisible(dialog);
        SetControlText(dialog, IDC_FOLDER_BOX, folder);
        SendCommand(dialog, IDOK);
    });
    EXPECT_TRUE(stillOpen[0]);
    EXPECT_TRUE(stillOpen[1]);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "Cannot create folder.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(InstallContext.installDir.c_str(), folder);
}

TEST_F(Dialogs, CancelAsksAndOnlyOkEndsTheDialog)
{
    platform.answers = {IDCANCEL, IDOK};
    bool openAfterNo = false;
    INT_PTR result = RunOptions([&](HWND dialog) {
        SendCommand(dialog, IDCANCEL);
        openAfterNo = IsWindowVisible(dialog);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(result, 2);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "This will stop Setup.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
}

TEST_F(Dialogs, BrowsingAndCancellingThePickerLeavesTheFolder)
{
    std::string before, after;
    bool pickerSeen = false;
    LookAtOptions([&](HWND dialog) {
        before = Text(dialog, IDC_FOLDER_BOX);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BROWSE)));
        HWND picker = WaitForDialogWithControl(GetCurrentProcessId(), 0, 10000, dialog);
        pickerSeen = picker != nullptr;
        if (picker) {
            Sleep(200);
            SendMessageA(picker, WM_COMMAND, IDCANCEL, 0);
            for (int wait = 0; wait < 100 && IsWindow(picker); ++wait)
                Sleep(20);
        }
        after = Text(dialog, IDC_FOLDER_BOX);
    });
    EXPECT_TRUE(pickerSeen);
    EXPECT_EQ(before, folder);
    EXPECT_EQ(after, folder);
}

namespace {

class Selection : public Dialogs {
protected:
    void SetUp() override
    {
        Dialogs::SetUp();
        SetDistributionFolder(distribution.c_str());
        folderText.clear();
        char decimal[8], thousand[8];
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof(decimal));
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, sizeof(thousand));
        savedDecimal = decimal;
        savedThousand = thousand;
        // A run under another locale in the same prefix (the Czech or Russian
        // one) may have left its own separators behind.
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ".");
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, ",");
    }

    void TearDown() override
    {
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, savedDecimal.c_str());
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, savedThousand.c_str());
        Dialogs::TearDown();
    }

    INT_PTR RunSelection(const std::function<void(HWND)>& user)
    {
        return Run(IDD_SELECTION, SelectionDialog, IDC_TOOL_LIST, user);
    }

    static std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (int i = 0; i < ComponentCount; ++i)
            if (ComponentTable[i].selected)
                rows.push_back(i);
        return rows;
    }

    std::string distribution = FreshFolder("selection-dist") + "\\";
    std::string savedDecimal, savedThousand;
};

void Select(HWND dialog, int row, bool on)
{
    SendDlgItemMessageA(dialog, IDC_TOOL_LIST, LB_SETSEL, on, row);
    SendCommand(dialog, IDC_TOOL_LIST, LBN_SELCHANGE);
}

} // namespace

TEST_F(Selection, ListStartsFromTheTableAndOkWritesTheChoiceBack)
{
    ComponentTable[3].selected = 0;
    std::vector<std::string> names;
    std::vector<int> selectedAtStart;
    std::string caption;
    INT_PTR result = RunSelection([&](HWND dialog) {
        caption = Text(dialog, 0);
        for (int i = 0; i < ComponentCount; ++i) {
            char name[100] = "";
            SendDlgItemMessageA(dialog, IDC_TOOL_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
            names.push_back(name);
            if (SendDlgItemMessageA(dialog, IDC_TOOL_LIST, LB_GETSEL, i, 0) > 0)
                selectedAtStart.push_back(i);
        }
        SendCommand(dialog, IDC_NONE);
        Select(dialog, 0, true);
        Select(dialog, 19, true);
        SendCommand(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(caption, "Vexlo Setup");
    EXPECT_EQ(names.size(), 20u);
    EXPECT_EQ(names[0], "Norrik");
    EXPECT_EQ(names[19], "Brolla");
    EXPECT_EQ(selectedAtStart.size(), 19u);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 19}));

    // Cancel after changes leaves the table; OK with nothing selected clears it.
    RunSelection([&](HWND dialog) {
        SendCommand(dialog, IDC_ALL); // All
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(Selected(), (std::vector<int>{0, 19}));
    RunSelection([&](HWND dialog) {
        SendCommand(dialog, IDC_NONE);
        SendCommand(dialog, IDOK);
    });
    EXPECT_TRUE(Selected().empty());
}

TEST_F(Selection, RequiredSpaceCountsTheSelectedToolsFilesBesideSetup)
{
    // Ovalle's program only; its help and language files are missing and add nothing.
    WriteWholeFile(distribution + "vxovalle.exe", std::string(1572864 - 384000, 'o'));
    WriteWholeFile(distribution + "vxnorrik.exe", std::string(1024 * 1024, 'n'));
    std::string none, ovalle, all;
    RunSelection([&](HWND dialog) {
        SendCommand(dialog, IDC_NONE);
        none = Text(dialog, IDC_REQUIRED);
        Select(dialog, 1, true);
        ovalle = Text(dialog, IDC_REQUIRED);
        SendCommand(dialog, IDC_ALL);
        all = Text(dialog, IDC_REQUIRED);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(none, "Space Required:   0.36 MB");
    EXPECT_EQ(ovalle, "Space Required:   1.50 MB");
    EXPECT_EQ(all, "Space Required:   2.50 MB");

    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ",");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, ".");
    RunSelection([&](HWND dialog) {
        SendCommand(dialog, IDC_NONE);
        Select(dialog, 1, true);
        ovalle = Text(dialog, IDC_REQUIRED);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(ovalle, "Space Required:   1,50 MB");
}

TEST_F(Selection, MegabytesAreCutToHundredthsAndGroupedAsTheUserWrites)
{
    FixedString<199> text;
    FormatMegabytes(1048575, text);
    EXPECT_STREQ(text.c_str(), "0.99");
    FormatMegabytes(1294467072, text); // 1,234.5 MB
    EXPECT_STREQ(text.c_str(), "1,234.50");
    FormatMegabytes(5ull * 1024 * 1024 * 1024 + 10 * 1024, text);
    EXPECT_STREQ(text.c_str(), "5,120.00");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ",");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, ".");
    FormatMegabytes(1294467072, text);
    EXPECT_STREQ(text.c_str(), "1.234,50");
}

TEST_F(Selection, FreeSpaceIsShownForAnExistingFolderOnly)
{
    std::string available;
    EXPECT_TRUE(folderText.assign((folder + "\\not yet").c_str()));
    RunSelection([&](HWND dialog) {
        available = Text(dialog, IDC_AVAILABLE);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(available, "");

    EXPECT_TRUE(folderText.assign(distribution.c_str()));
    RunSelection([&](HWND dialog) {
        available = Text(dialog, IDC_AVAILABLE);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(available.rfind("Space Available:   ", 0), 0u) << available;
    EXPECT_EQ(available.substr(available.size() - 3), " MB");
}

TEST_F(Selection, DialogFitsTheListAndTranslatesItsOwnTexts)
{
    VxSetLanguage("GeneralLanguage", 2);
    std::string caption, all, prompt;
    RECT list = {}, listClient = {}, required = {};
    int itemHeight = 0;
    RunSelection([&](HWND dialog) {
        caption = Text(dialog, 0);
        all = Text(dialog, IDC_ALL);
        itemHeight = static_cast<int>(SendDlgItemMessageA(dialog, IDC_TOOL_LIST, LB_GETITEMHEIGHT, 0, 0));
        GetWindowRect(GetDlgItem(dialog, IDC_TOOL_LIST), &list);
        GetClientRect(GetDlgItem(dialog, IDC_TOOL_LIST), &listClient);
        GetWindowRect(GetDlgItem(dialog, IDC_REQUIRED), &required);
        SendCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(caption, "Vexlo-Setup");
    EXPECT_EQ(all, "Alle");
    // Asked for 21 entries' height, the list keeps a whole number of them: all 20 show.
    EXPECT_GE(listClient.bottom, 20 * itemHeight);
    EXPECT_LT(listClient.bottom, 22 * itemHeight);
    // The labels moved up with the list's bottom, keeping their distance.
    EXPECT_GT(required.top, list.bottom - 1);
    EXPECT_LT(required.top - list.bottom, 4 * itemHeight);
}

// Read from the catalogue itself, so that every language is checked, also
// those this process's code page cannot show.
TEST_F(Dialogs, EveryLanguagesLabelsFitAndTheirAccessKeysDiffer)
{
    const CatalogueBlocks catalogue = ReadCatalogue(VxModuleHandle);
    ASSERT_FALSE(catalogue.empty());
    HWND options = CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, UntranslatedDialog, 0);
    HWND selection = CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_SELECTION), nullptr, UntranslatedDialog, 0);
    ASSERT_TRUE(options && selection);
    const char* const startRunning = "&Start tray-based programs running before setup";
    const char* const startAll = "&Start all tray-based Vexlets silently";
    const char* const shortcuts = "&Create entries in START menu";
    struct Label {
        HWND dialog;
        int control;
        const char* english;
    };
    const Label labels[] = {
        {options, IDCANCEL, "Ca&ncel"},
        {options, IDC_INTRODUCTION,
         "Thank you for using Vexlo software! Please verify the following options and press OK to continue."},
        {options, IDC_FOLDER_LABEL, "&Install to"},
        {options, IDC_LANGUAGE_LABEL, "&Language"},
        {options, IDC_START_TOOLS, startRunning},
        {options, IDC_START_TOOLS, startAll},
        {options, IDC_SHORTCUTS, shortcuts},
        {selection, IDC_SELECTION_TEXT, "Please select the Vexlets you want to install. All others will be deleted."},
        {selection, IDC_ALL, "All"},
        {selection, IDC_NONE, "None"},
        {selection, IDC_REQUIRED, "Space Required:   %s MB"},
        {selection, IDC_AVAILABLE, "Space Available:   %s MB"},
    };
    for (const char* code : LanguageCodes) {
        SCOPED_TRACE(code);
        for (const Label& label : labels) {
            std::wstring text = Translated(catalogue, label.english, code);
            int overrun = Overrun(label.dialog, label.control, text);
            EXPECT_LE(overrun, 0) << label.english << " runs over by " << overrun << " pixels";
        }
        // The start option has one of two texts; "&OK", "&Custom..." and the
        // icon button's "&Browse..." stay English. The START-menu box may
        // share C with "&Custom...", as the English does.
        for (const char* start : {startRunning, startAll}) {
            std::map<wchar_t, std::string> taken = {{L'O', "&OK"}, {L'C', "&Custom..."}, {L'B', "&Browse..."}};
            for (const char* english : {"Ca&ncel", "&Install to", "&Language", start, shortcuts}) {
                wchar_t key = AccessKey(Translated(catalogue, english, code));
                EXPECT_NE(key, 0) << english;
                if (english == shortcuts && key == L'C')
                    continue;
                auto [holder, fresh] = taken.emplace(key, english);
                EXPECT_TRUE(fresh) << english << " shares its key with " << holder->second;
            }
        }
        // In the selection dialog only OK and Cancel have keys.
        EXPECT_EQ(AccessKey(Translated(catalogue, "All", code)), 0);
        EXPECT_EQ(AccessKey(Translated(catalogue, "None", code)), 0);
    }
    DestroyWindow(options);
    DestroyWindow(selection);
}
