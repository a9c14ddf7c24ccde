#include "setup/dialogs/options_dialog.h"

#include "setup/dialogs/selection_dialog.h"
#include "setup/state/folder_rules.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/run/running_tools.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

enum Control {
    FolderBox = IDC_FOLDER_BOX,
    BrowseButton = IDC_BROWSE,
    ShortcutsBox = IDC_SHORTCUTS,
    StartToolsBox = IDC_START_TOOLS,
    CustomButton = IDC_CUSTOM,
    Introduction = IDC_INTRODUCTION,
    FolderLabel = IDC_FOLDER_LABEL,
    LanguageLabel = IDC_LANGUAGE_LABEL,
    LanguageBox = IDC_LANGUAGE_BOX,
};

// Position = language number. Windows-1252, never translated.
const char* const LanguageList[] = {
    "English", "Fran\xE7" "ais", "Deutsch", "Japanese", "Espa\xF1ol",
    "Svenska", "Italiano",       "Czech",   "Russian",  "Your Language",
};
const int LanguageCount = 10;
const UINT LanguageListCodePage = 1252;

struct RegionalLanguage {
    int number;
    const char* const* codes; // "Locale" and "iCountry" codes alike
    int count;
};

const char* const GermanCodes[] = {"00000407", "00000807", "00000C07", "00001007", "00001407", "43", "49"};
const char* const SpanishCodes[] = {
    "00002C0A", "0000400A", "0000340A", "0000240A", "0000140A", "00001C0A", "0000300A", "0000440A", "0000100A",
    "0000480A", "0000080A", "00000C0A", "00004C0A", "0000180A", "00003C0A", "0000280A", "0000500A", "0000040A",
    "0000380A", "0000200A", "54",       "591",      "56",       "57",       "506",      "593",      "503",
    "502",      "504",      "52",       "34",       "505",      "507",      "595",      "51",       "598",
    "58",
};
const char* const SwedishCodes[] = {"0000041D", "0000081D", "46"};
const char* const ItalianCodes[] = {"00000410", "00000810", "39"};

// Checked in this order; the regional setting outranks the stored choice.
const RegionalLanguage RegionalLanguages[] = {
    {2, GermanCodes, sizeof(GermanCodes) / sizeof(GermanCodes[0])},
    {4, SpanishCodes, sizeof(SpanishCodes) / sizeof(SpanishCodes[0])},
    {5, SwedishCodes, sizeof(SwedishCodes) / sizeof(SwedishCodes[0])},
    {6, ItalianCodes, sizeof(ItalianCodes) / sizeof(ItalianCodes[0])},
};

int ChooseLanguage()
{
    int number = -1;
    if (!VxReadRegistryValue(HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Caddel", "GeneralLanguage", &number,
                             sizeof(number)) ||
        number < 1 || number > 9)
        number = 0;

    char regional[100] = {};
    if (!VxReadRegistryValue(HKEY_CURRENT_USER, "Control Panel\\International", "Locale", regional, sizeof(regional)))
        VxReadRegistryValue(HKEY_CURRENT_USER, "Control Panel\\International", "iCountry", regional,
                            sizeof(regional));
    regional[sizeof(regional) - 1] = 0;
    for (const RegionalLanguage& language : RegionalLanguages)
        for (int i = 0; i < language.count; ++i)
            if (lstrcmpiA(regional, language.codes[i]) == 0)
                number = language.number;

    if (InstallContext.languageNumber >= 0 && InstallContext.languageNumber <= 9)
        number = InstallContext.languageNumber;
    return number;
}

// The choice takes effect at once, is stored for the suite, and relabels the dialog.
void ApplyLanguage(HWND dialog)
{
    VxSetLanguage("GeneralLanguage", static_cast<int>(SendDlgItemMessageA(dialog, LanguageBox, CB_GETCURSEL, 0, 0)));
    DWORD language = static_cast<DWORD>(SendDlgItemMessageA(dialog, LanguageBox, CB_GETCURSEL, 0, 0));
    VxWriteRegistryValue(HKEY_CURRENT_USER, Suite::SuiteKey, "GeneralLanguage", REG_DWORD, &language,
                         sizeof(language));
    TranslateOptionsTexts(dialog);
}

void Initialise(HWND dialog)
{
    optionsWindow = dialog;
    HICON icon = LoadIconA(InstallContext.instance, MAKEINTRESOURCEA(IDI_SETUP + VxIconOffset()));
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    SetWindowTextA(dialog, Suite::ProductName);
    SetFocus(GetDlgItem(dialog, IDOK));

    // 259 characters: the most that reads back whole into a path buffer.
    SendDlgItemMessageA(dialog, FolderBox, EM_LIMITTEXT, PathBuffer::capacity, 0);
    SetDlgItemTextA(dialog, FolderBox, InstallContext.installDir.c_str());
    CheckDlgButton(dialog, ShortcutsBox, InstallContext.createShortcuts ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, StartToolsBox, InstallContext.startTools ? BST_CHECKED : BST_UNCHECKED);

    // The names are Windows-1252 whatever the system's code page: inserted as
    // wide text, "Français" stays itself on a Russian or Japanese system too.
    for (const char* language : LanguageList) {
        WCHAR name[32] = {};
        MultiByteToWideChar(LanguageListCodePage, 0, language, -1, name, 31);
        SendDlgItemMessageW(dialog, LanguageBox, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(name));
    }
    SendDlgItemMessageA(dialog, LanguageBox, CB_SETCURSEL, ChooseLanguage(), 0);
    ApplyLanguage(dialog);

    HANDLE browse = LoadImageA(VxModuleHandle, MAKEINTRESOURCEA(2551), IMAGE_ICON, 0, 0, LR_SHARED);
    SendDlgItemMessageA(dialog, BrowseButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(browse));
}

void ReadFolderBox(HWND dialog, PathBuffer& folder)
{
    GetDlgItemTextA(dialog, FolderBox, folder.buffer(), folder.bufferSize());
    folder.settle();
}

void Browse(HWND dialog)
{
    char folder[MAX_PATH] = {};
    GetDlgItemTextA(dialog, FolderBox, folder, sizeof(folder));
    VxPickFolder(dialog, folder);
    folder[MAX_PATH - 1] = 0;
    SetDlgItemTextA(dialog, FolderBox, folder);
}

void Confirm(HWND dialog)
{
    InstallContext.createShortcuts = IsDlgButtonChecked(dialog, ShortcutsBox) == BST_CHECKED;
    InstallContext.startTools = IsDlgButtonChecked(dialog, StartToolsBox) == BST_CHECKED;
    ReadFolderBox(dialog, InstallContext.installDir);
    RemoveTrailingBackslash(InstallContext.installDir);
    // An empty box names no folder at all: it cannot be made, as before.
    FolderFault fault =
        InstallContext.installDir.empty() ? FolderFault::None : FaultOfInstallFolder(InstallContext.installDir.c_str());
    if (fault != FolderFault::None)
        ShowMessage(VxTranslate(FolderFaultText(fault), 0), MB_OK | MB_ICONERROR);
    else if (VxMakeFolder(InstallContext.installDir.c_str()))
        EndDialog(dialog, IDOK);
    else
        ShowMessage("Cannot create folder.", MB_OK);
}

void Cancel(HWND dialog)
{
    if (ShowMessage(VxTranslate("This will stop Setup.", 0), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        EndDialog(dialog, IDCANCEL);
}

} // namespace

void TranslateOptionsTexts(HWND dialog)
{
    SetDlgItemTextA(dialog, IDCANCEL, VxTranslate("Ca&ncel", 0));
    SetDlgItemTextA(dialog, Introduction,
                    VxTranslate("Thank you for using Vexlo software! Please verify the following options and press "
                                "OK to continue.",
                                0));
    SetDlgItemTextA(dialog, FolderLabel, VxTranslate("&Install to", 0));
    SetDlgItemTextA(dialog, LanguageLabel, VxTranslate("&Language", 0));
    SetDlgItemTextA(dialog, StartToolsBox,
                    VxTranslate(AnyTrayToolWasRunning() ? "&Start tray-based programs running before setup"
                                                        : "&Start all tray-based Vexlets silently",
                                0));
    SetDlgItemTextA(dialog, ShortcutsBox, VxTranslate("&Create entries in START menu", 0));
}

INT_PTR CALLBACK OptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        Initialise(dialog);
        return FALSE; // the focus stays on OK
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case LanguageBox:
        ApplyLanguage(dialog);
        break;
    case FolderBox:
        ReadFolderBox(dialog, folderText);
        break;
    case BrowseButton:
        Browse(dialog);
        break;
    case CustomButton:
        DialogBoxParamA(InstallContext.instance, MAKEINTRESOURCEA(IDD_SELECTION), optionsWindow,
                        SelectionDialog, 0);
        break;
    case IDOK:
        Confirm(dialog);
        break;
    case IDCANCEL:
        Cancel(dialog);
        break;
    }
    return TRUE;
}
