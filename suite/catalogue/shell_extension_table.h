// The Explorer context-menu extensions of the backup, shell-menu and archive
// tools: setup registers them and the uninstaller removes them, both from
// these names.
#pragma once

#include "suite/text/fixed_string.h"

struct ShellExtension {
    const char* classId;
    const char* displayName;  // the class's name, and its approval's
    const char* server;       // the library in the install folder
    const char* handlerName;  // its key below "<kind>\Shellex\ContextMenuHandlers"
    const char* const* kinds; // whose context menus it joins
    int kindCount;
};

extern const ShellExtension NorrikMenuExtension;
extern const ShellExtension AmbroMenuExtension;
extern const ShellExtension BrollaMenuExtension;

// Keys below HKEY_CLASSES_ROOT: "CLSID\<id>", "CLSID\<id>\InProcServer32" and
// "<kind>\Shellex\ContextMenuHandlers\<handler>". False when a key would not fit.
bool ClassKey(const ShellExtension& extension, PathBuffer& key);
bool ServerKey(const ShellExtension& extension, PathBuffer& key);
bool HandlerKey(const ShellExtension& extension, int kind, PathBuffer& key);
