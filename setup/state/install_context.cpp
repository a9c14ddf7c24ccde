#include "setup/state/install_context.h"

InstallContextData InstallContext;
HWND optionsWindow;
PathBuffer folderText;

void ResetInstallContext()
{
    InstallContext.instance = nullptr;
    InstallContext.installDir.clear();
    InstallContext.silent = 0;
    InstallContext.createShortcuts = 1;
    InstallContext.startTools = 1;
    InstallContext.languageNumber = -1;
    InstallContext.allUsers = false;
    InstallContext.installerCodes = false;
}
