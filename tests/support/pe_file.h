// A program or library read from its file by offsets rather than loaded: a
// 64-bit test process cannot load a 32-bit image, and the shipped i686
// programs are checked from the 64-bit test build too.
#pragma once

#include <windows.h>

#include <set>
#include <string>

class PeFile {
public:
    explicit PeFile(const std::string& path);

    bool valid() const { return valid_; }
    WORD machine() const { return machine_; }        // IMAGE_FILE_MACHINE_I386 or _AMD64
    WORD optionalMagic() const { return magic_; }    // IMAGE_NT_OPTIONAL_HDR32_MAGIC (PE32) or 64 (PE32+)

    // Imported libraries, in lower case.
    std::set<std::string> importedLibraries() const;
    // What is imported from `library` (lower case): ordinals, and whether any import is by name.
    std::set<unsigned> ordinalsImportedFrom(const std::string& library, bool& byNameToo) const;

    std::set<unsigned> exportedOrdinals() const;
    DWORD exportedNameCount() const;

private:
    template <typename T> bool Read(size_t offset, T& value) const;
    bool RvaToOffset(DWORD rva, size_t& offset) const;
    std::string StringAt(DWORD rva) const;
    IMAGE_DATA_DIRECTORY Directory(unsigned index) const;
    bool ExportDirectory(IMAGE_EXPORT_DIRECTORY& directory) const;

    std::string bytes_;
    bool valid_ = false;
    WORD machine_ = 0, magic_ = 0;
    size_t directories_ = 0, sections_ = 0;
    DWORD directoryCount_ = 0, sectionCount_ = 0;
};
