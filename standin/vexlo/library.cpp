// Identity of the stand-in runtime library.
#include "standin/vexlo/standin.h"
#include "suite/vexlo.h"

HINSTANCE VxModuleHandle = nullptr;

namespace {

char suiteKey[MAX_PATH] = "Software\\ZERV Software\\Vexlets";

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
    StartLanguage(suiteKey);
}

void __cdecl VxConfigure(int, int)
{
}

int __cdecl VxIconOffset()
{
    return 0;
}
