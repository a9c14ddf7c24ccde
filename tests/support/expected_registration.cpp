#include "tests/support/expected_registration.h"

#include <map>

#include "tests/support/registry_sandbox.h"

namespace {

const char* const Uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets";
const char* const Sounds = "AppEvents\\Schemes\\Apps\\ZERV Pondry";
const char* const Approved = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const char* const Help = "Software\\Microsoft\\Windows\\Help";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string RootName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? "HKLM" : root == HKEY_CURRENT_USER ? "HKCU" : "HKCR";
}

bool SameValue(const ExpectedValue& a, const ExpectedValue& b)
{
    return a.root == b.root && lstrcmpiA(a.key, b.key) == 0 &&
           (a.value ? b.value && lstrcmpiA(a.value, b.value) == 0 : !b.value);
}

} // namespace

const std::vector<ExpectedValue> ExpectedRegistration = {
    {HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", "{install}"},
    {HKEY_LOCAL_MACHINE, Uninstall, "DisplayName", "Vexlo"},
    {HKEY_LOCAL_MACHINE, Uninstall, "UninstallString", "\"{install}\\uninstall.exe\""},
    {HKEY_LOCAL_MACHINE, Uninstall, "DisplayVersion", "1.0.0.0"},
    {HKEY_LOCAL_MACHINE, Uninstall, "Publisher", "ZERV Software"},
    {HKEY_LOCAL_MACHINE, Uninstall, "InstallLocation", "{install}"},
    {HKEY_LOCAL_MACHINE, Uninstall, "DisplayIcon", "{install}\\uninstall.exe,0"},
    {HKEY_LOCAL_MACHINE, Uninstall, "EstimatedSize", "dword:*"},
    {HKEY_LOCAL_MACHINE, Uninstall, "NoModify", "dword:1"},
    {HKEY_LOCAL_MACHINE, Uninstall, "NoRepair", "dword:1"},
    {HKEY_LOCAL_MACHINE, Uninstall, "QuietUninstallString", "\"{install}\\uninstall.exe\" /silent /msicodes"},
    {HKEY_CURRENT_USER, "Software\\ZERV Software\\Orvex", "Add Your Subkeys Here!",
     "Add your timer below this key, per *.reg, batch, or program! Start Vexlo Orvex again to get all subkeys "
     "rechecked, /s for silent mode."},

    {HKEY_CURRENT_USER, Sounds, nullptr, "ZERV Pondry"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\PN Help", nullptr, "PN Help"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\PN Help\\.Current", nullptr,
     "{install}\\Sounds\\shhhuh.wav"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\PN Help\\.Default", nullptr,
     "{install}\\Sounds\\shhhuh.wav"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Pondry", nullptr, "Pondry"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Pondry\\.Current", nullptr,
     "{install}\\Sounds\\tki-tko.wav"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Pondry\\.Default", nullptr,
     "{install}\\Sounds\\tki-tko.wav"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Restore Layout", nullptr, "Restore Layout"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Restore Layout\\.Current", nullptr,
     "{install}\\Sounds\\gnoop.wav"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\ZERV Pondry\\Restore Layout\\.Default", nullptr,
     "{install}\\Sounds\\gnoop.wav"},

    {HKEY_CLASSES_ROOT, ".pn", nullptr, "ZervPondry"},
    {HKEY_CLASSES_ROOT, ".pn\\ShellNew", "NullFile", ""},
    {HKEY_CLASSES_ROOT, ".pn\\ShellNew", "command", "\"%1\""},
    {HKEY_CLASSES_ROOT, "ZervPondry", nullptr, "Pondry"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\DefaultIcon", nullptr, "{install}\\vxpondry.exe,0"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell", nullptr, "open"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\open", nullptr, "S&ave Layout"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\open\\command", nullptr, "\"{install}\\vxpondry.exe\" /s \"%1\""},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\qRestore_Layout", nullptr, "R&estore Layout"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\qRestore_Layout\\command", nullptr,
     "\"{install}\\vxpondry.exe\" /r \"%1\""},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\uOptions", nullptr, "PN &Help"},
    {HKEY_CLASSES_ROOT, "ZervPondry\\Shell\\uOptions\\command", nullptr, "\"{install}\\vxpondry.exe\" /? \"%1\""},

    {HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN", "{autosave}"},

    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}", nullptr,
     "Vexlo Norrik Context Menu Extension"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxnkmenu.dll"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0002-5A45-5256-0020e48020af}\\InProcServer32", "ThreadingModel",
     "Apartment"},
    {HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\Norrik", nullptr, "{00000000-0002-5A45-5256-0020e48020af}"},
    {HKEY_LOCAL_MACHINE, Approved, "{00000000-0002-5A45-5256-0020e48020af}", "Vexlo Norrik Context Menu Extension"},

    {HKEY_CURRENT_USER, "Software\\ZERV Software\\Ambro", "OptionsPath", "{install}\\vxambro.exe"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}", nullptr, "Vexlo Ambro"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxambro.dll"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0001-5A45-5256-0020e48020af}\\InProcServer32", "ThreadingModel",
     "Apartment"},
    {HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "InternetShortcut\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Directory\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Folder\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Drive\\Shellex\\ContextMenuHandlers\\~~~ZERV Ambro", nullptr,
     "{00000000-0001-5A45-5256-0020e48020af}"},
    {HKEY_LOCAL_MACHINE, Approved, "{00000000-0001-5A45-5256-0020e48020af}", "Vexlo Ambro"},

    {HKEY_CURRENT_USER, "Software\\ZERV Software\\Brolla", "ZervBrollaExePath", "{install}\\vxbrolla.exe"},
    {HKEY_CLASSES_ROOT, "ZervBrolla", nullptr, "Vexlo Brolla File"},
    {HKEY_CLASSES_ROOT, "ZervBrolla\\DefaultIcon", nullptr, "{install}\\vxbrolla.exe,0"},
    {HKEY_CLASSES_ROOT, "ZervBrolla\\Shell\\open\\command", nullptr, "\"{install}\\vxbrolla.exe\" \"%1\""},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}", nullptr, "Vexlo Brolla"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}\\InProcServer32", nullptr,
     "{install}\\vxbrollashell.dll"},
    {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0003-5A45-5256-0020e48020af}\\InProcServer32", "ThreadingModel",
     "Apartment"},
    {HKEY_CLASSES_ROOT, "*\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "InternetShortcut\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Directory\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Folder\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_CLASSES_ROOT, "Drive\\Shellex\\ContextMenuHandlers\\~~~ZERV Brolla", nullptr,
     "{00000000-0003-5A45-5256-0020e48020af}"},
    {HKEY_LOCAL_MACHINE, Approved, "{00000000-0003-5A45-5256-0020e48020af}", "Vexlo Brolla"},

    {HKEY_CLASSES_ROOT, ".vxg", nullptr, "ZervSettings"},
    {HKEY_CLASSES_ROOT, "ZervSettings", nullptr, "Vexlo Settings"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\DefaultIcon", nullptr, "{install}\\Vexlo.dll,0"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\Shell", nullptr, "open"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\Shell\\open", nullptr, "&Restore Settings"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\Shell\\open\\command", nullptr, "{install}\\vxcaddel.exe %1"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\Shell\\edit", nullptr, "&Edit"},
    {HKEY_CLASSES_ROOT, "ZervSettings\\Shell\\edit\\command", nullptr, "NOTEPAD.EXE %1"},

    {HKEY_LOCAL_MACHINE, Help, "Vexlo.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Norrik.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Ovalle.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Yessa.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Scrivo.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Halder.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Fennet.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Tovin.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Pondry.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Kimber.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Dewlit.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Ambro.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Glimmet.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Caddel.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Lumio.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Orvex.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Quesh.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Stoval.hlp", "{install}\\Help"},
    {HKEY_LOCAL_MACHINE, Help, "Brolla.hlp", "{install}\\Help"},
};

std::vector<std::string> CompareRegistration(const std::string& installDir, const std::string& autosave,
                                             const std::vector<ExpectedValue>& exceptions)
{
    std::vector<std::string> differences;
    std::map<std::string, DWORD> valuesPerKey;
    for (const ExpectedValue& row : ExpectedRegistration) {
        std::string where = RootName(row.root) + "\\" + row.key + "|" + (row.value ? row.value : "@");
        valuesPerKey[RootName(row.root) + "\\" + row.key]++;
        const char* data = row.data;
        for (const ExpectedValue& exception : exceptions)
            if (SameValue(exception, row))
                data = exception.data;
        std::string expected = Replace(Replace(data, "{install}", installDir), "{autosave}", autosave);
        StoredValue stored = ReadValue(row.root, row.key, row.value);
        bool number = expected.compare(0, 6, "dword:") == 0;
        if (!stored.found)
            differences.push_back(where + ": missing");
        else if (number && (stored.type != REG_DWORD || stored.bytes.size() != 4))
            differences.push_back(where + ": type " + std::to_string(stored.type) + " instead of a number");
        else if (number) {
            DWORD value = *reinterpret_cast<const DWORD*>(stored.bytes.data());
            if (expected != "dword:*" && expected != "dword:" + std::to_string(value))
                differences.push_back(where + ": " + std::to_string(value) + " instead of " + expected.substr(6));
        } else if (stored.type != REG_SZ)
            differences.push_back(where + ": type " + std::to_string(stored.type));
        else if (stored.bytes != expected + '\0')
            differences.push_back(where + ": \"" + stored.bytes + "\" instead of \"" + expected + "\"");
    }
    // Keys the system and other programs share may hold values of others.
    for (const auto& [key, count] : valuesPerKey) {
        if (key.find(Approved) != std::string::npos || key.find(Help) != std::string::npos)
            continue;
        HKEY root = key.compare(0, 4, "HKLM") == 0 ? HKEY_LOCAL_MACHINE
                    : key.compare(0, 4, "HKCU") == 0 ? HKEY_CURRENT_USER
                                                     : HKEY_CLASSES_ROOT;
        DWORD stored = CountValues(root, key.substr(5));
        if (stored != count)
            differences.push_back(key + ": " + std::to_string(stored) + " values instead of " + std::to_string(count));
    }
    return differences;
}
