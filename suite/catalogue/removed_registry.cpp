#include "suite/catalogue/removed_registry.h"

#include "suite/catalogue/component_table.h"
#include "suite/catalogue/suite_keys.h"

namespace {

// The archive tool's file type, which its extension's menu serves.
const char* const ArchiveType[] = {SuiteKeys::ArchiveClass};

} // namespace

const RegistryRemoval RegistryRemovals[] = {
    // The per-user settings of every tool of the maker's, then the suite key
    // ("InstallPath" under HKLM) and the maker's key once no other product keeps a key in it.
    {KeyRemoval::Subkeys, HKEY_CURRENT_USER, SuiteKeys::SuiteKey},
    {KeyRemoval::Subkeys, HKEY_CURRENT_USER, SuiteKeys::MakerKey},
    {KeyRemoval::KeyAndParent, HKEY_CURRENT_USER, SuiteKeys::SuiteKey},
    {KeyRemoval::KeyAndParent, HKEY_LOCAL_MACHINE, SuiteKeys::SuiteKey},
    {KeyRemoval::Tree, HKEY_CLASSES_ROOT, SuiteKeys::SettingsType},
    {KeyRemoval::Tree, HKEY_CLASSES_ROOT, SuiteKeys::SettingsClass},
    {KeyRemoval::Values, HKEY_LOCAL_MACHINE, SuiteKeys::HelpFiles, 0, RegisteredHelpFiles,
     RegisteredHelpFileCount},

    {KeyRemoval::Tree, HKEY_CLASSES_ROOT, SuiteKeys::LayoutType},
    {KeyRemoval::Tree, HKEY_CLASSES_ROOT, SuiteKeys::LayoutClass},
    {KeyRemoval::Tree, HKEY_CURRENT_USER, SuiteKeys::SoundScheme, 0, nullptr, 0, nullptr, true},

    {KeyRemoval::Extension, HKEY_CLASSES_ROOT, nullptr, 0, nullptr, 0, &NorrikMenuExtension},
    {KeyRemoval::Extension, HKEY_CLASSES_ROOT, nullptr, 0, nullptr, 0, &AmbroMenuExtension},
    {KeyRemoval::Extension, HKEY_CLASSES_ROOT, nullptr, 0, nullptr, 0, &BrollaMenuExtension},
    {KeyRemoval::Tree, HKEY_CLASSES_ROOT, SuiteKeys::ArchiveClass},
    // Otherwise ".zip" belongs to another program.
    {KeyRemoval::TreeWhileNaming, HKEY_CLASSES_ROOT, ".zip", 0, ArchiveType, 1},

    // Whether or not this was an install for all users: removed from Windows'
    // list of programs, an install for all users goes whole. Setup wrote the
    // component into the system's own view, which only a delete that names the
    // view reaches. Users who already had their logon's part keep its values;
    // the user who uninstalls loses them now, and with them the note of having
    // had them, so that a later install for all users gives them again.
    {KeyRemoval::Key, HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, KEY_WOW64_64KEY},
    {KeyRemoval::Tree, HKEY_CURRENT_USER, SuiteKeys::ActiveSetupComponent},
};
static_assert(sizeof(RegistryRemovals) / sizeof(RegistryRemovals[0]) == RegistryRemovalCount, "registry removals");

const RegistryRemoval UninstallEntryRemoval = {KeyRemoval::Key, HKEY_LOCAL_MACHINE, SuiteKeys::UninstallEntry};
