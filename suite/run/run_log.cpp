#include "suite/run/run_log.h"

#include <stdarg.h>

#include "suite/catalogue/version.h"
#include "suite/text/command_switches.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
DWORD startTick = 0;
const char* writer = "";
// "/log:"FILE"", to pass on to the uninstaller's second stage.
FixedString<MAX_PATH + 8> logSwitch;
PathBuffer logPath;
const DWORD LogSizeLimit = 1024 * 1024;

// Writes the time stamp and the writer that start every line; returns their length.
int Stamp(char* line)
{
    return wsprintfA(line, "%8lu ms  %s  ", GetTickCount() - startTick, writer);
}

// One write per line: lines of the two uninstall stages never interleave.
void Write(const char* line, int length)
{
    DWORD written = 0;
    WriteFile(logFile, line, static_cast<DWORD>(length), &written, nullptr);
}

// A log that every deployment appends to would grow without end.
void SetAsideLongLog(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &file) ||
        (file.nFileSizeHigh == 0 && file.nFileSizeLow <= LogSizeLimit))
        return;
    PathBuffer older;
    if (older.assign(path) && older.append(".old"))
        MoveFileExA(path, older.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

void OpenRunLog(const char* commandLine, const char* program, LogStart start)
{
    if (logFile != INVALID_HANDLE_VALUE)
        CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
    logSwitch.clear();
    logPath.clear();
    startTick = GetTickCount();
    writer = program;
    PathBuffer path;
    // Only a full path: a relative one would land wherever the program runs,
    // for the uninstaller's copy in the temporary folder.
    if (ReadSwitchValue(commandLine, "/log:", path) != SwitchValue::Read ||
        ShapeOfFolder(path.c_str()) != FolderShape::Usable)
        return;
    if (start == LogStart::Rotate)
        SetAsideLongLog(path.c_str());
    // Appending only: every write lands at the end, whoever else writes.
    logFile = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    logPath = path;
    if (!logSwitch.assign("/log:\"") || !logSwitch.append(path.c_str()) || !logSwitch.append('"'))
        logSwitch.clear();
    LogLine("version %s", VEXLO_VERSION_TEXT);
    // The command line may be longer than wsprintfA writes: it is written whole.
    static FixedString<32767 + 64> line;
    char stamp[64];
    Stamp(stamp);
    if (line.assign(stamp) && line.append("command line: ") && line.append(commandLine) && line.append("\r\n"))
        Write(line.c_str(), static_cast<int>(line.length()));
}

void CloseRunLog(int exitCode)
{
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    LogLine("exit code %d", exitCode);
    CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
    logSwitch.clear();
    logPath.clear();
}

void LogLine(const char* format, ...)
{
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    // wsprintfA writes at most 1,024 bytes; the time stamp and writer go first.
    char line[1200];
    int length = Stamp(line);
    va_list arguments;
    va_start(arguments, format);
    length += wvsprintfA(line + length, format, arguments);
    va_end(arguments);
    line[length++] = '\r';
    line[length++] = '\n';
    Write(line, length);
}

const char* RunLogSwitch()
{
    return logSwitch.c_str();
}

const char* RunLogPath()
{
    return logPath.c_str();
}

const char* RootName(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    if (root == HKEY_USERS)
        return "HKU";
    return "HKEY";
}

LoggedStage::LoggedStage(const char* name) : name_(name), start_(GetTickCount())
{
    LogLine("begin %s", name_);
}

LoggedStage::~LoggedStage()
{
    LogLine("end %s after %lu ms", name_, GetTickCount() - start_);
}
