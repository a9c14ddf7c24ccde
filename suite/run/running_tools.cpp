#include "suite/run/running_tools.h"

#include <windows.h>
#include <shellapi.h>

#include "suite/run/platform_calls.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"

RunningToolsData RunningTools;

const TrayTool TrayTools[TrayToolCount] = {
    {"vxnorrik.exe", &RunningToolsData::norrik},   {"vxovalle.exe", &RunningToolsData::ovalle},
    {"vxyessa.exe", &RunningToolsData::yessa},     {"vxfennet.exe", &RunningToolsData::fennet},
    {"vxautopn.exe", &RunningToolsData::autoPN},   {"vxglimmet.exe", &RunningToolsData::glimmet},
    {"vxcaddel.exe", &RunningToolsData::caddel},   {"vxorvex.exe", &RunningToolsData::orvex},
    {"vxpellor.exe", &RunningToolsData::pellor},
};

namespace {

struct ToolClass {
    const char* windowClass;
    int RunningToolsData::*flag; // null: closed, but not started again
};

const ToolClass ToolClasses[] = {
    {"ZervNorrik", &RunningToolsData::norrik},
    {"ZervOvalle", &RunningToolsData::ovalle},
    {"ZervYessamark", &RunningToolsData::yessa},
    {"ZervYessa", &RunningToolsData::yessa},
    {"ZervScrivo", nullptr},
    {"ZervFennetty", &RunningToolsData::fennet},
    {"ZervFennet", &RunningToolsData::fennet},
    {"AutoPNWClass", &RunningToolsData::autoPN},
    {"ZervGlimmet", &RunningToolsData::glimmet},
    {"ZervCaddel", &RunningToolsData::caddel},
    {"ZervOrvex", &RunningToolsData::orvex},
    {"ZervBrollaClass", nullptr},
    {"VexloPellor", &RunningToolsData::pellor},
};

// Titles of the tools under the maker's earlier names; only setup meets those.
const char* const MakerTitles[] = {
    "ZERV Norrik", "ZERV Ovalle", "ZERV Yessa",  "ZERV Scrivo", "ZERV Halder", "ZERV Fennet", "ZERV Tovin",
    "ZERV Pondry", "ZERV Lumio",  "ZERV Kimber", "ZERV Dewlit", "ZERV Ambro",  "Glimmet",     "ZERV Caddel",
    "ZERV Orvex",  "ZervQuesh",   "ZERV Quesh",  "ZERV Rattik", "ZERV Stoval", "ZervBrolla",  "ZERV Brolla",
};

const char* const ProductTitles[] = {
    "Vexlo Norrik", "Vexlo Ovalle", "Vexlo Yessa", "Vexlo Scrivo", "Vexlo Halder",  "Vexlo Fennet", "Vexlo Tovin",
    "Vexlo Pondry", "Vexlo Lumio",  "Vexlo Kimber", "Vexlo Dewlit", "Vexlo Ambro",  "Glimmet",      "Vexlo Caddel",
    "Vexlo Orvex",  "Vexlo Quesh",  "Vexlo Stoval", "Vexlo Brolla", "Vexlo Pellor", "Vexlo Help",
};

// Owned by the backup tool while it waits; setting it lets the tool go.
const char* const StopEventName = "myZERVNorrikEventStopWaiting";

// A title that shows a path names a document, not the tool: leave it open.
BOOL CALLBACK CloseWindowTitled(HWND window, LPARAM part)
{
    char title[MAX_PATH] = "";
    GetWindowTextA(window, title, sizeof(title));
    if (TextContains(title, reinterpret_cast<const char*>(part)) && LastBackslash(title) < 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void CloseWindowsTitled(const char* const* titles, int count)
{
    for (int i = 0; i < count; ++i)
        EnumWindows(CloseWindowTitled, reinterpret_cast<LPARAM>(titles[i]));
}

} // namespace

int CloseRunningTools(SuiteProgram program)
{
    for (const ToolClass& tool : ToolClasses) {
        HWND window = FindWindowA(tool.windowClass, nullptr);
        if (!window)
            continue;
        if (tool.flag)
            RunningTools.*tool.flag = 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }

    bool setup = program == SuiteProgram::Setup;
    if (setup)
        CloseWindowsTitled(MakerTitles, sizeof(MakerTitles) / sizeof(MakerTitles[0]));
    CloseWindowsTitled(ProductTitles, sizeof(ProductTitles) / sizeof(ProductTitles[0]));

    // The backup tool may be waiting in its notifier.
    if (ReleaseBackupTool(setup ? Waits::SetupReleasesBackupTool : Waits::UninstallReleasesBackupTool) > 0)
        RunningTools.norrik = 1;
    return 1;
}

int ReleaseBackupTool(const Retries& retries)
{
    int set = 0;
    for (; set < retries.attempts; ++set) {
        HANDLE stopEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, StopEventName);
        if (!stopEvent)
            break;
        SetEvent(stopEvent);
        CloseHandle(stopEvent);
        Platform.sleep(retries.pause);
    }
    return set;
}

bool AnyTrayToolWasRunning()
{
    for (const TrayTool& tool : TrayTools)
        if (RunningTools.*tool.flag)
            return true;
    return false;
}

void RestartRunningTools(const PathBuffer& folder)
{
    // Without a folder the path would point at the root of the current drive.
    if (folder.empty())
        return;
    for (const TrayTool& tool : TrayTools) {
        PathBuffer program;
        if (RunningTools.*tool.flag && JoinPath(program, folder.c_str(), tool.program))
            ShellExecuteA(nullptr, nullptr, program.c_str(), "/s", folder.c_str(), SW_SHOWNORMAL);
    }
}
