#include "setup/driver/command_line.h"

#include <stdlib.h>
#include <string.h>

#include "setup/state/install_context.h"
#include "suite/path_text.h"

namespace {

// The platform's limit for a whole command line. We parse a lowered copy so
// that cutting out the folder never hides a switch that follows it.
FixedString<32767> tailCopy;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// After "/path:": blanks are skipped, then either a quoted folder (to the next
// quote) or a bare one (to the next blank); either may run to the end.
bool ReadFolder(const char* text)
{
    while (IsBlank(*text))
        ++text;
    const char* end;
    if (*text == '"') {
        ++text;
        end = strchr(text, '"');
        if (!end)
            end = text + strlen(text);
    } else {
        end = text;
        while (*end && !IsBlank(*end))
            ++end;
    }
    return InstallContext.installDir.assign(text, static_cast<unsigned>(end - text));
}

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
        if (!ReadFolder(path + 6))
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
