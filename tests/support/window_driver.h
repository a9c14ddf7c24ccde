// Finding and driving the dialogs and message boxes of another process, the
// way a user's clicks and typing reach them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The first visible or hidden top-level window of process `processId` (0: any
// process) with the given class and title (null: any), waiting up to `timeoutMs`.
HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs);

// A standard dialog or message box ("#32770") of the process.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);

// A visible dialog of the process that has a control with the given id, or,
// for id 0, any visible dialog of the process but `except`.
HWND WaitForDialogWithControl(DWORD processId, int controlId, DWORD timeoutMs, HWND except = nullptr);

// WM_COMMAND from the control, sent (it returns when the dialog has handled
// it), with the given notification code.
void SendCommand(HWND dialog, int controlId, int notification = BN_CLICKED);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
void SetControlText(HWND dialog, int controlId, const std::string& text);

// BM_CLICK sent to the button, as a click on it would.
void ClickButton(HWND dialog, int controlId);

// The static texts of a dialog, in child order (for a message box: its message).
std::vector<std::string> StaticTexts(HWND dialog);

// A message box's message, with its lines as the box shows them.
std::string MessageBoxText(HWND box);
