// The journal the stand-in tools append to when they start (VEXLO_TOOL_JOURNAL).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ToolJournal {
public:
    // A fresh journal in `folder`, named for the tools this process starts from now on.
    explicit ToolJournal(const std::string& folder);
    ~ToolJournal();
    ToolJournal(const ToolJournal&) = delete;
    ToolJournal& operator=(const ToolJournal&) = delete;

    const std::string& path() const { return path_; }

    // The starts as "program path|arguments|working folder", in the order the
    // processes were created, once at least `count` are there (or after `timeoutMs`).
    std::vector<std::string> starts(size_t count = 0, DWORD timeoutMs = 5000) const;

private:
    std::string path_;
};
