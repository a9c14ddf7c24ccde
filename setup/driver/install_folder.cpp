#include "setup/driver/install_folder.h"

#include "setup/state/install_context.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/system/folders_of_others.h"
#include "suite/system/registry_text.h"
#include "suite/text/path_text.h"
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

FolderFault FaultOfInstallFolder(const char* folder)
{
    if (ShapeOfFolder(folder) != FolderShape::Usable)
        return FolderFault::NotUsable;
    return IsFolderOfOthers(folder) ? FolderFault::OfOthers : FolderFault::None;
}

const char* FolderFaultText(FolderFault fault)
{
    return fault == FolderFault::OfOthers ? FolderOfOthersText : FolderNotUsableText;
}

void ChooseDefaultInstallFolder()
{
    PathBuffer& folder = InstallContext.installDir;
    if (!folder.empty())
        return;

    // An empty "InstallPath" would send every later stage to the root of the
    // current drive, and a relative one wherever setup runs: like a root or a
    // folder of others, it counts as no earlier install (its files stay where they are).
    if (ReadInstallPath(folder)) {
        // A file of that name would end every silent run without installing.
        DWORD attributes = GetFileAttributesA(folder.c_str());
        if (FaultOfInstallFolder(folder.c_str()) == FolderFault::None &&
            (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)))
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
