// Every registry name that setup writes and the uninstaller removes, named
// once, so that what one program writes the other removes by the same name.
#pragma once

// Spelled as macros too, for the keys that the tables build below them.
#define VEXLO_MAKER_KEY "Software\\ZERV Software"
#define VEXLO_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define VEXLO_ENTRY_NAME "ZervVexlets"
#define VEXLO_LAYOUT_TYPE ".pn"
#define VEXLO_LAYOUT_CLASS "ZervPondry"
#define VEXLO_SETTINGS_TYPE ".vxg"
#define VEXLO_SETTINGS_CLASS "ZervSettings"
#define VEXLO_ARCHIVE_CLASS "ZervBrolla"
#define VEXLO_SOUND_APPS "AppEvents\\Schemes\\Apps"
#define VEXLO_SOUND_SCHEME "ZERV Pondry"
#define VEXLO_ACTIVE_SETUP_KEY "Software\\Microsoft\\Active Setup\\Installed Components"

namespace SuiteKeys {
constexpr const char* MakerKey = VEXLO_MAKER_KEY;           // under HKCU and HKLM
constexpr const char* MakerName = "ZERV Software";          // its name below "Software"
constexpr const char* SuiteKeyName = "Vexlets";             // the suite key's name below the maker's
constexpr const char* SuiteKey = VEXLO_MAKER_KEY "\\Vexlets"; // under HKCU and HKLM
constexpr const char* InstallPath = "InstallPath";          // the install folder, in the HKLM suite key
constexpr const char* UninstallKey = VEXLO_UNINSTALL_KEY;
constexpr const char* EntryName = VEXLO_ENTRY_NAME;
constexpr const char* UninstallEntry = VEXLO_UNINSTALL_KEY "\\" VEXLO_ENTRY_NAME;
constexpr const char* LayoutType = VEXLO_LAYOUT_TYPE;
constexpr const char* LayoutClass = VEXLO_LAYOUT_CLASS;
constexpr const char* SettingsType = VEXLO_SETTINGS_TYPE;
constexpr const char* SettingsClass = VEXLO_SETTINGS_CLASS;
constexpr const char* ArchiveClass = VEXLO_ARCHIVE_CLASS;     // the archive tool's file type
// Where Windows finds help files by name; other programs' values share it.
constexpr const char* HelpFiles = "Software\\Microsoft\\Windows\\Help";
constexpr const char* SoundApps = VEXLO_SOUND_APPS;         // under HKCU
constexpr const char* SoundSchemeName = VEXLO_SOUND_SCHEME;
constexpr const char* SoundScheme = VEXLO_SOUND_APPS "\\" VEXLO_SOUND_SCHEME;
// An install for all users: Windows runs the component's "StubPath" once for
// each user at logon and keeps, under HKCU, which version that user got. In
// HKLM it lies in the 64-bit view on 64-bit Windows (KEY_WOW64_64KEY).
constexpr const char* ActiveSetupComponents = VEXLO_ACTIVE_SETUP_KEY;
constexpr const char* ActiveSetupComponent = VEXLO_ACTIVE_SETUP_KEY "\\" VEXLO_ENTRY_NAME;
} // namespace SuiteKeys
