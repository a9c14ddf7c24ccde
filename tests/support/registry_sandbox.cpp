#include "tests/support/registry_sandbox.h"

namespace {

const char* const SandboxParent = "Software\\VexloTestSandbox";

HKEY CreateKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

} // namespace

RegistrySandbox::RegistrySandbox(const std::string& name)
    : path_(std::string(SandboxParent) + "\\" + name + "-" + std::to_string(GetCurrentProcessId()))
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    machine_ = CreateKey(HKEY_CURRENT_USER, path_ + "\\HKLM");
    user_ = CreateKey(HKEY_CURRENT_USER, path_ + "\\HKCU");
    classes_ = CreateKey(HKEY_CURRENT_USER, path_ + "\\HKCR");
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
    RegOverridePredefKey(HKEY_CURRENT_USER, user_);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_);
}

RegistrySandbox::~RegistrySandbox()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(machine_);
    RegCloseKey(user_);
    RegCloseKey(classes_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}

void WriteString(HKEY root, const std::string& key, const char* name, const std::string& value)
{
    HKEY handle = CreateKey(root, key);
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

void WriteDword(HKEY root, const std::string& key, const char* name, DWORD value)
{
    HKEY handle = CreateKey(root, key);
    RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
}

std::string ReadString(HKEY root, const std::string& key, const char* name, bool* found)
{
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1;
    LONG result = RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                               nullptr, buffer, &size);
    if (found)
        *found = result == ERROR_SUCCESS;
    return result == ERROR_SUCCESS ? buffer : "";
}

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

void DeleteTree(HKEY root, const std::string& key)
{
    RegDeleteTreeA(root, key.c_str());
}

StoredValue ReadValue(HKEY root, const std::string& key, const char* name)
{
    StoredValue value;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.found = RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.bytes[0]),
                                       &size) == ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(handle);
    return value;
}

DWORD CountValues(HKEY root, const std::string& key)
{
    HKEY handle;
    DWORD count = 0;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(handle);
    return count;
}
