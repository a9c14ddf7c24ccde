// Registry operations of the stand-in runtime library.
#include "standin/vexlo/standin.h"
#include "suite/vexlo.h"

namespace {

// Reads a string value into a caller's buffer only when the whole string fits,
// so that a failed read leaves the buffer as it was.
bool ReadString(HKEY root, const char* keyPath, const char* valueName, char* buffer, DWORD bufferSize)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH + 1];
    DWORD type = 0;
    DWORD size = sizeof(value) - 1;
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value[size] = 0;
    DWORD length = lstrlenA(value);
    if (length >= bufferSize)
        return false;
    CopyMemory(buffer, value, length + 1);
    return true;
}

} // namespace

void __cdecl VxWriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const void* data,
                                  DWORD byteCount)
{
    HKEY key;
    if (RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), byteCount);
    RegCloseKey(key);
}

int __cdecl VxReadRegistryValue(HKEY root, const char* keyPath, const char* valueName, void* buffer, DWORD bufferSize)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && size <= bufferSize)
        result = RegQueryValueExA(key, valueName, nullptr, &type, static_cast<BYTE*>(buffer), &size);
    else if (result == ERROR_SUCCESS)
        result = ERROR_MORE_DATA;
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int __cdecl VxReadSuiteValue(HKEY root, const char* valueName, char* buffer)
{
    return ReadString(root, SuiteKeyPath(), valueName, buffer, MAX_PATH);
}

void __cdecl VxWriteSuiteValue(HKEY root, const char* valueName, const char* text)
{
    VxWriteRegistryValue(root, SuiteKeyPath(), valueName, REG_SZ, text, lstrlenA(text) + 1);
}
