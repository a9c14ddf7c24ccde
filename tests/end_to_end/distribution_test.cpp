#include <gtest/gtest.h>

#include <set>
#include <string>

#include "component_table.h"
#include "test_files.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// The DLLs a program imports, and whether every import from Vexlo.dll is by ordinal.
struct Imports {
    std::set<std::string> libraries;
    std::set<unsigned> vexloOrdinals;
    bool vexloByNameToo = false;
};

Imports ReadImports(const std::string& program)
{
    Imports imports;
    HMODULE image = LoadLibraryExA(program.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!image)
        return imports;
    auto* base = reinterpret_cast<const BYTE*>(image);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; descriptor->Name; ++descriptor) {
        std::string name = Lower(reinterpret_cast<const char*>(base + descriptor->Name));
        imports.libraries.insert(name);
        if (name != "vexlo.dll")
            continue;
        auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA32*>(base + descriptor->OriginalFirstThunk);
        for (; thunk->u1.AddressOfData; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL32(thunk->u1.Ordinal))
                imports.vexloOrdinals.insert(IMAGE_ORDINAL32(thunk->u1.Ordinal));
            else
                imports.vexloByNameToo = true;
        }
    }
    FreeLibrary(image);
    return imports;
}

const std::set<std::string> SystemLibraries = {"kernel32.dll", "user32.dll", "advapi32.dll", "shell32.dll",
                                               "ole32.dll",    "gdi32.dll",  "comctl32.dll", "msvcrt.dll"};
const std::set<unsigned> LibraryOrdinals = {10, 11, 12, 13, 15, 16, 43, 46, 70, 101,
                                            110, 210, 231, 250, 261, 262, 342, 343, 360};

} // namespace

TEST(Distribution, HoldsEveryFileTheComponentTableAndTheSoundsName)
{
    FillComponentTable();
    std::string dist = DistFolder();
    for (const Component& component : ComponentTable) {
        FixedString<99> name;
        const char* cursor = component.files.c_str();
        while (NextFileName(cursor, name))
            EXPECT_TRUE(FileExists(dist + "\\" + name.c_str())) << name.c_str();
    }
    for (const char* name : {"setup.exe", "uninstall.exe", "Vexlo.dll", "Vexlo.hlp", "shhhuh.wav", "tki-tko.wav",
                             "gnoop.wav"})
        EXPECT_TRUE(FileExists(dist + "\\" + name)) << name;
}

TEST(Distribution, ProgramsNeedOnlySystemLibrariesAndTheRuntimeLibraryByOrdinal)
{
    for (const char* program : {"setup.exe", "uninstall.exe"}) {
        Imports imports = ReadImports(DistFolder() + "\\" + program);
        EXPECT_TRUE(imports.libraries.count("vexlo.dll")) << program;
        for (const std::string& library : imports.libraries)
            EXPECT_TRUE(library == "vexlo.dll" || SystemLibraries.count(library)) << program << " imports " << library;
        EXPECT_FALSE(imports.vexloByNameToo) << program;
        for (unsigned ordinal : imports.vexloOrdinals)
            EXPECT_TRUE(LibraryOrdinals.count(ordinal)) << program << " imports ordinal " << ordinal;
    }
}

TEST(Distribution, RuntimeLibraryExportsExactlyTheOrdinalsAndNoNames)
{
    HMODULE library = LoadLibraryExA((DistFolder() + "\\Vexlo.dll").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(library, nullptr);
    auto* base = reinterpret_cast<const BYTE*>(library);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
    EXPECT_EQ(exports->NumberOfNames, 0u);
    auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    std::set<unsigned> ordinals;
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
        if (functions[i])
            ordinals.insert(exports->Base + i);
    EXPECT_EQ(ordinals, LibraryOrdinals);
    FreeLibrary(library);
}
