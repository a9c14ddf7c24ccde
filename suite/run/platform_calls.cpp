#include "suite/run/platform_calls.h"

#include <shellapi.h>
#include <shlobj.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/run/run_log.h"

namespace {

const char* AnswerName(int answer)
{
    switch (answer) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDYES:
        return "Yes";
    case IDNO:
        return "No";
    default:
        return "none (not shown)";
    }
}

} // namespace

PlatformCalls Platform = {MessageBoxA, Sleep, SHChangeNotify, ShellExecuteA, GetSecurityInfo, GetTokenInformation,
                           MoveFileExA};

int ShowMessage(const char* text, UINT style)
{
    int answer = Platform.messageBox(nullptr, text, Suite::ProductName, style);
    // One line of the log per message: its line breaks become blanks.
    MessageText line;
    if (!line.assign(text))
        line.clear();
    for (unsigned i = 0; i < line.length(); ++i)
        if (line[i] == '\r' || line[i] == '\n')
            line.buffer()[i] = ' ';
    LogLine("message \"%s\", answered %s", line.c_str(), AnswerName(answer));
    return answer;
}

void ComposeMessage(MessageText& text, const char* heading, const char* separator, const char* body)
{
    if (text.assign(heading) && text.append(separator) && text.append(body))
        return;
    if (!text.assign(body))
        text.clear();
}
