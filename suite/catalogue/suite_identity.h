// suite/catalogue: the suite's fixed data: identity, version, tools, earlier releases, extensions, registry names.
//
// What both programs tell the runtime library about the suite at start.
#pragma once

#include <windows.h>

#include "suite/catalogue/suite_keys.h"

// Spelled as macros too, for the file names the tables build from them.
#define VEXLO_SHORT_NAME "Vexlets"
#define VEXLO_HELP_NAME "Vexlo" // the suite's help file, without its extension

namespace Suite {
constexpr const char* ProductName = "Vexlo";
constexpr const char* Maker = SuiteKeys::MakerName; // also the company in our programs' version resource
constexpr const char* Identifier = SuiteKeys::EntryName;
constexpr const char* ShortName = VEXLO_SHORT_NAME;
constexpr const char* SuiteKey = SuiteKeys::SuiteKey;
constexpr const char* HelpFile = VEXLO_HELP_NAME ".hlp";
constexpr const char* HelpTopic = "contents_ID";
constexpr const char* ExeTag = "VexletsEXE";
constexpr const char* HomePage = "https://vexlo.zerv-software.example/";
constexpr const char* MailAddress = "mailto:support@zerv-software.example";
// Beside the uninstaller after an install for all users: each user's part.
constexpr const char* UserProgram = "vexlo-user.exe";
}

enum class SuiteProgram { Setup, Uninstall };

// The identity values in the order the library's initialisation takes them.
struct SuiteIdentity {
    const char* productName;
    const char* productName2;
    const char* identifier;
    const char* shortName;
    const char* shortName2;
    const char* suiteKey;
    const char* helpFile;
    const char* helpTopic;
    const char* exeTag;
    DWORD numbers[3];
    int reserved;
    int value71;
    int value50;
    const char* homePage;
    const char* mailAddress;
    int finalFlag;
};

const SuiteIdentity& SuiteIdentityFor(SuiteProgram program);

// Operation 10 with the program's identity, then operation 11 with 0 and 45.
// The very first thing both entries do.
void InitialiseRuntimeLibrary(HINSTANCE instance, SuiteProgram program);
