#include "suite/system/registry_rows.h"

#include "suite/run/run_log.h"
#include "suite/text/fixed_string.h"
#include "suite/vexlo.h"

namespace {

// Room for the largest capacity, so that only the capacity decides what fits.
using RowData = FixedString<SettingsRowCapacity>;
static_assert(EntryCommandCapacity <= SettingsRowCapacity && LibraryRowCapacity <= SettingsRowCapacity,
              "every capacity fits the row buffer");

bool Expand(const char* pattern, unsigned capacity, const PathBuffer& installDir, RowData& out)
{
    static const char placeholder[] = "{install}";
    out.clear();
    for (const char* c = pattern; *c;) {
        unsigned matched = 0;
        while (placeholder[matched] && c[matched] == placeholder[matched])
            ++matched;
        if (!placeholder[matched]) {
            if (!out.append(installDir.c_str()))
                return false;
            c += matched;
        } else if (!out.append(*c++)) {
            return false;
        }
    }
    return out.length() <= capacity;
}

} // namespace

bool WriteStringValue(HKEY root, const char* key, const char* value, const char* data, REGSAM view)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result =
        RegSetValueExA(handle, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), lstrlenA(data) + 1);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

void WriteRows(const RegistryRow* rows, int count, unsigned capacity, const PathBuffer& installDir)
{
    for (int i = 0; i < count; ++i) {
        const RegistryRow& row = rows[i];
        RowData data;
        if (!Expand(row.translated ? VxTranslate(row.data, 0) : row.data, capacity, installDir, data)) {
            LogLine("skipped %s\\%s: the data does not fit", RootName(row.root), row.key);
            continue;
        }
        // The runtime library's write says nothing of how it went.
        bool written = true;
        if (row.writer == Writer::Direct)
            written = WriteStringValue(row.root, row.key, row.value, data.c_str(), row.view);
        else
            VxWriteRegistryValue(row.root, row.key, row.value, REG_SZ, data.c_str(), data.length() + 1);
        LogLine("%s %s\\%s [%s]", written ? "wrote" : "could not write", RootName(row.root), row.key,
                row.value ? row.value : "(default)");
    }
}
