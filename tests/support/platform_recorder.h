// Answers and records the platform calls that tests replace: message boxes,
// pauses and shell notifications. One recorder at a time, for its lifetime.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "suite/run/platform_calls.h"

class PlatformRecorder {
public:
    struct Message {
        std::string text;
        UINT style;
    };
    struct Notification {
        LONG event;
        UINT flags;
        std::string item; // the path, for SHCNF_PATHA
    };

    PlatformRecorder()
    {
        current = this;
        saved_ = Platform;
        Platform.messageBox = RecordMessage;
        Platform.sleep = RecordPause;
        Platform.changeNotify = RecordNotification;
        Platform.shellExecute = RecordStart;
    }

    ~PlatformRecorder()
    {
        Platform = saved_;
        current = nullptr;
    }

    std::vector<Message> messages;
    std::deque<int> answers;     // given in turn; IDOK when none is left
    std::vector<DWORD> pauses;
    std::function<void(size_t)> onPause; // called with the number of pauses so far
    std::vector<Notification> notifications;
    std::vector<std::string> starts; // "program|parameters" through Platform.shellExecute, which still starts them

    size_t notificationsOf(LONG event) const
    {
        size_t n = 0;
        for (const Notification& notification : notifications)
            n += notification.event == event;
        return n;
    }

private:
    static int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR, UINT style)
    {
        current->messages.push_back({text, style});
        if (current->answers.empty())
            return IDOK;
        int answer = current->answers.front();
        current->answers.pop_front();
        return answer;
    }

    static void WINAPI RecordPause(DWORD milliseconds)
    {
        current->pauses.push_back(milliseconds);
        if (current->onPause)
            current->onPause(current->pauses.size());
    }

    static void WINAPI RecordNotification(LONG event, UINT flags, LPCVOID item, LPCVOID)
    {
        std::string path = (flags & SHCNF_TYPE) == SHCNF_PATHA && item ? static_cast<const char*>(item) : "";
        current->notifications.push_back({event, flags, path});
    }

    static HINSTANCE WINAPI RecordStart(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                        INT show)
    {
        current->starts.push_back(std::string(file ? file : "") + "|" + (parameters ? parameters : ""));
        return ShellExecuteA(owner, verb, file, parameters, folder, show);
    }

    PlatformCalls saved_;
    static inline PlatformRecorder* current = nullptr;
};
