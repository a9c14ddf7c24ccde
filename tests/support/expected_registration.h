// Every registry value that setup's registration stage writes on a machine
// where the user may write everywhere, as data to compare against.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ExpectedValue {
    HKEY root;
    const char* key;
    const char* value; // null: the key's default value
    // "{install}": the install folder; "{autosave}": the autosave folder;
    // "dword:N" a REG_DWORD of N, "dword:*" one of any value.
    const char* data;
};

extern const std::vector<ExpectedValue> ExpectedRegistration;

// What differs from the table, one line per value: missing, of another type, other
// data, or (in keys that only setup writes to) values that the table lacks.
// `exceptions` replaces the data expected for the named values.
std::vector<std::string> CompareRegistration(const std::string& installDir, const std::string& autosave,
                                             const std::vector<ExpectedValue>& exceptions = {});
