#include "setup/driver/command_line.h"

#include <stdlib.h>
#include <string.h>

#include "setup/state/install_context.h"
#include "suite/command_switches.h"
#include "suite/path_text.h"

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

bool AsksForSilence(const char* tail)
{
    const char* text = LowerCaseTail(tail);
    return text && strstr(text, "/silent");
}

CommandLineResult ReadCommandLine(const char* tail)
{
    const char* text = LowerCaseTail(tail);
    if (!text || !*text)
        return CommandLineResult::Read;

    if (strstr(text, "/silent"))
        InstallContext.silent = 1;
    if (strstr(text, "/noshort"))
        InstallContext.createShortcuts = 0;
    if (strstr(text, "/nostart"))
        InstallContext.startTools = 0;

    if (const char* path = strstr(text, "/path:")) {
        if (ReadSwitchValue(path, "/path:", InstallContext.installDir) == SwitchValue::DoesNotFit)
            return CommandLineResult::FolderTooLong;
        // An empty folder ("/path:""") asks for the default.
        if (!InstallContext.installDir.empty() &&
            ShapeOfFolder(InstallContext.installDir.c_str()) != FolderShape::Usable) {
            InstallContext.installDir.clear();
            return CommandLineResult::FolderNotUsable;
        }
    }
    if (const char* language = strstr(text, "/language:"))
        InstallContext.languageNumber = atoi(language + 10);
    return CommandLineResult::Read;
}
