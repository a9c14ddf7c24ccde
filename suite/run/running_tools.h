// Closing the suite's running tools before their files are touched, and the
// record of which tray-based tools have to be started again afterwards.
#pragma once

#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/text/fixed_string.h"

// One flag per tray-based tool: 1 when it was found running and asked to close.
struct RunningToolsData {
    int norrik;
    int ovalle;
    int yessa;
    int fennet;
    int autoPN;
    int glimmet;
    int caddel;
    int orvex;
    int pellor;
};

extern RunningToolsData RunningTools;

struct TrayTool {
    const char* program;
    int RunningToolsData::*flag;
};

// The tray-based tools in the order they are started, each with "/s".
constexpr int TrayToolCount = 9;
extern const TrayTool TrayTools[TrayToolCount];

// Posts WM_CLOSE to every window of the suite's tools it recognises and
// releases the backup tool through its stop event. Setup looks for more
// window titles and waits longer for the backup tool than the uninstaller.
// Returns 1.
int CloseRunningTools(SuiteProgram program);

// Sets the backup tool's stop event while the tool is there to own it, at
// most `retries.attempts` times, `retries.pause` ms apart; returns how often it was set.
int ReleaseBackupTool(const Retries& retries);

bool AnyTrayToolWasRunning();

// Starts again, with "/s", every tray tool that was found running, from
// `folder` and with it as working folder. A path that does not fit is skipped.
void RestartRunningTools(const PathBuffer& folder);
