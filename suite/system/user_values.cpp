#include "suite/system/user_values.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/run_log.h"
#include "suite/system/registry_rows.h"
#include "suite/system/registry_text.h"
#include "suite/system/temp_folder.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

// Always English: the scheduling tool shows it to whoever edits its key.
const RegistryRow SchedulerNote[] = {
    {Writer::Direct, HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Orvex", "Add Your Subkeys Here!",
     "Add your timer below this key, per *.reg, batch, or program! Start Vexlo Orvex again to get all subkeys "
     "rechecked, /s for silent mode."},
};

struct SoundEvent {
    const char* subkey;
    const char* label;
    const char* sound; // in the install folder's Sounds
};

const SoundEvent SoundEvents[] = {
    {"PN Help", "PN Help", SuiteSounds[0]},
    {"Pondry", "Pondry", SuiteSounds[1]},
    {"Restore Layout", "Restore Layout", SuiteSounds[2]},
};

void SetDefaultValue(HKEY key, const char* text, DWORD type = REG_SZ)
{
    RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
}

// Our own sound from an earlier install, wherever that was.
bool IsSuiteSound(const char* path, const char* ownFile)
{
    int length = lstrlenA(path);
    int fileLength = lstrlenA(ownFile);
    return length >= fileLength && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path + length - fileLength,
                                                  fileLength, ownFile, fileLength) == CSTR_EQUAL;
}

// A sound the user chose for an event (two characters or more) is kept; an
// empty entry, or the suite's sound of an earlier install, gets the suite's
// sound in the install folder. ".Current" and ".Default" share one buffer, so
// a ".Default" that cannot be read receives what ".Current" got.
void WriteSchemeSound(HKEY event, const char* scheme, PathBuffer& sound, DWORD& type, const PathBuffer& ownSound,
                      const char* ownFile)
{
    HKEY key;
    if (RegCreateKeyExA(event, scheme, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    PathBuffer chosen;
    DWORD chosenType = REG_NONE;
    RegistryText read = ReadRegistryText(event, scheme, nullptr, chosen, &chosenType);
    // A sound path is text; anything else in its place is no choice of the user's.
    bool text = chosenType == REG_SZ || chosenType == REG_EXPAND_SZ;
    // A user's sound too long for a path buffer is still the user's choice:
    // it stays as it is, and the shared buffer keeps what it held.
    if (read == RegistryText::DoesNotFit && text) {
        RegCloseKey(key);
        return;
    }
    if (read == RegistryText::Read) {
        if (chosen.length() < 2 || !text || IsSuiteSound(chosen.c_str(), ownFile)) {
            sound = ownSound;
            type = REG_SZ;
        } else {
            sound = chosen;
            // "%SystemRoot%\media\..." only works as an expandable string.
            type = chosenType;
        }
    }
    SetDefaultValue(key, sound.c_str(), type);
    RegCloseKey(key);
}

void RegisterSoundEvents(const PathBuffer& installDir)
{
    HKEY apps;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SuiteKeys::SoundApps, 0, KEY_CREATE_SUB_KEY, &apps) != ERROR_SUCCESS)
        return;
    HKEY application;
    LONG created =
        RegCreateKeyExA(apps, SuiteKeys::SoundSchemeName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &application, nullptr);
    RegCloseKey(apps);
    if (created != ERROR_SUCCESS)
        return;
    SetDefaultValue(application, SuiteKeys::SoundSchemeName);
    for (const SoundEvent& entry : SoundEvents) {
        HKEY event;
        if (RegCreateKeyExA(application, entry.subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &event, nullptr) !=
            ERROR_SUCCESS)
            continue;
        SetDefaultValue(event, entry.label);
        LogLine("wrote HKCU\\%s\\%s", SuiteKeys::SoundScheme, entry.subkey);
        // "\Sounds\<file>" ends the suite's own sound wherever it was installed.
        PathBuffer ownFile;
        PathBuffer ownSound;
        if (JoinPath(ownFile, "", InstallSubfolder::Sounds) && JoinPath(ownFile, ownFile.c_str(), entry.sound) &&
            ownSound.assign(installDir.c_str()) && ownSound.append(ownFile.c_str())) {
            PathBuffer sound = ownSound;
            DWORD type = REG_SZ;
            WriteSchemeSound(event, ".Current", sound, type, ownSound, ownFile.c_str());
            WriteSchemeSound(event, ".Default", sound, type, ownSound, ownFile.c_str());
        }
        RegCloseKey(event);
    }
    RegCloseKey(application);
}

// The layout tool saves layouts automatically into this folder; one that
// still exists is the user's and stays.
void KeepOrMakeAutosaveFolder()
{
    PathBuffer folder;
    VxReadRegistryValue(HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Pondry", "PathToAutoPN", folder.buffer(),
                        folder.bufferSize());
    folder.settle();
    if (folder.empty() || GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Without an application-data folder, the temporary folder.
        TempFolderPath(folder);
        LPITEMIDLIST appData = nullptr;
        if (SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &appData) == S_OK && appData) {
            char path[MAX_PATH];
            // A folder that does not fit leaves the temporary folder in place.
            PathBuffer roaming;
            if (SHGetPathFromIDListA(appData, path) == 1 && roaming.assign(path))
                folder = roaming;
        }
        if (appData)
            VxFreeItemList(appData);
        if (folder.empty() || !JoinPath(folder, folder.c_str(), "PNAutoSave"))
            return;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    VxWriteRegistryValue(HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Pondry", "PathToAutoPN", REG_SZ,
                         folder.c_str(), folder.length() + 1);
}

const RegistryRow AmbroOptions[] = {
    {Writer::Direct, HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Ambro", "OptionsPath", "{install}\\vxambro.exe"},
};

const RegistryRow BrollaPath[] = {
    {Writer::Direct, HKEY_CURRENT_USER, VEXLO_MAKER_KEY "\\Brolla", "ZervBrollaExePath",
     "{install}\\vxbrolla.exe"},
};

} // namespace

void WriteUserValue(UserValue value, const PathBuffer& installDir)
{
    switch (value) {
    case UserValue::SchedulerNote:
        WriteRows(SchedulerNote, DirectRowCapacity, installDir);
        break;
    case UserValue::SoundEvents:
        RegisterSoundEvents(installDir);
        break;
    case UserValue::AutosaveFolder:
        KeepOrMakeAutosaveFolder();
        break;
    case UserValue::AmbroOptions:
        WriteRows(AmbroOptions, DirectRowCapacity, installDir);
        break;
    case UserValue::BrollaPath:
        WriteRows(BrollaPath, DirectRowCapacity, installDir);
        break;
    }
}
