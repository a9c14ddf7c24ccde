#include "tests/support/window_driver.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->processId && owner != search->processId)
        return TRUE;
    char text[512];
    if (search->className) {
        GetClassNameA(window, text, sizeof(text));
        if (lstrcmpA(text, search->className) != 0)
            return TRUE;
    }
    if (search->title) {
        GetWindowTextA(window, text, sizeof(text));
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
{
    char className[64];
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Static") == 0) {
        std::string text = WindowText(child);
        if (!text.empty())
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    }
    return TRUE;
}

struct DialogSearch {
    DWORD processId;
    int controlId;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    bool wanted = search->controlId ? GetDlgItem(window, search->controlId) != nullptr
                                    : window != search->except && lstrcmpA(name, "#32770") == 0;
    if (owner == search->processId && wanted && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowSearch search = {processId, className, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start >= timeoutMs)
            return search.found;
        Sleep(20);
    }
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow(processId, "#32770", nullptr, timeoutMs);
}

std::string WindowText(HWND window)
{
    char text[4096];
    text[0] = 0;
    // WM_GETTEXT reaches another process's controls too; GetWindowText would not.
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ControlText(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    return control ? WindowText(control) : std::string();
}

void SetControlText(HWND dialog, int controlId, const std::string& text)
{
    SendDlgItemMessageA(dialog, controlId, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClickButton(HWND dialog, int controlId)
{
    // Posted: a click that closes the dialog must not wait for the dialog's end.
    HWND button = GetDlgItem(dialog, controlId);
    if (button)
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), 0);
}

std::vector<std::string> StaticTexts(HWND dialog)
{
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string MessageBoxText(HWND box)
{
    std::vector<std::string> texts = StaticTexts(box);
    std::string joined;
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : "\n") + text;
    return joined;
}

HWND WaitForDialogWithControl(DWORD processId, int controlId, DWORD timeoutMs, HWND except)
{
    DWORD start = GetTickCount();
    for (;;) {
        DialogSearch search = {processId, controlId, except, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start >= timeoutMs)
            return search.found;
        Sleep(20);
    }
}

void SendCommand(HWND dialog, int controlId, int notification)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
}
