#include "setup/driver/completion.h"

#include <windows.h>
#include <shellapi.h>

#include "setup/state/install_context.h"
#include "suite/run/platform_calls.h"
#include "suite/run/running_tools.h"
#include "suite/system/install_path.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

void FinishSetup(int installed, const PathBuffer& installDir)
{
    RestartRunningTools(installDir);
    if (!installed)
        return;
    if (!AnyTrayToolWasRunning())
        StartTrayTools();
    else if (!InstallContext.silent)
        ShowMessage(VxTranslate("Vexlo has been installed successfully! ::::Please click on 'Welcome to Vexlo' for a "
                                "short overview of ::how the Vexlo help you work faster with your computer!",
                                0),
                    MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

void StartTrayTools()
{
    PathBuffer folder;
    ReadInstallPath(folder);
    if (folder.length() < 2)
        return;
    for (const TrayTool& tool : TrayTools) {
        // A program path that does not fit is skipped: a cut one would start something else.
        PathBuffer program;
        if (JoinPath(program, folder.c_str(), tool.program))
            ShellExecuteA(nullptr, nullptr, program.c_str(), "/s", nullptr, SW_SHOWNORMAL);
    }
}
