#include "support/machine.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <vector>

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool WriteTextFile(const std::string& path, const std::string& content)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    return std::fclose(f) == 0 && ok;
}

std::string ReadTextFile(const std::string& path)
{
    std::string content;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return content;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) content.append(buf, n);
    std::fclose(f);
    return content;
}

bool MakeFolders(const std::string& path)
{
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    return FolderExists(path);
}

bool RegRead(HKEY root, const std::string& key, const char* name, std::string& data, DWORD* type)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    DWORD size = 0, t = 0;
    LONG rc = RegQueryValueExA(k, name, nullptr, &t, nullptr, &size);
    std::vector<char> buf(size + 1, '\0');
    if (rc == ERROR_SUCCESS)
        rc = RegQueryValueExA(k, name, nullptr, &t, reinterpret_cast<BYTE*>(buf.data()), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) return false;
    if ((t == REG_SZ || t == REG_EXPAND_SZ) && size > 0 && buf[size - 1] == '\0') --size;
    data.assign(buf.data(), size);
    if (type != nullptr) *type = t;
    return true;
}

bool RegWrite(HKEY root, const std::string& key, const char* name, const std::string& data)
{
    HKEY k;
    if (RegCreateKeyA(root, key.c_str(), &k) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>(data.size() + 1));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const std::string& key)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

void RegDeleteTree(HKEY root, const std::string& key)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &k) == ERROR_SUCCESS) {
        char name[512];
        while (RegEnumKeyA(k, 0, name, sizeof name) == ERROR_SUCCESS) {
            std::string child = key + "\\" + name;
            RegDeleteTree(root, child);
            if (RegKeyExists(root, child)) break;
        }
        RegCloseKey(k);
    }
    RegDeleteKeyA(root, key.c_str());
}

std::string ReadShortcutTarget(const std::string& lnkPath)
{
    CoInitialize(nullptr);
    std::string target;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, lnkPath.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char path[MAX_PATH] = "";
                if (SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) target = path;
            }
            file->Release();
        }
        link->Release();
    }
    return target;
}

std::string TestBinFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    return p.substr(0, p.find_last_of('\\'));
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    CloseHandle(pi.hThread);
    int result = -1;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        result = static_cast<int>(code);
    } else {
        TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hProcess);
    return result;
}
