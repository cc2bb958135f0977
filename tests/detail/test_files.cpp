#include "tests/detail/test_files.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

std::string TestExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string TestFile(const char* name) {
    return TestExeFolder() + "\\files\\" + name;
}

namespace {

// A PE image as bytes: file offsets of what its headers point at.
class PeBytes {
public:
    explicit PeBytes(std::vector<char>& bytes) : bytes_(bytes) {}

    template <typename T>
    T* At(size_t offset) {
        return offset + sizeof(T) <= bytes_.size() ? reinterpret_cast<T*>(&bytes_[offset])
                                                   : nullptr;
    }

    // The file offset of the resource directory, or 0.
    size_t ResourceDirectory() {
        auto* dos = At<IMAGE_DOS_HEADER>(0);
        auto* nt = dos ? At<IMAGE_NT_HEADERS64>(dos->e_lfanew) : nullptr;
        if (!nt || nt->Signature != IMAGE_NT_SIGNATURE ||
            nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            return 0;
        const DWORD rva =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
        const size_t sections = dos->e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                nt->FileHeader.SizeOfOptionalHeader;
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            auto* section = At<IMAGE_SECTION_HEADER>(sections + i * sizeof(IMAGE_SECTION_HEADER));
            if (section && rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->SizeOfRawData)
                return rva - section->VirtualAddress + section->PointerToRawData;
        }
        return 0;
    }

    // The entry of the directory at base + directory whose id is id (or the first, for id 0),
    // or null.
    IMAGE_RESOURCE_DIRECTORY_ENTRY* Entry(size_t base, size_t directory, WORD id) {
        auto* dir = At<IMAGE_RESOURCE_DIRECTORY>(base + directory);
        if (!dir)
            return nullptr;
        const size_t count = dir->NumberOfNamedEntries + dir->NumberOfIdEntries;
        for (size_t i = 0; i < count; ++i) {
            auto* entry = At<IMAGE_RESOURCE_DIRECTORY_ENTRY>(
                base + directory + sizeof *dir + i * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY));
            if (entry && (id == 0 || (!entry->NameIsString && entry->Id == id)))
                return entry;
        }
        return nullptr;
    }

private:
    std::vector<char>& bytes_;
};

}  // namespace

bool CopyWithVersionSize(const std::string& source, const std::string& target, uint32_t size) {
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    PeBytes pe(bytes);
    const size_t base = pe.ResourceDirectory();
    // Type RT_VERSION, then its one name, then its one language: the data entry.
    IMAGE_RESOURCE_DIRECTORY_ENTRY* entry = base ? pe.Entry(base, 0, 16) : nullptr;
    for (int level = 0; entry && level < 2; ++level)
        entry = entry->DataIsDirectory ? pe.Entry(base, entry->OffsetToDirectory, 0) : nullptr;
    auto* data = entry && !entry->DataIsDirectory
                     ? pe.At<IMAGE_RESOURCE_DATA_ENTRY>(base + entry->OffsetToData)
                     : nullptr;
    if (!data)
        return false;
    data->Size = size;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
