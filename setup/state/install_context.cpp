#include "setup/state/install_context.h"

InstallContextData InstallContext;
HWND optionsWindow;
PathBuffer folderText;

void ResetInstallContext()
{
    InstallContext.instance = nullptr;
    InstallContext.installDir.clear();
    InstallContext.silent = false;
    InstallContext.createShortcuts = true;
    InstallContext.startTools = true;
    InstallContext.languageNumber = -1;
    InstallContext.allUsers = false;
    InstallContext.installerCodes = false;
}
