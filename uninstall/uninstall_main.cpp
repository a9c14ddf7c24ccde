#include <windows.h>

#include "uninstall/uninstall_sequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunUninstall(instance, GetCommandLineA());
}
