#include "setup/driver/command_line.h"

#include <stdlib.h>

#include "setup/state/folder_rules.h"
#include "setup/state/install_context.h"
#include "suite/run/all_users.h"
#include "suite/text/command_switches.h"

namespace {

// The platform's limit for a whole command line. We parse a lowered copy so
// that cutting out the folder never hides a switch that follows it.
FixedString<32767> tailCopy;

// The tail in lower case, or null when there is none.
const char* LowerCaseTail(const char* tail)
{
    if (!tail || !tailCopy.assign(tail))
        return nullptr;
    CharLowerA(tailCopy.buffer());
    return tailCopy.c_str();
}

} // namespace

void ReadDeploymentSwitches(const char* tail)
{
    const char* text = LowerCaseTail(tail);
    InstallContext.installerCodes = FindSwitch(text, "/msicodes") != nullptr;
    InstallContext.allUsers = AllUsersMode(text);
}

bool AsksForSilence(const char* tail)
{
    const char* text = LowerCaseTail(tail);
    return FindSwitch(text, "/silent") != nullptr;
}

CommandLineResult ReadCommandLine(const char* tail)
{
    const char* text = LowerCaseTail(tail);
    if (!text || !*text)
        return CommandLineResult::Read;

    if (FindSwitch(text, "/silent"))
        InstallContext.silent = true;
    if (FindSwitch(text, "/noshort"))
        InstallContext.createShortcuts = false;
    if (FindSwitch(text, "/nostart"))
        InstallContext.startTools = false;

    if (ReadSwitchValue(text, "/path:", InstallContext.installDir) == SwitchValue::DoesNotFit)
        return CommandLineResult::FolderTooLong;
    // An empty folder ("/path:""") asks for the default.
    if (!InstallContext.installDir.empty()) {
        FolderFault fault = FaultOfInstallFolder(InstallContext.installDir.c_str());
        if (fault != FolderFault::None) {
            InstallContext.installDir.clear();
            return fault == FolderFault::OfOthers ? CommandLineResult::FolderOfOthers
                                                  : CommandLineResult::FolderNotUsable;
        }
    }
    if (const char* language = FindSwitch(text, "/language:"))
        InstallContext.languageNumber = atoi(language);
    return CommandLineResult::Read;
}
