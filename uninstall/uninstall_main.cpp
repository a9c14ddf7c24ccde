#include <windows.h>

#include "uninstall/stages/uninstall_sequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunUninstall(instance, GetCommandLineA());
}
