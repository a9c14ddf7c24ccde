// The suite's runtime library, Vexlo.dll, as both programs call it.
// The library is shared with the suite's tools and is imported by ordinal only
// (see vexlo.def); these declarations fix the argument lists we pass.
#pragma once

#include <windows.h>
#include <shlobj.h>

#ifdef VEXLO_BUILDING_LIBRARY
// The library's exports come from vexlo.def alone, so that they are ordinals only.
#define VEXLO_API extern "C"
#else
#define VEXLO_API extern "C" __declspec(dllimport)
#endif

// 10: hands the library the calling program's identity (see suite_identity.cpp).
VEXLO_API void __cdecl VxInitialize(HINSTANCE instance, const char* productName, const char* productName2,
                                    const char* identifier, const char* shortName, const char* shortName2,
                                    const char* suiteKey, const char* helpFile, const char* helpTopic,
                                    const char* exeTag, DWORD number1, DWORD number2, DWORD number3,
                                    int reserved, int value71, int value50, const char* homePage,
                                    const char* mailAddress, int finalFlag);
// 11: always called right after 10 with 0 and 45.
VEXLO_API void __cdecl VxConfigure(int first, int second);

// 12: writes a value, creating the key and its parents when missing.
VEXLO_API void __cdecl VxWriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                                            const void* data, DWORD byteCount);
// 13: nonzero when the value was read; the buffer is left alone otherwise.
VEXLO_API int __cdecl VxReadRegistryValue(HKEY root, const char* keyPath, const char* valueName, void* buffer,
                                          DWORD bufferSize);
// 15/16: a value of the suite key under the given root; 15 expects a buffer of MAX_PATH characters.
VEXLO_API int __cdecl VxReadSuiteValue(HKEY root, const char* valueName, char* buffer);
VEXLO_API void __cdecl VxWriteSuiteValue(HKEY root, const char* valueName, const char* text);

// 43: nonzero when the folder exists afterwards (parents are created too).
VEXLO_API int __cdecl VxMakeFolder(const char* path);
// 46: offset added to icon resource 20 for the dialogs' icon.
VEXLO_API int __cdecl VxIconOffset();
// 70: the library's own module handle (an exported variable, not a function).
VEXLO_API HINSTANCE VxModuleHandle;

// 101: switches the current language (0 to 9); the caller stores the choice itself.
VEXLO_API void __cdecl VxSetLanguage(const char* valueName, int languageNumber);
// 110: the text in the current language; use it before the next call. Also
// accepts a dialog's window handle in place of the text.
VEXLO_API const char* __cdecl VxTranslate(const char* englishText, int zero);

// 210: removes the folder and everything in it.
VEXLO_API void __cdecl VxRemoveFolder(const char* path, int one);
// 231: folder picker; the buffer (MAX_PATH) holds the choice, or its old text on Cancel.
VEXLO_API void __cdecl VxPickFolder(HWND owner, char* buffer);
// 250: saves a registry branch ("HKEY_CURRENT_USER\...") to a file that regedit can import.
VEXLO_API void __cdecl VxSaveRegistryBranch(int zero, const char* branch, const char* filePath);
// 261: creates or replaces a shell link; the only operation that cleans its own arguments.
VEXLO_API void __stdcall VxCreateShortcut(const char* linkPath, const char* target, const char* arguments,
                                          const char* workingFolder, int zero);
// 262: called with a CSIDL before the caller deletes its own shortcuts there.
VEXLO_API void __cdecl VxClearSpecialFolder(int csidl);
// 342/343: close Explorer's folder windows so it lets go of our libraries, and
// the matching call at the end of a stage that used 342.
VEXLO_API void __cdecl VxCloseExplorerWindows();
VEXLO_API void __cdecl VxRestoreExplorer();
// 360: releases an item list from SHGetSpecialFolderLocation.
VEXLO_API void __cdecl VxFreeItemList(LPITEMIDLIST itemList);
