// Operation 250: a registry branch saved in the text form that regedit imports
// (REGEDIT4), so that a user can put back the settings setup found.
#include "standin/vexlo/standin.h"
#include "suite/vexlo.h"

namespace {

struct RootName {
    const char* name;
    HKEY root;
};

const RootName RootNames[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},   {"HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},                 {"HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}, {"HKCC", HKEY_CURRENT_CONFIG},
};

// regedit folds long hex lines; it reads them back either way, but folded
// lines keep the file readable for the user who restores it.
const unsigned FoldColumn = 76;

class ExportWriter {
public:
    bool ok = true;
    HeapText text;

    void put(const char* s) { ok = text.append(s) && ok; }
    void put(const char* s, unsigned n) { ok = text.append(s, n) && ok; }

    unsigned column() const
    {
        unsigned n = text.length();
        const char* all = text.c_str();
        unsigned c = 0;
        while (c < n && all[n - 1 - c] != '\n')
            ++c;
        return c;
    }

    void quoted(const char* s, unsigned n)
    {
        put("\"");
        for (unsigned i = 0; i < n; ++i) {
            if (s[i] == '\\' || s[i] == '"')
                put("\\");
            put(s + i, 1);
        }
        put("\"");
    }

    void hexBytes(const BYTE* data, DWORD size)
    {
        static const char digits[] = "0123456789abcdef";
        unsigned col = column();
        for (DWORD i = 0; i < size; ++i) {
            char byte[3] = {digits[data[i] >> 4], digits[data[i] & 15], 0};
            put(byte, 2);
            col += 2;
            if (i + 1 < size) {
                put(",");
                ++col;
                if (col >= FoldColumn) {
                    put("\\\r\n  ");
                    col = 2;
                }
            }
        }
    }
};

// A string can be written as "text" only when it is one zero-terminated run of
// printable characters; anything else keeps its exact bytes as hex(1).
bool IsPlainString(const BYTE* data, DWORD size)
{
    if (size == 0 || data[size - 1] != 0)
        return false;
    for (DWORD i = 0; i + 1 < size; ++i)
        if (data[i] < 0x20)
            return false;
    return true;
}

void WriteValue(ExportWriter& out, const char* name, DWORD nameLength, DWORD type, const BYTE* data, DWORD size)
{
    if (nameLength == 0)
        out.put("@");
    else
        out.quoted(name, nameLength);
    out.put("=");
    if (type == REG_SZ && IsPlainString(data, size)) {
        out.quoted(reinterpret_cast<const char*>(data), size - 1);
    } else if (type == REG_DWORD && size == 4) {
        char number[16];
        wsprintfA(number, "dword:%08lx", *reinterpret_cast<const DWORD*>(data));
        out.put(number);
    } else {
        char prefix[24];
        if (type == REG_BINARY)
            lstrcpyA(prefix, "hex:");
        else
            wsprintfA(prefix, "hex(%lx):", type);
        out.put(prefix);
        out.hexBytes(data, size);
    }
    out.put("\r\n");
}

void WriteKey(ExportWriter& out, HKEY key, HeapText& path)
{
    out.put("\r\n[");
    out.put(path.c_str());
    out.put("]\r\n");

    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        out.ok = false;
        return;
    }

    HANDLE heap = GetProcessHeap();
    char* name = static_cast<char*>(HeapAlloc(heap, 0, longestName + 2));
    BYTE* data = static_cast<BYTE*>(HeapAlloc(heap, 0, longestData + 2));
    if (!name || !data)
        out.ok = false;
    for (DWORD i = 0; out.ok && i < values; ++i) {
        DWORD nameLength = longestName + 1, size = longestData + 1, type = 0;
        LONG result = RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS) {
            out.ok = false;
            break;
        }
        WriteValue(out, name, nameLength, type, data, size);
    }
    if (name)
        HeapFree(heap, 0, name);
    if (data)
        HeapFree(heap, 0, data);

    char subkey[256];
    unsigned pathLength = path.length();
    for (DWORD i = 0; out.ok; ++i) {
        DWORD length = sizeof(subkey);
        LONG result = RegEnumKeyExA(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        HKEY child;
        if (result != ERROR_SUCCESS || RegOpenKeyExA(key, subkey, 0, KEY_READ, &child) != ERROR_SUCCESS) {
            out.ok = false;
            break;
        }
        path.append("\\");
        path.append(subkey);
        WriteKey(out, child, path);
        path.truncate(pathLength);
        RegCloseKey(child);
    }
}

bool WriteFileWhole(const char* filePath, const HeapText& text)
{
    // Written beside the target first, so that a failed save never leaves a
    // half-written backup under the real name.
    HeapText temporary;
    if (!temporary.append(filePath) || !temporary.append(".part"))
        return false;
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.c_str(), text.length(), &written, nullptr) && written == text.length();
    ok = CloseHandle(file) && ok;
    if (ok && MoveFileExA(temporary.c_str(), filePath, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

} // namespace

HKEY RootFromName(const char* name, unsigned length)
{
    for (const RootName& entry : RootNames)
        if (lstrlenA(entry.name) == static_cast<int>(length) &&
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.name, length, name, length) == CSTR_EQUAL)
            return entry.root;
    return nullptr;
}

void __cdecl VxSaveRegistryBranch(int, const char* branch, const char* filePath)
{
    if (!branch || !filePath)
        return;
    const char* separator = branch;
    while (*separator && *separator != '\\')
        ++separator;
    HKEY root = RootFromName(branch, static_cast<unsigned>(separator - branch));
    if (!root)
        return;

    ExportWriter out;
    out.put("REGEDIT4\r\n");
    HKEY key;
    const char* subPath = *separator ? separator + 1 : "";
    // A branch that does not exist yet is saved as an empty export: restoring
    // it changes nothing, as nothing was there to save.
    if (RegOpenKeyExA(root, subPath, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        HeapText path;
        path.append(branch);
        WriteKey(out, key, path);
        RegCloseKey(key);
    }
    out.put("\r\n");
    if (out.ok)
        WriteFileWhole(filePath, out.text);
}
