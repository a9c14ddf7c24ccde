#include "setup/registration/file_associations.h"

#include <shlobj.h>

#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/system/registry_rows.h"

namespace {

// The layout tool's commands quote the program and the file.
const RegistryRow LayoutFiles[] = {
    {Writer::Library, HKEY_CLASSES_ROOT, SuiteKeys::LayoutType, nullptr, SuiteKeys::LayoutClass},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_TYPE "\\ShellNew", "NullFile", ""},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_TYPE "\\ShellNew", "command", "\"%1\""},
    {Writer::Library, HKEY_CLASSES_ROOT, SuiteKeys::LayoutClass, nullptr, "Pondry"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\DefaultIcon", nullptr, "{install}\\vxpondry.exe,0"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell", nullptr, "open"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\open", nullptr, "S&ave Layout"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\open\\command", nullptr,
     "\"{install}\\vxpondry.exe\" /s \"%1\""},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\qRestore_Layout", nullptr, "R&estore Layout"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\qRestore_Layout\\command", nullptr,
     "\"{install}\\vxpondry.exe\" /r \"%1\""},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\uOptions", nullptr, "PN &Help"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_LAYOUT_CLASS "\\Shell\\uOptions\\command", nullptr,
     "\"{install}\\vxpondry.exe\" /? \"%1\""},
};

// The shutdown tool's open command quotes neither the program nor the file.
const RegistryRow SettingsFiles[] = {
    {Writer::Library, HKEY_CLASSES_ROOT, SuiteKeys::SettingsType, nullptr, SuiteKeys::SettingsClass},
    {Writer::Library, HKEY_CLASSES_ROOT, SuiteKeys::SettingsClass, nullptr, "Vexlo Settings", true},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\DefaultIcon", nullptr, "{install}\\Vexlo.dll,0"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\Shell", nullptr, "open"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\Shell\\open", nullptr, "&Restore Settings"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\Shell\\open\\command", nullptr, "{install}\\vxcaddel.exe %1"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\Shell\\edit", nullptr, "&Edit"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_SETTINGS_CLASS "\\Shell\\edit\\command", nullptr, "NOTEPAD.EXE %1"},
};

void NotifyAssociationsChanged()
{
    Platform.changeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

} // namespace

void RegisterLayoutFiles(const PathBuffer& installDir)
{
    WriteRows(LayoutFiles, LibraryRowCapacity, installDir);
    NotifyAssociationsChanged();
}

void RegisterSettingsFiles(const PathBuffer& installDir)
{
    WriteRows(SettingsFiles, SettingsRowCapacity, installDir);
    NotifyAssociationsChanged();
}
