#include "suite/system/registry_text.h"

RegistryText ReadRegistryText(HKEY root, const char* key, const char* value, PathBuffer& text, DWORD* type,
                              REGSAM access)
{
    text.clear();
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, access, &opened) != ERROR_SUCCESS)
        return RegistryText::Absent;
    // One byte more than the value may fill, so that a value stored without
    // its terminating zero still ends.
    char data[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD valueType = REG_NONE;
    LONG read = RegQueryValueExA(opened, value, nullptr, &valueType, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (type)
        *type = valueType;
    if (read == ERROR_MORE_DATA)
        return RegistryText::DoesNotFit;
    if (read != ERROR_SUCCESS)
        return RegistryText::Absent;
    data[size < MAX_PATH ? size : MAX_PATH] = 0;
    return text.assign(data) ? RegistryText::Read : RegistryText::DoesNotFit;
}
