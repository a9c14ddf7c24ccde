// suite/run: what lasts for a run: the log, the lock, the platform-call table and the suite's running tools.
//
// The run's log, for whoever deploys the suite and cannot watch the run: one
// line per step, each with the milliseconds since the program started. It is
// written as it goes, so a run that breaks off leaves what happened so far, and
// appended to with shared access, so that both stages of the uninstaller can
// write one file. A log that cannot be opened changes nothing about the run.
#pragma once

#include <windows.h>

enum class LogStart {
    Rotate, // a log past 1 MiB becomes FILE.old (replacing an older one), and a new one starts
    Append, // the uninstaller's copy writes on into its first stage's log
};

// Opens the file named by "/log:" on `commandLine`, if any, and writes the
// command line and the version. `program` names the writer on every line.
void OpenRunLog(const char* commandLine, const char* program, LogStart start = LogStart::Rotate);

// Writes the exit code and closes the log.
void CloseRunLog(int exitCode);

// One line, formatted by wsprintfA (at most 1,024 characters).
void LogLine(const char* format, ...);

// The log file's path as given, quoted for passing on, or empty without a log.
const char* RunLogSwitch();

// The log file's path, or empty without a log: the run never removes it.
const char* RunLogPath();

// "HKLM", "HKCU", "HKCR" or "HKU", for lines about keys.
const char* RootName(HKEY root);

// A stage's start, and at its end its duration.
class LoggedStage {
public:
    explicit LoggedStage(const char* name);
    ~LoggedStage();
    LoggedStage(const LoggedStage&) = delete;
    LoggedStage& operator=(const LoggedStage&) = delete;

private:
    const char* name_;
    DWORD start_;
};
