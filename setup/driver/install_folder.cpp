#include "setup/driver/install_folder.h"

#include "setup/state/install_context.h"
#include "suite/path_text.h"
#include "suite/vexlo.h"

namespace {

const char* const FallbackProgramFolder = "C:\\Program Files\\";

bool ReadProgramFilesFolder(PathBuffer& folder)
{
    return ReadRegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                            folder) == RegistryText::Read &&
           !folder.empty();
}

bool AppendProductFolder(PathBuffer& folder)
{
    return JoinPath(folder, folder.c_str(), "Vexlo");
}

} // namespace

void ChooseDefaultInstallFolder()
{
    PathBuffer& folder = InstallContext.installDir;
    if (!folder.empty())
        return;

    // An empty "InstallPath" would send every later stage to the root of the
    // current drive, and a relative one wherever setup runs: like a root, it
    // counts as no earlier install (its files stay where they are).
    if (VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", folder.buffer())) {
        folder.settle();
        if (ShapeOfFolder(folder.c_str()) == FolderShape::Usable)
            return;
    }
    folder.clear();

    if (!ReadProgramFilesFolder(folder) || !AppendProductFolder(folder)) {
        if (!folder.assign(FallbackProgramFolder) || !AppendProductFolder(folder))
            folder.clear(); // never: the fallback is a short fixed text
    }
}

void RemoveInstallFolderTrailingBackslash()
{
    RemoveTrailingBackslash(InstallContext.installDir);
}
