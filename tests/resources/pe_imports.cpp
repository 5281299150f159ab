#include "resources/pe_imports.h"

#include <windows.h>

#include <cstring>

namespace {

template <class T>
bool ReadAt(const std::string& bytes, std::size_t offset, T& value)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

struct Sections {
    std::vector<IMAGE_SECTION_HEADER> headers;

    // File offset of a relative virtual address; 0 when no section holds it.
    std::size_t FileOffset(DWORD rva) const
    {
        for (const IMAGE_SECTION_HEADER& s : headers) {
            DWORD size = s.Misc.VirtualSize > s.SizeOfRawData ? s.Misc.VirtualSize : s.SizeOfRawData;
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress < size)
                return s.PointerToRawData + (rva - s.VirtualAddress);
        }
        return 0;
    }
};

// The import directory's address, from a PE32 or a PE32+ optional header.
bool ImportDirectory(const std::string& bytes, std::size_t optionalHeader, IMAGE_DATA_DIRECTORY& dir)
{
    WORD magic;
    if (!ReadAt(bytes, optionalHeader, magic)) return false;
    std::size_t directories;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        directories = offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        directories = offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
    else
        return false;
    return ReadAt(bytes, optionalHeader + directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(dir), dir);
}

std::string NameAt(const std::string& bytes, std::size_t offset)
{
    if (offset == 0 || offset >= bytes.size()) return std::string();
    std::size_t end = bytes.find('\0', offset);
    return bytes.substr(offset, end == std::string::npos ? std::string::npos : end - offset);
}

}  // namespace

std::vector<std::string> ImportedDlls(const std::string& bytes)
{
    std::vector<std::string> dlls;
    IMAGE_DOS_HEADER dos;
    DWORD signature;
    IMAGE_FILE_HEADER file;
    if (!ReadAt(bytes, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return dlls;
    std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
    if (!ReadAt(bytes, nt, signature) || signature != IMAGE_NT_SIGNATURE) return dlls;
    if (!ReadAt(bytes, nt + 4, file)) return dlls;
    std::size_t optionalHeader = nt + 4 + sizeof file;
    IMAGE_DATA_DIRECTORY dir;
    if (!ImportDirectory(bytes, optionalHeader, dir)) return dlls;

    Sections sections;
    std::size_t sectionTable = optionalHeader + file.SizeOfOptionalHeader;
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER s;
        if (!ReadAt(bytes, sectionTable + i * sizeof s, s)) return {};
        sections.headers.push_back(s);
    }
    std::size_t pos = sections.FileOffset(dir.VirtualAddress);
    IMAGE_IMPORT_DESCRIPTOR entry;
    while (pos != 0 && ReadAt(bytes, pos, entry) && entry.Name != 0) {
        dlls.push_back(NameAt(bytes, sections.FileOffset(entry.Name)));
        pos += sizeof entry;
    }
    return dlls;
}
