#include "setup/registration/shell_extensions.h"

#include "setup/state/install_context.h"
#include "suite/catalogue/shell_extension_table.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/system/registry_rows.h"

namespace {

const char* const ApprovedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

// The archive class goes through the runtime library, assembled in a larger
// buffer; its open command quotes the program and the file.
const RegistryRow BrollaClass[] = {
    {Writer::Library, HKEY_CLASSES_ROOT, SuiteKeys::ArchiveClass, nullptr, "Vexlo Brolla File"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_ARCHIVE_CLASS "\\DefaultIcon", nullptr, "{install}\\vxbrolla.exe,0"},
    {Writer::Library, HKEY_CLASSES_ROOT, VEXLO_ARCHIVE_CLASS "\\Shell\\open\\command", nullptr,
     "\"{install}\\vxbrolla.exe\" \"%1\""},
};

// The class, its server in the install folder, and a handler key for every
// kind of item whose menu it joins; an extension's key that does not fit is skipped.
void WriteExtension(const ShellExtension& extension, const PathBuffer& installDir)
{
    PathBuffer key;
    FixedString<99> server;
    if (ClassKey(extension, key)) {
        const RegistryRow row = {Writer::Direct, HKEY_CLASSES_ROOT, key.c_str(), nullptr, extension.displayName};
        WriteRows(&row, 1, DirectRowCapacity, installDir);
    }
    if (ServerKey(extension, key) && server.assign("{install}\\") && server.append(extension.server)) {
        const RegistryRow rows[] = {
            {Writer::Direct, HKEY_CLASSES_ROOT, key.c_str(), nullptr, server.c_str()},
            {Writer::Direct, HKEY_CLASSES_ROOT, key.c_str(), "ThreadingModel", "Apartment"},
        };
        WriteRows(rows, DirectRowCapacity, installDir);
    }
    for (int kind = 0; kind < extension.kindCount; ++kind) {
        if (!HandlerKey(extension, kind, key))
            continue;
        const RegistryRow row = {Writer::Direct, HKEY_CLASSES_ROOT, key.c_str(), nullptr, extension.classId};
        WriteRows(&row, 1, DirectRowCapacity, installDir);
    }
}

// Explorer loads only approved extensions. An existing approval is left as
// it is, whatever it says; without one and without the right to add it, the
// user learns why the menu will be missing (never in a silent run).
void Approve(const ShellExtension& extension, const char* rightsMessage)
{
    bool approved = false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ApprovedKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        BYTE data[MAX_PATH];
        DWORD size = sizeof(data);
        approved = RegQueryValueExA(key, extension.classId, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    if (approved)
        return;
    approved = WriteStringValue(HKEY_LOCAL_MACHINE, ApprovedKey, extension.classId, extension.displayName);
    if (!approved && !InstallContext.silent)
        ShowMessage(rightsMessage, MB_OK);
}

} // namespace

void RegisterNorrikMenuExtension(const PathBuffer& installDir)
{
    WriteExtension(NorrikMenuExtension, installDir);
    Approve(NorrikMenuExtension,
            "To install the Norrik context menu extension on this computer \r\nAdministrator or Power User rights are "
            "required.");
}

void RegisterAmbroMenuExtension(const PathBuffer& installDir)
{
    WriteExtension(AmbroMenuExtension, installDir);
    Approve(AmbroMenuExtension,
            "To install the Ambro context menu extension on this computer \r\nAdministrator or Power User rights are "
            "required.");
}

void RegisterBrollaMenuExtension(const PathBuffer& installDir)
{
    WriteRows(BrollaClass, LibraryRowCapacity, installDir);
    WriteExtension(BrollaMenuExtension, installDir);
    Approve(BrollaMenuExtension,
            "To install the Vexlo Brolla context menu extension on this computer \r\nAdministrator or Power User "
            "rights are required.");
}
