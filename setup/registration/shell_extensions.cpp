#include "shell_extensions.h"

#include "install_context.h"
#include "platform_calls.h"
#include "registry_rows.h"

namespace {

const char* const ApprovedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

const RegistryRow NorrikMenu[] = {
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}", nullptr,
     "Vexlo Norrik Context Menu Extension"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxnkmenu.dll"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}\\InProcServer32",
     "ThreadingModel", "Apartment"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\Norrik", nullptr,
     "{00000000-0002-5A45-5256-0020e48020af}"},
};

const RegistryRow AmbroMenu[] = {
    {Writer::Direct, HKEY_CURRENT_USER, "Software\\ZERV Software\\Ambro", "OptionsPath", "{install}\\vxambro.exe"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}", nullptr, "Vexlo Ambro"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxambro.dll"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}\\InProcServer32",
     "ThreadingModel", "Apartment"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "InternetShortcut\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Directory\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Folder\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Drive\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
};

const RegistryRow BrollaPath[] = {
    {Writer::Direct, HKEY_CURRENT_USER, "Software\\ZERV Software\\Brolla", "ZervBrollaExePath",
     "{install}\\vxbrolla.exe"},
};

// The archive class goes through the runtime library, assembled in a larger
// buffer; its open command quotes the program and the file.
const RegistryRow BrollaClass[] = {
    {Writer::Library, HKEY_CLASSES_ROOT, "ZervBrolla", nullptr, "Vexlo Brolla File"},
    {Writer::Library, HKEY_CLASSES_ROOT, "ZervBrolla\\DefaultIcon", nullptr, "{install}\\vxbrolla.exe,0"},
    {Writer::Library, HKEY_CLASSES_ROOT, "ZervBrolla\\Shell\\open\\command", nullptr,
     "\"{install}\\vxbrolla.exe\" \"%1\""},
};

const RegistryRow BrollaMenu[] = {
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}", nullptr, "Vexlo Brolla"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxbrollashell.dll"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}\\InProcServer32",
     "ThreadingModel", "Apartment"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "InternetShortcut\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Directory\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Folder\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {Writer::Direct, HKEY_CLASSES_ROOT, "Drive\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
};

// Explorer loads only approved extensions. An existing approval is left as
// it is, whatever it says; without one and without the right to add it, the
// user learns why the menu will be missing (never in a silent run).
void Approve(const char* classId, const char* displayName, const char* rightsMessage)
{
    bool approved = false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ApprovedKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        BYTE data[MAX_PATH];
        DWORD size = sizeof(data);
        approved = RegQueryValueExA(key, classId, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    if (approved)
        return;
    approved = WriteStringValue(HKEY_LOCAL_MACHINE, ApprovedKey, classId, displayName);
    if (!approved && !InstallContext.silent)
        ShowMessage(rightsMessage, MB_OK);
}

} // namespace

void RegisterNorrikMenuExtension()
{
    WriteRows(NorrikMenu, 259);
    Approve("{00000000-0002-5A45-5256-0020e48020af}", "Vexlo Norrik Context Menu Extension",
            "To install the Norrik context menu extension on this computer \r\nAdministrator or Power User rights are "
            "required.");
}

void RegisterAmbroMenuExtension()
{
    WriteRows(AmbroMenu, 259);
    Approve("{00000000-0001-5A45-5256-0020e48020af}", "Vexlo Ambro",
            "To install the Ambro context menu extension on this computer \r\nAdministrator or Power User rights are "
            "required.");
}

void RegisterBrollaMenuExtension()
{
    WriteRows(BrollaPath, 259);
    WriteRows(BrollaClass, 279);
    WriteRows(BrollaMenu, 259);
    Approve("{00000000-0003-5A45-5256-0020e48020af}", "Vexlo Brolla",
            "To install the Vexlo Brolla context menu extension on this computer \r\nAdministrator or Power User "
            "rights are required.");
}
