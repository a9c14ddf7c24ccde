// Every key setup writes and every file it installs has a row in the
// uninstaller's removal tables: a write or a file added without its removal
// would otherwise stay on every PC the suite is removed from.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/registration/registry_settings.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/removed_files.h"
#include "suite/catalogue/removed_registry.h"
#include "suite/system/folder_walk.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

bool Same(const std::string& one, const char* other)
{
    return lstrcmpiA(one.c_str(), other) == 0;
}

// `key` is `top` or lies below it; `strictly`: below it only.
bool Below(const std::string& key, const char* top, bool strictly = false)
{
    size_t length = lstrlenA(top);
    return (!strictly && Same(key, top)) ||
           (key.size() > length && key[length] == '\\' && Same(key.substr(0, length), top));
}

bool Covers(const RegistryRemoval& row, HKEY root, const std::string& key, const std::string& value)
{
    if (row.root != root)
        return false;
    switch (row.removal) {
    case KeyRemoval::Subkeys:
        return Below(key, row.key, true);
    case KeyRemoval::Tree:
    case KeyRemoval::TreeWhileNaming:
        return Below(key, row.key);
    case KeyRemoval::KeyAndParent:
    case KeyRemoval::Key:
        return Same(key, row.key);
    case KeyRemoval::Values:
        for (int i = 0; i < row.nameCount; ++i)
            if (Same(key, row.key) && Same(value, row.names[i]))
                return true;
        return false;
    case KeyRemoval::Extension: {
        PathBuffer written;
        bool covered = ClassKey(*row.extension, written) && Below(key, written.c_str());
        for (int kind = 0; kind < row.extension->kindCount; ++kind)
            covered = covered || (HandlerKey(*row.extension, kind, written) && Below(key, written.c_str()));
        return covered;
    }
    default:
        return false;
    }
}

using Written = std::pair<std::string, std::string>; // key, value

// Every value below `key`, and every key that holds nothing.
void Collect(HKEY root, const std::string& key, std::vector<Written>& found)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.empty() ? nullptr : key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    char name[MAX_PATH];
    DWORD values = 0;
    DWORD subkeys = 0;
    for (DWORD i = 0, size = MAX_PATH; RegEnumValueA(handle, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                       ERROR_SUCCESS;
         ++i, size = MAX_PATH, ++values)
        found.push_back({key, name});
    for (DWORD i = 0, size = MAX_PATH; RegEnumKeyExA(handle, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                       ERROR_SUCCESS;
         ++i, size = MAX_PATH, ++subkeys)
        Collect(root, key.empty() ? name : key + "\\" + name, found);
    RegCloseKey(handle);
    if (values == 0 && subkeys == 0 && !key.empty())
        found.push_back({key, "(no value)"});
}

} // namespace

TEST(RemovalTables, EveryKeySetupWritesHasARemovalRow)
{
    const std::pair<HKEY, const char*> roots[] = {
        {HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}, {HKEY_CLASSES_ROOT, "HKCR"}};
    for (bool allUsers : {false, true}) {
        RegistrySandbox sandbox("removal-tables");
        PlatformRecorder platform;
        // Windows has it; setup only adds its own sounds below it.
        WriteString(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default", nullptr, "Windows");
        std::vector<Written> before[3];
        for (int i = 0; i < 3; ++i)
            Collect(roots[i].first, "", before[i]);

        ResetInstallContext();
        InstallContext.silent = true;
        InstallContext.allUsers = allUsers;
        ASSERT_TRUE(InstallContext.installDir.assign("C:\\Program Files\\Vexlo"));
        RegisterSuite(InstallContext.installDir);
        CompleteUninstallEntry(InstallContext.installDir, true, 1);

        size_t written = 0;
        for (int i = 0; i < 3; ++i) {
            HKEY root = roots[i].first;
            std::vector<Written> after;
            Collect(root, "", after);
            for (const Written& entry : after) {
                if (std::find(before[i].begin(), before[i].end(), entry) != before[i].end())
                    continue;
                ++written;
                const auto& [key, value] = entry;
                bool covered = root == UninstallEntryRemoval.root && Same(key, UninstallEntryRemoval.key);
                for (const RegistryRemoval& row : RegistryRemovals)
                    covered = covered || Covers(row, root, key, value);
                // Approvals stay on purpose: a later install finds its extensions
                // approved. Wine's shell notes its folders when asked for one.
                for (const char* kept : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions",
                                         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                                         "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList"})
                    covered = covered || Below(key, kept);
                EXPECT_TRUE(covered) << roots[i].second << "\\" << key << " [" << value << "]"
                                     << (allUsers ? " for all users" : "");
            }
        }
        // Registration really wrote: the file types, the extensions, the entry, the help files.
        EXPECT_GT(written, 60u);
    }
}

TEST(RemovalTables, EveryFileSetupInstallsHasARemovalRow)
{
    std::vector<std::string> installed = FilesMatching(DistFolder(), "*");
    FillComponentTable();
    for (const Component& component : ComponentTable) {
        FixedString<99> name;
        const char* cursor = component.files.c_str();
        while (NextFileName(cursor, name))
            installed.push_back(name.c_str());
    }
    ASSERT_GT(installed.size(), 80u);
    for (const std::string& file : installed) {
        // Where setup's sorting puts it: a subfolder, or beside the programs.
        std::string place = file;
        RemovedAs removal = RemovedAs::SuiteFile;
        for (const SortedSubfolder& subfolder : SortedSubfolders)
            if (ContainsAny(file.c_str(), subfolder.patterns, subfolder.patternCount)) {
                place = subfolder.name;
                removal = RemovedAs::Subfolder;
                break;
            }
        bool covered = false;
        for (const RemovedFile& row : RemovedFiles)
            covered = covered || (Same(place, row.name) && (row.as == RemovedAs::Subfolder) ==
                                                               (removal == RemovedAs::Subfolder));
        EXPECT_TRUE(covered) << file;
    }
}
