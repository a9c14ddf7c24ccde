#include <windows.h>

#include "install_sequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    return RunSetup(instance, commandTail);
}
