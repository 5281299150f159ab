// What no run shows of the shipped setup.exe, the 32-bit build, which this machine may not be able to run: read as a
// data file, its headers, imports, manifest and version resource, and its texts and dialogs, the tested build's; its
// signature, and that nothing of the day or the machine of the build is in it.
#include <gtest/gtest.h>

#include <windows.h>
#include <wintrust.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace {

// A program loaded with LOAD_LIBRARY_AS_DATAFILE: its resources at hand, its file mapped as it lies on disk.
struct DataFile {
    explicit DataFile(const char* path) : module(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataFile() { FreeLibrary(module); }
    HMODULE module;
    const BYTE* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    const IMAGE_NT_HEADERS32* Headers() const
    {
        const LONG offset = reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew;
        return reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + offset);
    }
    const char* At(DWORD rva) const  // where an address of the loaded image lies in the file
    {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(Headers());
        for (WORD i = 0; i < Headers()->FileHeader.NumberOfSections; ++i, ++section)
            if (rva - section->VirtualAddress < section->SizeOfRawData)
                return reinterpret_cast<const char*>(base + section->PointerToRawData + (rva - section->VirtualAddress));
        return nullptr;
    }
    static std::string Resource(HMODULE module, LPCSTR type, LPCSTR name)
    {
        HRSRC found = FindResourceA(module, name, type);
        HGLOBAL data = found != nullptr ? LoadResource(module, found) : nullptr;
        const char* bytes = data != nullptr ? static_cast<const char*>(LockResource(data)) : nullptr;
        return bytes != nullptr ? std::string(bytes, SizeofResource(module, found)) : "";
    }
    static BOOL CALLBACK Add(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR all)
    {
        (*reinterpret_cast<std::map<ULONG_PTR, std::string>*>(all))[reinterpret_cast<ULONG_PTR>(name)] =
            Resource(module, type, name);
        return TRUE;
    }
    std::map<ULONG_PTR, std::string> Resources(LPCSTR type) const  // all of a type, by number
    {
        std::map<ULONG_PTR, std::string> all;
        EnumResourceNamesA(module, type, Add, reinterpret_cast<LONG_PTR>(&all));
        return all;
    }
};

TEST(ShippedSetup, IsThe32BitBuildOfTheTestedProgramAskingForAdministratorRightsAndLoadingNoPlantedDll)
{
    const DataFile setup(SHIPPED_SETUP);
    ASSERT_NE(nullptr, setup.module) << SHIPPED_SETUP << ": error " << GetLastError();
    const IMAGE_NT_HEADERS32& headers = *setup.Headers();
    ASSERT_EQ(IMAGE_NT_SIGNATURE, headers.Signature);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, headers.FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, headers.OptionalHeader.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, headers.OptionalHeader.Subsystem);
    // Only DLLs Windows always takes from the system folder, COMCTL32 from the side-by-side store by the manifest:
    // none that a file beside setup.exe or its copy in %TEMP% could stand in for. Nothing delay-loaded either.
    const std::set<std::string> knownDlls = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "SHELL32.DLL",
                                             "OLE32.DLL", "COMDLG32.DLL", "MSVCRT.DLL", "COMCTL32.DLL"};
    const IMAGE_DATA_DIRECTORY* directories = headers.OptionalHeader.DataDirectory;
    const DWORD imports = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(setup.At(imports));
    ASSERT_TRUE(entry != nullptr && entry->Name != 0);
    for (; entry->Name != 0; ++entry) {
        std::string dll = setup.At(entry->Name);
        EXPECT_EQ(1u, knownDlls.count(CharUpperA(&dll[0]))) << dll;
    }
    EXPECT_EQ(0u, directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].Size);
    const std::string manifest = DataFile::Resource(setup.module, RT_MANIFEST, MAKEINTRESOURCEA(1));
    for (const char* text : {"level=\"requireAdministrator\"",
                             "\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // Windows 10 and 11
                             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
                             "2016/WindowsSettings\">PerMonitorV2,PerMonitor</dpiAwareness>"})
        EXPECT_NE(std::string::npos, manifest.find(text)) << text;
    const std::string fixedInfo = "\xBD\x04\xEF\xFE";  // VS_FIXEDFILEINFO's signature
    EXPECT_NE(std::string::npos, DataFile::Resource(setup.module, RT_VERSION, MAKEINTRESOURCEA(1)).find(fixedInfo));
#ifdef TESTED_SETUP  // elsewhere the shipped build is the one tested
    const DataFile tested(TESTED_SETUP);
    for (LPCSTR type : {RT_STRING, RT_DIALOG}) {
        EXPECT_FALSE(setup.Resources(type).empty());
        EXPECT_EQ(tested.Resources(type), setup.Resources(type));
    }
#endif
}

// The same sources give the same bytes, the signature aside: stamped with their date, naming no folder of the build.
TEST(ShippedSetup, IsSignedAndHoldsNeitherTheDayNorTheFolderOfItsBuild)
{
    const DataFile setup(SHIPPED_SETUP);
    ASSERT_NE(nullptr, setup.module) << SHIPPED_SETUP << ": error " << GetLastError();
    std::ifstream file(SHIPPED_SETUP, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(SOURCE_DATE, setup.Headers()->FileHeader.TimeDateStamp);
    EXPECT_EQ(std::string::npos, bytes.find(SOURCE_FOLDER));
    // The certificate table (its address a file offset) ends the file and holds an Authenticode signature.
    const IMAGE_DATA_DIRECTORY security = setup.Headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY];
    ASSERT_TRUE(security.Size > sizeof(WIN_CERTIFICATE) && security.VirtualAddress + security.Size == bytes.size());
    EXPECT_EQ(WIN_CERT_TYPE_PKCS_SIGNED_DATA,
              reinterpret_cast<const WIN_CERTIFICATE*>(&bytes[security.VirtualAddress])->wCertificateType);
}

}  // namespace
