#include "uninstall/stages/batch_file.h"

#include <windows.h>
#include <shellapi.h>

#include "suite/system/temp_folder.h"
#include "suite/text/path_text.h"

namespace {

// The copies cannot go while the second stage still runs from them. The
// loop waits about a second between rounds (ping is the pause that every
// Windows and Wine have) and gives up after about a minute.
const char* const BatchLines[] = {
    "",
    "@echo off",
    "set vexloRound=0",
    ":myLabel",
    "if %vexloRound% GTR 60 goto myEnd",
    "if not %vexloRound%==0 ping -n 2 127.0.0.1 > nul",
    "set /a vexloRound=vexloRound+1",
    "del \"{temp}uninstall.exe\"",
    "del \"{temp}Vexlo.dll\"",
    "if exist \"{temp}uninstall.exe\" goto myLabel",
    "if exist \"{temp}Vexlo.dll\" goto myLabel",
    ":myEnd",
    "del \"{batch}\"",
};

bool AppendLine(BatchText& text, const char* line, const char* temp, const char* batch)
{
    for (const char* c = line; *c;) {
        bool ok;
        if (c[0] == '{' && c[1] == 't') {
            ok = text.append(temp);
            c += 6; // "{temp}"
        } else if (c[0] == '{' && c[1] == 'b') {
            ok = text.append(batch);
            c += 7; // "{batch}"
        } else {
            ok = text.append(*c++);
        }
        if (!ok)
            return false;
    }
    return text.append("\r\n");
}

} // namespace

bool BuildBatchText(const char* temp, const char* batch, BatchText& text)
{
    text.clear();
    for (const char* line : BatchLines)
        if (!AppendLine(text, line, temp, batch))
            return false;
    return true;
}

void WriteSelfDeletingBatch()
{
    PathBuffer temp;
    if (!TempFolderPath(temp))
        return;
    // Started in the temporary folder exactly as Windows names it.
    const PathBuffer workingFolder = temp;
    if (!AppendBackslashIfMissing(temp))
        return;

    PathBuffer batch;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int n = 1; n <= 200 && file == INVALID_HANDLE_VALUE; ++n) {
        char name[32];
        wsprintfA(name, "delme%i.bat", n);
        if (!batch.assign(temp.c_str()) || !batch.append(name))
            return;
        file = CreateFileA(batch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE)
        return;
    BatchText text;
    bool built = BuildBatchText(temp.c_str(), batch.c_str(), text);
    DWORD written = 0;
    if (built)
        WriteFile(file, text.c_str(), text.length(), &written, nullptr);
    CloseHandle(file);
    if (!built) {
        DeleteFileA(batch.c_str());
        return;
    }
    ShellExecuteA(nullptr, nullptr, batch.c_str(), nullptr, workingFolder.c_str(), SW_HIDE);
}
