// Identity, language and translation of the stand-in runtime library.
#include "standin.h"
#include "vexlo.h"

HINSTANCE VxModuleHandle = nullptr;

namespace {

char suiteKey[MAX_PATH] = "Software\\ZERV Software\\Vexlets";
HeapText translation;

} // namespace

const char* SuiteKeyPath()
{
    return suiteKey;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        VxModuleHandle = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

void __cdecl VxInitialize(HINSTANCE, const char*, const char*, const char*, const char*, const char*,
                          const char* suiteKeyPath, const char*, const char*, const char*, DWORD, DWORD, DWORD, int,
                          int, int, const char*, const char*, int)
{
    if (suiteKeyPath && lstrlenA(suiteKeyPath) < MAX_PATH)
        lstrcpynA(suiteKey, suiteKeyPath, MAX_PATH);
}

void __cdecl VxConfigure(int, int)
{
}

int __cdecl VxIconOffset()
{
    return 0;
}

void __cdecl VxSetLanguage(const char*, int)
{
}

const char* __cdecl VxTranslate(const char* englishText, int)
{
    // A dialog handle in place of a text: English needs no change to the dialog.
    if (!englishText || IsWindow(reinterpret_cast<HWND>(const_cast<char*>(englishText))))
        return "";

    // Texts mark line breaks with "::"; each pair is one break.
    translation.clear();
    for (const char* c = englishText; *c; ++c) {
        if (c[0] == ':' && c[1] == ':') {
            translation.append("\r\n", 2);
            ++c;
        } else {
            translation.append(*c);
        }
    }
    return translation.c_str();
}
