#include "support/machine.h"

#include "product/stand_in_product.h"
#include "win/system_library.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

bool FileExists(const std::string& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

bool FolderExists(const std::string& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool WriteFileText(const std::string& path, const std::string& bytes)
{
    MakeFolders(path.substr(0, path.find_last_of('\\')));
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes);
}

bool MakeFolders(const std::string& path)
{
    std::error_code ignored;
    fs::create_directories(path, ignored);
    return FolderExists(path);
}

void RemoveTree(const std::string& path)
{
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(path, ignored); it != fs::end(it); it.increment(ignored))
        SetFileAttributesA(it->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(path, ignored);
}

std::string FolderTree(const std::string& folder)
{
    std::vector<std::string> entries;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(folder, ignored); it != fs::end(it); it.increment(ignored))
        entries.push_back(fs::relative(it->path(), folder).string() + (it->is_directory(ignored) ? "\\\n" : "\n"));
    std::sort(entries.begin(), entries.end());
    std::string text;
    for (const std::string& entry : entries) text += entry;
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

std::string BinFolder()
{
    char path[MAX_PATH] = "";
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of('\\'));
}

std::string RegText(HKEY root, const std::string& key, const char* name)
{
    RegKey k;
    std::string data(65536, '\0');
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    if (k.Open(root, key.c_str(), KEY_READ) != ERROR_SUCCESS ||
        RegQueryValueExA(k.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        return noValue;
    data.resize(size);
    if (type == REG_SZ && !data.empty() && data.back() == '\0') return data.substr(0, size - 1);
    return "<type " + std::to_string(type) + ">" + data;
}

bool RegSet(HKEY root, const std::string& key, const char* name, const std::string& text)
{
    RegKey k;
    return k.Create(root, key.c_str()) == ERROR_SUCCESS &&
           RegSetValueExA(k.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string& key)
{
    RegKey k;
    return k.Open(root, key.c_str(), KEY_READ) == ERROR_SUCCESS;
}

std::string ShortcutTarget(const std::string& link)
{
    CoInitialize(nullptr);
    ComPtr<IShellLinkA> shell;
    ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH];
    char target[MAX_PATH] = "";
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.ReceiveVoid())) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) && SUCCEEDED(file->Load(wide, STGM_READ)))
        shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    return target;
}

Process::~Process()
{
    if (process_.IsValid() && TerminateProcess(process_.Get(), 99)) WaitForSingleObject(process_.Get(), 10000);
}



namespace {

std::string UnixPath(const std::string& path)
{
    const auto toUnix = ProcAddress<char*(CDECL*)(LPCWSTR)>(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix != nullptr ? toUnix(wide) : nullptr;
    const std::string text = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
}

bool Unix(const std::string& commandLine, const std::function<bool()>& done, const std::string& folder = "")
{
    Process unix;  // whose end Wine does not report: its effect is waited for
    return unix.Start(commandLine, folder) && WaitFor(done);
}

bool Writable(const std::string& file)
{
    return KernelHandle(CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0)).IsValid();
}

}  // namespace

bool FolderLink(const std::string& folder, const char* name, const char* relativeTarget)
{
    const std::string link = folder + "\\" + name, quoted = " " + Quoted(name);
    return Unix(relativeTarget ? "Z:\\bin\\ln -s " + std::string(relativeTarget) + quoted : "Z:\\bin\\rm" + quoted,
                [&] { return (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) == !!relativeTarget; }, folder);
}

bool SmallDisk(const std::string& folder, unsigned kilobytes)
{
    const std::uint64_t size = std::uint64_t{kilobytes} * 1024;
    const std::string unix = Quoted(UnixPath(folder));
    return kilobytes ? Unix("Z:\\bin\\mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs " + unix,
                            [&] { return FreeBytes(folder) <= size; })
                     : Unix("Z:\\bin\\umount -l " + unix, [&] { return FreeBytes(folder) > 64u << 20; });
}

bool Immutable(const std::string& file, bool immutable)
{
    return Unix(std::string("Z:\\usr\\bin\\chattr ") + (immutable ? "+i " : "-i ") + Quoted(UnixPath(file)),
                [&] { return Writable(file) != immutable; });
}

std::uint64_t FreeBytes(const std::string& folder)
{
    ULARGE_INTEGER free{}, total{}, all{};
    return GetDiskFreeSpaceExA((folder + "\\").c_str(), &free, &total, &all) ? free.QuadPart : 0;
}

bool RestartWindows()
{
    Process boot;
    return boot.Start("wineboot.exe -r") && boot.Wait() == 0;
}

bool Process::Start(const std::string& commandLine, const std::string& folder)
{
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.empty() ? nullptr : folder.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_.Attach(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

bool Process::Attach(DWORD id)
{
    process_.Attach(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id));
    id_ = id;
    return process_.IsValid();
}

int Process::Wait(DWORD timeoutMs)
{
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
    return ended && GetExitCodeProcess(process_.Get(), &code) ? static_cast<int>(code) : -1;
}

std::vector<DWORD> ProcessesWhere(const std::function<bool(const std::string& image)>& wanted)
{
    std::vector<DWORD> found;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        const std::string image = entry.szExeFile;
        if (wanted(image.substr(image.find_last_of("\\/") + 1))) found.push_back(entry.th32ProcessID);
    }
    return found;
}

void EndProcesses(const char* image)  // each attached to is ended as its object goes
{
    for (DWORD id : ProcessesWhere([&](const std::string& name) { return name == image; })) Process().Attach(id);
}

bool StandIn::Launch(const std::string& program, const std::string& record, const std::string& arguments)
{
    record_ = record;
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA(standInRecordVariable, record.c_str());
    const bool started = Start(Quoted(program) + (arguments.empty() ? "" : " " + arguments));
    SetEnvironmentVariableA(standInRecordVariable, nullptr);
    return started && Recorded("ready " + std::to_string(Id()));
}

bool StandIn::Recorded(const std::string& line, DWORD timeoutMs) const
{
    return WaitFor([&] {
        const std::vector<std::string> records = Records();
        return std::count(records.begin(), records.end(), line) > 0;
    }, timeoutMs);
}

std::string SetupText(UINT id, const std::vector<int>& values)
{
    static HMODULE setup = LoadLibraryExA((BinFolder() + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char format[1024] = "", text[1024] = "";
    LoadStringA(setup, id, format, sizeof format);
    if (values.empty()) return format;
    std::vector<int> v(values);
    v.resize(8);
    wsprintfA(text, format, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    return text;
}
