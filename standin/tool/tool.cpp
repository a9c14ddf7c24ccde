// The stand-in for every program of the suite. Copied under each tool's file
// name, it behaves as far as setup and uninstall can see: it opens that tool's
// window class and title, closes on WM_CLOSE, and as the backup tool owns the
// stop event and ends when it is set. Every start is appended to the journal
// named by VEXLO_TOOL_JOURNAL as "program path|arguments|working folder|start",
// where start is the process's creation time in hexadecimal: tools started one
// after the other may write their lines in another order.
//
// Switches for tests: --ignore-close (stay open on WM_CLOSE), --ignore-event
// (the backup tool keeps running when its event is set), --hold=PATH (keep
// PATH open without sharing, as a running tool holds its own files),
// --title=TEXT (the window's title instead of the tool's own). Values with
// blanks go in double quotes.
#include <windows.h>

namespace {

struct ToolWindow {
    const char* program;
    const char* windowClass;
};

// The classes the suite's tools register; the other tools are recognised by title only.
const ToolWindow ToolWindows[] = {
    {"vxnorrik.exe", "ZervNorrik"},   {"vxovalle.exe", "ZervOvalle"}, {"vxyessa.exe", "ZervYessa"},
    {"vxscrivo.exe", "ZervScrivo"},   {"vxfennet.exe", "ZervFennet"}, {"vxautopn.exe", "AutoPNWClass"},
    {"vxglimmet.exe", "ZervGlimmet"}, {"vxcaddel.exe", "ZervCaddel"}, {"vxorvex.exe", "ZervOrvex"},
    {"vxbrolla.exe", "ZervBrollaClass"}, {"vxpellor.exe", "VexloPellor"},
};

const char* const UntitledClass = "VexloStandInTool";
const char* const StopEventName = "myZERVNorrikEventStopWaiting";

bool ignoreClose = false;

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (!ignoreClose)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The arguments as the program received them, without its own name.
const char* ArgumentsOf(const char* commandLine)
{
    const char* c = commandLine;
    if (*c == '"') {
        ++c;
        while (*c && *c != '"')
            ++c;
        if (*c)
            ++c;
    } else {
        while (*c && *c != ' ' && *c != '\t')
            ++c;
    }
    while (*c == ' ' || *c == '\t')
        ++c;
    return c;
}

void AppendToJournal(const char* programPath, const char* arguments)
{
    char journal[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("VEXLO_TOOL_JOURNAL", journal, sizeof(journal));
    if (length == 0 || length >= sizeof(journal))
        return;
    char folder[MAX_PATH];
    if (!GetCurrentDirectoryA(sizeof(folder), folder))
        folder[0] = 0;

    // Several tools start at once, and Wine's appends are not atomic between
    // processes: one writer at a time keeps every line whole and present.
    HANDLE writer = CreateMutexA(nullptr, FALSE, "VexloToolJournalWriter");
    if (writer)
        WaitForSingleObject(writer, 5000);
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileA(journal, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    if (file == INVALID_HANDLE_VALUE) {
        if (writer) {
            ReleaseMutex(writer);
            CloseHandle(writer);
        }
        return;
    }
    FILETIME created, exited, kernel, user;
    char start[17] = "";
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        wsprintfA(start, "%08lX%08lX", created.dwHighDateTime, created.dwLowDateTime);
    const char* pieces[] = {programPath, "|", arguments, "|", folder, "|", start, "\r\n"};
    char line[3 * MAX_PATH + 1024];
    line[0] = 0;
    for (const char* piece : pieces)
        if (lstrlenA(line) + lstrlenA(piece) < static_cast<int>(sizeof(line)))
            lstrcatA(line, piece);
    DWORD written;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    CloseHandle(file);
    if (writer) {
        ReleaseMutex(writer);
        CloseHandle(writer);
    }
}

// Where the text right after the switch begins, or null.
const char* FindSwitch(const char* arguments, const char* name)
{
    for (const char* c = arguments; *c; ++c) {
        int i = 0;
        while (name[i] && c[i] == name[i])
            ++i;
        if (!name[i])
            return c + i;
    }
    return nullptr;
}

// The value of "--name=VALUE" or "--name="VALUE WITH BLANKS"" into `value`.
bool SwitchValue(const char* arguments, const char* name, char* value, int size)
{
    const char* start = FindSwitch(arguments, name);
    if (!start)
        return false;
    char end = ' ';
    if (*start == '"') {
        end = '"';
        ++start;
    }
    int n = 0;
    while (start[n] && start[n] != end && n < size - 1) {
        value[n] = start[n];
        ++n;
    }
    value[n] = 0;
    return true;
}

HANDLE HoldFile(const char* arguments)
{
    char path[MAX_PATH];
    if (!SwitchValue(arguments, "--hold=", path, sizeof(path)))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool HasSwitch(const char* arguments, const char* name)
{
    return FindSwitch(arguments, name) != nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    char* program = path;
    for (char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            program = c + 1;
    const char* arguments = ArgumentsOf(GetCommandLineA());

    ignoreClose = HasSwitch(arguments, "--ignore-close");
    bool ignoreEvent = HasSwitch(arguments, "--ignore-event");
    HANDLE held = HoldFile(arguments);

    // The name the suite's windows show: "Vexlo " and the program's name
    // without the "vx" prefix and the extension, capitalised.
    char lower[MAX_PATH];
    lstrcpynA(lower, program, sizeof(lower));
    CharLowerA(lower);
    const char* stem = lower;
    if (stem[0] == 'v' && stem[1] == 'x')
        stem += 2;
    char title[MAX_PATH + 8] = "Vexlo ";
    int t = lstrlenA(title);
    for (const char* c = stem; *c && *c != '.'; ++c)
        title[t++] = (c == stem && *c >= 'a' && *c <= 'z') ? static_cast<char>(*c - 'a' + 'A') : *c;
    title[t] = 0;
    SwitchValue(arguments, "--title=", title, sizeof(title));

    const char* windowClass = UntitledClass;
    for (const ToolWindow& tool : ToolWindows)
        if (lstrcmpiA(tool.program, program) == 0)
            windowClass = tool.windowClass;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ToolWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);
    // Hidden, like the tray tools' own windows; FindWindow and EnumWindows see it all the same.
    CreateWindowExA(0, windowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr,
                    nullptr, instance, nullptr);

    HANDLE stopEvent = nullptr;
    if (lstrcmpiA(program, "vxnorrik.exe") == 0)
        stopEvent = CreateEventA(nullptr, FALSE, FALSE, StopEventName);
    // Journalled once its window and event exist: whoever reads the entry can find them.
    AppendToJournal(path, arguments);

    for (;;) {
        DWORD count = stopEvent ? 1 : 0;
        DWORD woken = MsgWaitForMultipleObjects(count, &stopEvent, FALSE, INFINITE, QS_ALLINPUT);
        if (count && woken == WAIT_OBJECT_0) {
            if (!ignoreEvent)
                break;
            continue;
        }
        MSG msg;
        bool quit = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                quit = true;
            DispatchMessageA(&msg);
        }
        if (quit)
            break;
    }
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    return 0;
}
