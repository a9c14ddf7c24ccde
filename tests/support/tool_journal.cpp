#include "tests/support/tool_journal.h"

#include <algorithm>

#include "tests/support/test_files.h"

ToolJournal::ToolJournal(const std::string& folder) : path_(folder + "\\journal.txt")
{
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("VEXLO_TOOL_JOURNAL", path_.c_str());
}

ToolJournal::~ToolJournal()
{
    SetEnvironmentVariableA("VEXLO_TOOL_JOURNAL", nullptr);
}

std::vector<std::string> ToolJournal::starts(size_t count, DWORD timeoutMs) const
{
    std::vector<std::pair<std::string, std::string>> lines; // start time, line
    DWORD begun = GetTickCount();
    for (;;) {
        lines.clear();
        std::string text = ReadWholeFile(path_);
        size_t at = 0;
        for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            std::string line = text.substr(at, end - at);
            size_t last = line.rfind('|');
            lines.push_back({line.substr(last + 1), line.substr(0, last)});
        }
        if (lines.size() >= count || GetTickCount() - begun >= timeoutMs)
            break;
        Sleep(50);
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> result;
    for (const auto& line : lines)
        result.push_back(line.second);
    return result;
}
