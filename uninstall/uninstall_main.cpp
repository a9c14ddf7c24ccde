#include <windows.h>

#include "suite_identity.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    return 1;
}
