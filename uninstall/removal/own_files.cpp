#include "uninstall/removal/own_files.h"

#include <windows.h>

#include "suite/run/run_log.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"

void OwnFiles::take()
{
    count_ = 0;
    PathBuffer program;
    DWORD length = GetModuleFileNameA(nullptr, program.buffer(), program.bufferSize());
    if (length > 0 && length < program.bufferSize()) {
        program.settle();
        if (files_[count_].take(program.c_str()))
            ++count_;
        if (CutAtLastBackslash(program) && program.append("\\Vexlo.dll") && files_[count_].take(program.c_str()))
            ++count_;
    }
    if (*RunLogPath() && files_[count_].take(RunLogPath()))
        ++count_;
}

bool OwnFiles::isOrHolds(const char* path) const
{
    for (int i = 0; i < count_; ++i)
        if (files_[i].reaches(path))
            return true;
    return false;
}
