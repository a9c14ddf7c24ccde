#include "setup/state/folder_rules.h"

#include "setup/state/install_context.h"
#include "suite/system/folders_of_others.h"
#include "suite/text/path_text.h"

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
