// Registry entries kept as tables, one row per write, in the order of writing.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

enum class Writer {
    Direct,  // RegCreateKeyExA with KEY_SET_VALUE, then RegSetValueExA
    Library, // the runtime library's operation 12
};

struct RegistryRow {
    Writer writer;
    HKEY root;
    const char* key;
    const char* value; // null: the key's default value
    const char* data;  // "{install}" stands for the install folder
    bool translated = false; // data is English text shown in the current language
    REGSAM view = 0;         // KEY_WOW64_64KEY: the 64-bit view even from our 32-bit programs (direct writes)
};

// The value buffers the rows are assembled in, in characters: 260 bytes for
// direct writes, 280 for the file types and the archive class that the
// runtime library writes, 300 for the settings file type.
constexpr unsigned DirectRowCapacity = 259;
// The uninstall entry's commands and icon, and the logon command of an install
// for all users: room for the longest install folder, quoted, with the
// program and its switches.
constexpr unsigned EntryCommandCapacity = (MAX_PATH - 1) + sizeof("\"\\uninstall.exe\" /silent /msicodes") - 1;
constexpr unsigned LibraryRowCapacity = 279;
constexpr unsigned SettingsRowCapacity = 299;

// Writes the rows as REG_SZ with the terminating zero counted, "{install}"
// replaced by `installDir`. A row whose data would not fit `capacity`
// characters is skipped, never written cut; a key that cannot be created or
// opened is skipped too.
void WriteRows(const RegistryRow* rows, int count, unsigned capacity, const PathBuffer& installDir);

template <int Count>
void WriteRows(const RegistryRow (&rows)[Count], unsigned capacity, const PathBuffer& installDir)
{
    WriteRows(rows, Count, capacity, installDir);
}

// One REG_SZ value through RegCreateKeyExA/RegSetValueExA, in the registry
// view `view` asks for; false when the key could not be created or opened or
// the value not set.
bool WriteStringValue(HKEY root, const char* key, const char* value, const char* data, REGSAM view = 0);
