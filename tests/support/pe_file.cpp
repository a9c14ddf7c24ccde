#include "tests/support/pe_file.h"

#include <cstring>

#include "tests/support/test_files.h"

template <typename T> bool PeFile::Read(size_t offset, T& value) const
{
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T))
        return false;
    std::memcpy(&value, bytes_.data() + offset, sizeof(T));
    return true;
}

PeFile::PeFile(const std::string& path) : bytes_(ReadWholeFile(path))
{
    IMAGE_DOS_HEADER dos;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header;
    if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0)
        return;
    size_t nt = static_cast<size_t>(dos.e_lfanew);
    if (!Read(nt, signature) || signature != IMAGE_NT_SIGNATURE || !Read(nt + 4, header))
        return;
    size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    if (!Read(optional, magic_))
        return;
    machine_ = header.Machine;
    sections_ = optional + header.SizeOfOptionalHeader;
    sectionCount_ = header.NumberOfSections;
    // The two layouts differ only in where the directory table starts.
    if (magic_ == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        directories_ = optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
        valid_ = Read(optional + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes), directoryCount_);
    } else if (magic_ == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        directories_ = optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
        valid_ = Read(optional + offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes), directoryCount_);
    }
}

bool PeFile::RvaToOffset(DWORD rva, size_t& offset) const
{
    for (DWORD i = 0; i < sectionCount_; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!Read(sections_ + i * sizeof(section), section))
            return false;
        DWORD size = section.Misc.VirtualSize > section.SizeOfRawData ? section.Misc.VirtualSize
                                                                      : section.SizeOfRawData;
        if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
            offset = section.PointerToRawData + (rva - section.VirtualAddress);
            return offset < bytes_.size();
        }
    }
    return false;
}

std::string PeFile::StringAt(DWORD rva) const
{
    size_t offset = 0;
    if (!RvaToOffset(rva, offset))
        return "";
    size_t end = bytes_.find('\0', offset);
    return bytes_.substr(offset, end == std::string::npos ? std::string::npos : end - offset);
}

IMAGE_DATA_DIRECTORY PeFile::Directory(unsigned index) const
{
    IMAGE_DATA_DIRECTORY directory = {};
    if (valid_ && index < directoryCount_)
        Read(directories_ + index * sizeof(directory), directory);
    return directory;
}

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::set<std::string> PeFile::importedLibraries() const
{
    std::set<std::string> libraries;
    size_t offset = 0;
    if (!RvaToOffset(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress, offset))
        return libraries;
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    for (; Read(offset, descriptor) && descriptor.Name; offset += sizeof(descriptor))
        libraries.insert(Lower(StringAt(descriptor.Name)));
    return libraries;
}

std::set<unsigned> PeFile::ordinalsImportedFrom(const std::string& library, bool& byNameToo) const
{
    std::set<unsigned> ordinals;
    byNameToo = false;
    size_t offset = 0;
    if (!RvaToOffset(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress, offset))
        return ordinals;
    bool wide = magic_ == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    for (; Read(offset, descriptor) && descriptor.Name; offset += sizeof(descriptor)) {
        if (Lower(StringAt(descriptor.Name)) != library)
            continue;
        size_t thunk = 0;
        DWORD lookup = descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk;
        if (!RvaToOffset(lookup, thunk))
            continue;
        // PE32+ lookup entries are 64 bits wide, with the ordinal flag in the top bit.
        for (;; thunk += wide ? 8 : 4) {
            ULONGLONG entry = 0;
            DWORD narrow = 0;
            if (wide ? !Read(thunk, entry) : !Read(thunk, narrow))
                break;
            if (!wide)
                entry = narrow;
            if (!entry)
                break;
            if (wide ? IMAGE_SNAP_BY_ORDINAL64(entry) : IMAGE_SNAP_BY_ORDINAL32(narrow))
                ordinals.insert(static_cast<unsigned>(entry & 0xFFFF));
            else
                byNameToo = true;
        }
    }
    return ordinals;
}

bool PeFile::ExportDirectory(IMAGE_EXPORT_DIRECTORY& directory) const
{
    size_t offset = 0;
    return RvaToOffset(Directory(IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress, offset) && Read(offset, directory);
}

std::set<unsigned> PeFile::exportedOrdinals() const
{
    std::set<unsigned> ordinals;
    IMAGE_EXPORT_DIRECTORY directory;
    size_t functions = 0;
    if (!ExportDirectory(directory) || !RvaToOffset(directory.AddressOfFunctions, functions))
        return ordinals;
    for (DWORD i = 0; i < directory.NumberOfFunctions; ++i) {
        DWORD address = 0;
        if (Read(functions + i * sizeof(DWORD), address) && address)
            ordinals.insert(directory.Base + i);
    }
    return ordinals;
}

DWORD PeFile::exportedNameCount() const
{
    IMAGE_EXPORT_DIRECTORY directory;
    return ExportDirectory(directory) ? directory.NumberOfNames : 0;
}
