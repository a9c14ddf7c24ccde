// Redirects this process's HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and
// HKEY_CLASSES_ROOT to empty scratch keys for the lifetime of the object, so
// that code under test sees a machine with nothing installed. Child processes
// are not affected.
#pragma once

#include <windows.h>

#include <string>

class RegistrySandbox {
public:
    explicit RegistrySandbox(const std::string& name);
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

private:
    std::string path_;
    HKEY machine_ = nullptr;
    HKEY user_ = nullptr;
    HKEY classes_ = nullptr;
};

// Small registry helpers for tests (the real root, or the sandbox while one is active).
void WriteString(HKEY root, const std::string& key, const char* name, const std::string& value);
void WriteDword(HKEY root, const std::string& key, const char* name, DWORD value);
std::string ReadString(HKEY root, const std::string& key, const char* name, bool* found = nullptr);
bool KeyExists(HKEY root, const std::string& key);
void DeleteTree(HKEY root, const std::string& key);

// A value's type and bytes as stored; found is false when it does not exist.
struct StoredValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;
};
StoredValue ReadValue(HKEY root, const std::string& key, const char* name);
// The number of values in a key (0 when it does not exist).
DWORD CountValues(HKEY root, const std::string& key);
