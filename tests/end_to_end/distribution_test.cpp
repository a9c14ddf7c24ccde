#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "suite/catalogue/component_table.h"
#include "suite/catalogue/version.h"
#include "tests/support/pe_file.h"
#include "tests/support/test_files.h"

namespace {

// The programs of this build, and from the 64-bit test build also the i686
// programs that ship, each checked in its own format.
struct ProgramFolder {
    std::string path;
    WORD machine, optionalMagic;
};

std::vector<ProgramFolder> ProgramFolders()
{
#ifdef _WIN64
    std::string shipped = "Z:" VEXLO_SHIPPED_PROGRAMS_UNIX_PATH;
    for (char& c : shipped)
        if (c == '/')
            c = '\\';
    return {{DistFolder(), IMAGE_FILE_MACHINE_AMD64, IMAGE_NT_OPTIONAL_HDR64_MAGIC},
            {shipped, IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC}};
#else
    return {{DistFolder(), IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC}};
#endif
}

const std::set<std::string> SystemLibraries = {"kernel32.dll", "user32.dll", "advapi32.dll", "shell32.dll",
                                               "ole32.dll",    "gdi32.dll",  "comctl32.dll", "msvcrt.dll",
                                               "version.dll"};
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
    for (const ProgramFolder& folder : ProgramFolders()) {
        for (const char* program : {"setup.exe", "uninstall.exe", "vexlo-user.exe"}) {
            std::string path = folder.path + "\\" + program;
            PeFile image(path);
            ASSERT_TRUE(image.valid()) << path;
            EXPECT_EQ(image.machine(), folder.machine) << path;
            EXPECT_EQ(image.optionalMagic(), folder.optionalMagic) << path;
            std::set<std::string> libraries = image.importedLibraries();
            EXPECT_TRUE(libraries.count("vexlo.dll")) << path;
            for (const std::string& library : libraries)
                EXPECT_TRUE(library == "vexlo.dll" || SystemLibraries.count(library)) << path << " imports " << library;
            bool byNameToo = true;
            std::set<unsigned> ordinals = image.ordinalsImportedFrom("vexlo.dll", byNameToo);
            EXPECT_FALSE(byNameToo) << path;
            EXPECT_FALSE(ordinals.empty()) << path;
            for (unsigned ordinal : ordinals)
                EXPECT_TRUE(LibraryOrdinals.count(ordinal)) << path << " imports ordinal " << ordinal;
        }
    }
}

TEST(Distribution, RuntimeLibraryExportsExactlyTheOrdinalsAndNoNames)
{
    for (const ProgramFolder& folder : ProgramFolders()) {
        std::string path = folder.path + "\\Vexlo.dll";
        PeFile library(path);
        ASSERT_TRUE(library.valid()) << path;
        EXPECT_EQ(library.machine(), folder.machine) << path;
        EXPECT_EQ(library.exportedNameCount(), 0u) << path;
        EXPECT_EQ(library.exportedOrdinals(), LibraryOrdinals) << path;
    }
}

// What Explorer's properties and the administrators' inventories show; the
// resource compiler drops a version block that comes from a header.
TEST(Distribution, ProgramsCarryTheSuiteVersion)
{
    for (const ProgramFolder& folder : ProgramFolders()) {
        for (const char* program : {"setup.exe", "uninstall.exe", "vexlo-user.exe"}) {
            std::string path = folder.path + "\\" + program;
            DWORD unused = 0;
            std::string block(GetFileVersionInfoSizeA(path.c_str(), &unused), '\0');
            ASSERT_FALSE(block.empty()) << path;
            ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), &block[0])) << path;
            char* text = nullptr;
            UINT length = 0;
            ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion",
                                       reinterpret_cast<void**>(&text), &length))
                << path;
            EXPECT_STREQ(text, VEXLO_VERSION_TEXT) << path;
        }
    }
}
