#include "setup/dialogs/selection_dialog.h"

#include "setup/state/distribution_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/vexlo.h"

namespace {

enum Control {
    AllButton = IDC_ALL,
    NoneButton = IDC_NONE,
    RequiredLabel = IDC_REQUIRED,
    AvailableLabel = IDC_AVAILABLE,
    ToolList = IDC_TOOL_LIST,
};

// What setup itself and the shared files need, whatever is selected.
const DWORD BaseSize = 384000;

using GetDiskFreeSpaceExAFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

void MoveUp(HWND dialog, int control, int delta)
{
    HWND label = GetDlgItem(dialog, control);
    RECT rect;
    GetWindowRect(label, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(dialog, &corner);
    SetWindowPos(label, nullptr, corner.x, corner.y - delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The list shows every tool without scrolling; the labels follow its new
// bottom and the dialog is centred again at its new height.
void FitToTheList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, ToolList);
    int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT before;
    GetWindowRect(list, &before);
    SetWindowPos(list, nullptr, 0, 0, before.right - before.left, (ComponentCount + 1) * itemHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after;
    GetWindowRect(list, &after);
    int delta = before.bottom - after.bottom;
    MoveUp(dialog, RequiredLabel, delta);
    MoveUp(dialog, AvailableLabel, delta);

    RECT window;
    GetWindowRect(dialog, &window);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    int width = window.right - window.left;
    int height = window.bottom - window.top - delta;
    SetWindowPos(dialog, nullptr, (workArea.right - workArea.left - width) / 2,
                 (workArea.bottom - workArea.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowFreeSpace(HWND dialog)
{
    // Looked up at run time: the first Windows 95 did not have it.
    HMODULE kernel = LoadLibraryA("KERNEL32.DLL");
    auto freeSpace = kernel ? reinterpret_cast<GetDiskFreeSpaceExAFunction>(
                                  reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                            : nullptr;
    ULARGE_INTEGER available, total, free;
    if (!freeSpace || !freeSpace(folderText.c_str(), &available, &total, &free))
        return;
    FixedString<199> megabytes;
    FormatMegabytes(free.QuadPart, megabytes);
    char label[1024];
    wsprintfA(label, VxTranslate("Space Available:   %s MB", 0), megabytes.c_str());
    SetDlgItemTextA(dialog, AvailableLabel, label);
}

void Initialise(HWND dialog)
{
    VxTranslate(reinterpret_cast<const char*>(dialog), 0);
    HICON icon = LoadIconA(InstallContext.instance, MAKEINTRESOURCEA(IDI_SETUP + VxIconOffset()));
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    for (const Component& component : ComponentTable) {
        LRESULT index = SendDlgItemMessageA(dialog, ToolList, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(component.name.c_str()));
        SendDlgItemMessageA(dialog, ToolList, LB_SETSEL, component.selected, index);
    }
    FitToTheList(dialog);
    UpdateRequiredSpace(dialog);
    ShowFreeSpace(dialog);
}

void Confirm(HWND dialog)
{
    int chosen[ComponentCount] = {};
    LRESULT count = SendDlgItemMessageA(dialog, ToolList, LB_GETSELITEMS, ComponentCount,
                                        reinterpret_cast<LPARAM>(chosen));
    for (Component& component : ComponentTable)
        component.selected = 0;
    for (LRESULT i = 0; i < count && i < ComponentCount; ++i)
        if (chosen[i] >= 0 && chosen[i] < ComponentCount)
            ComponentTable[chosen[i]].selected = 1;
    EndDialog(dialog, 0);
}

DWORD FileSize(const char* folder, const char* name)
{
    PathBuffer path;
    if (!path.assign(folder) || !path.append(name))
        return 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

} // namespace

void FormatMegabytes(ULONGLONG bytes, FixedString<199>& text)
{
    DWORD megabytes = static_cast<DWORD>(bytes / 1048576);
    DWORD kilobytes = static_cast<DWORD>((bytes - static_cast<ULONGLONG>(megabytes) * 1048576) / 1024);
    DWORD hundredths = kilobytes * 100 / 1024;
    char plain[32];
    wsprintfA(plain, "%u.%02u", megabytes, hundredths);

    char grouping[200] = "";
    char decimal[200] = ".";
    char thousand[200] = ",";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, sizeof(grouping));
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof(decimal));
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, sizeof(thousand));
    UINT groups = 0;
    for (const char* digit = grouping; *digit >= '0' && *digit <= '9'; ++digit)
        groups = groups * 10 + (*digit - '0');

    NUMBERFMTA format = {2, 1, groups, decimal, thousand, 0};
    if (!GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain, &format, text.buffer(), text.bufferSize())) {
        if (!text.assign(plain)) // a few digits: it always fits
            text.clear();
    } else
        text.settle();
}

void UpdateRequiredSpace(HWND dialog)
{
    DWORD total = BaseSize;
    if (DistributionFolder.empty())
        SetDistributionFolder(nullptr);
    int chosen[ComponentCount] = {};
    LRESULT count = SendDlgItemMessageA(dialog, ToolList, LB_GETSELITEMS, ComponentCount,
                                        reinterpret_cast<LPARAM>(chosen));
    for (LRESULT i = 0; i < count && i < ComponentCount; ++i) {
        if (chosen[i] < 0 || chosen[i] >= ComponentCount)
            continue;
        const char* cursor = ComponentTable[chosen[i]].files.c_str();
        FixedString<99> name;
        while (NextFileName(cursor, name))
            total += FileSize(DistributionFolder.c_str(), name.c_str());
    }
    FixedString<199> megabytes;
    FormatMegabytes(total, megabytes);
    char label[1024];
    wsprintfA(label, VxTranslate("Space Required:   %s MB", 0), megabytes.c_str());
    SetDlgItemTextA(dialog, RequiredLabel, label);
}

INT_PTR CALLBACK SelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        Initialise(dialog);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        Confirm(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case AllButton:
        SendDlgItemMessageA(dialog, ToolList, LB_SETSEL, TRUE, -1);
        UpdateRequiredSpace(dialog);
        return FALSE;
    case NoneButton:
        SendDlgItemMessageA(dialog, ToolList, LB_SETSEL, FALSE, -1);
        UpdateRequiredSpace(dialog);
        return FALSE;
    case ToolList:
        UpdateRequiredSpace(dialog);
        return FALSE;
    }
    return FALSE;
}
