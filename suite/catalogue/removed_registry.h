// What the uninstaller removes from the registry, named from the same
// catalogue that setup writes from: each key setup writes lies in one of
// these, but for the context-menu extensions' approvals, which stay so that a
// later install finds its extensions approved.
#pragma once

#include <windows.h>

#include "suite/catalogue/shell_extension_table.h"

enum class KeyRemoval : unsigned char {
    Subkeys,         // every subkey, all levels; the key stays with its values
    Tree,            // the key with all it holds
    KeyAndParent,    // the key by one delete, nothing emptied first; then its parent once it holds no other key
    Key,             // the key alone, in the registry view `view` names
    Values,          // the values `names` lists; the key is shared
    Extension,       // a context-menu extension: its class and every handler key, each a tree
    TreeWhileNaming, // a tree, but only while its default value names `names[0]` (in any letter case)
};

struct RegistryRemoval {
    KeyRemoval removal;
    HKEY root;
    const char* key; // Extension: null, the keys come from `extension`
    REGSAM view = 0;
    const char* const* names = nullptr;
    int nameCount = 0;
    const ShellExtension* extension = nullptr;
    // The shell hears that file types changed once this row is done.
    bool thenFileTypesChanged = false;
};

// In the order the registry cleanup removes them.
constexpr int RegistryRemovalCount = 17;
extern const RegistryRemoval RegistryRemovals[RegistryRemovalCount];

// The uninstall entry, which goes apart from the rest: when the interactive
// first stage is sure, or when a silent copy has removed everything.
extern const RegistryRemoval UninstallEntryRemoval;
