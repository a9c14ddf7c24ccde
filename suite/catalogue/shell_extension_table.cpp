#include "suite/catalogue/shell_extension_table.h"

namespace {

const char* const EveryFile[] = {"*"};
const char* const FilesFoldersAndDrives[] = {"*", "InternetShortcut", "Directory", "Folder", "Drive"};

} // namespace

const ShellExtension NorrikMenuExtension = {
    "{00000000-0002-5A45-5256-0020e48020af}", "Vexlo Norrik Context Menu Extension", "vxnkmenu.dll", "Norrik",
    EveryFile, 1,
};
const ShellExtension AmbroMenuExtension = {
    "{00000000-0001-5A45-5256-0020e48020af}", "Vexlo Ambro", "vxambro.dll", "~~~ZERV Ambro",
    FilesFoldersAndDrives, 5,
};
const ShellExtension BrollaMenuExtension = {
    "{00000000-0003-5A45-5256-0020e48020af}", "Vexlo Brolla", "vxbrollashell.dll", "~~~ZERV Brolla",
    FilesFoldersAndDrives, 5,
};

bool ClassKey(const ShellExtension& extension, PathBuffer& key)
{
    return key.assign("CLSID\\") && key.append(extension.classId);
}

bool ServerKey(const ShellExtension& extension, PathBuffer& key)
{
    return ClassKey(extension, key) && key.append("\\InProcServer32");
}

bool HandlerKey(const ShellExtension& extension, int kind, PathBuffer& key)
{
    return key.assign(extension.kinds[kind]) && key.append("\\Shellex\\ContextMenuHandlers\\") &&
           key.append(extension.handlerName);
}
