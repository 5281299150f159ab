// Small owners for the kinds of handle the program uses, so that no path
// leaks one. Each is move-only; Close() reports whether closing succeeded.
#pragma once

#include <windows.h>
#include <objbase.h>

// Kernel handles. Both NULL and INVALID_HANDLE_VALUE mean "no handle": the
// file functions return the one, most others the other.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : handle_(h) {}
    ~KernelHandle() { Close(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(other.Detach()) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept
    {
        if (this != &other) { Close(); handle_ = other.Detach(); }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Attach(HANDLE h) { Close(); handle_ = h; }
    HANDLE Detach() { HANDLE h = handle_; handle_ = nullptr; return h; }
    bool Close()
    {
        if (!IsValid()) { handle_ = nullptr; return true; }
        BOOL ok = ::CloseHandle(handle_);
        handle_ = nullptr;
        return ok != FALSE;
    }

private:
    HANDLE handle_ = nullptr;
};

// A FindFirstFileA search.
class FindHandle {
public:
    FindHandle() = default;
    explicit FindHandle(HANDLE h) : handle_(h) {}
    ~FindHandle() { Close(); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    bool Close()
    {
        if (!IsValid()) return true;
        BOOL ok = ::FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// An open registry key. Open/Create return the Win32 error code.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    LONG Open(HKEY root, const char* path, REGSAM access)
    {
        Close();
        return ::RegOpenKeyExA(root, path, 0, access, &key_);
    }
    LONG Create(HKEY root, const char* path)
    {
        Close();
        return ::RegCreateKeyA(root, path, &key_);
    }
    bool IsOpen() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }
    bool Close()
    {
        if (key_ == nullptr) return true;
        LONG rc = ::RegCloseKey(key_);
        key_ = nullptr;
        return rc == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

// A library loaded with LoadLibrary, freed when it goes.
class LibraryHandle {
public:
    explicit LibraryHandle(HMODULE module) : module_(module) {}
    ~LibraryHandle()
    {
        if (module_ != nullptr) ::FreeLibrary(module_);
    }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

// A COM interface pointer, released when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Release(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T** Receive() { Release(); return &ptr_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Release()
    {
        if (ptr_ != nullptr) { ptr_->Release(); ptr_ = nullptr; }
    }

private:
    T* ptr_ = nullptr;
};

// COM on this thread while it lives (the shell's folder dialog needs it).
// Balanced also when COM was already on (S_FALSE), as COM counts the calls.
class ComInitialization {
public:
    ComInitialization() : result_(::CoInitialize(nullptr)) {}
    ~ComInitialization()
    {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

private:
    HRESULT result_;
};

// A mapped view of a file mapping.
class MappedView {
public:
    MappedView() = default;
    ~MappedView() { Unmap(); }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    bool Map(HANDLE mapping, DWORD access, SIZE_T length)
    {
        Unmap();
        view_ = ::MapViewOfFile(mapping, access, 0, 0, length);
        return view_ != nullptr;
    }
    void* Get() const { return view_; }
    bool Unmap()
    {
        if (view_ == nullptr) return true;
        BOOL ok = ::UnmapViewOfFile(view_);
        view_ = nullptr;
        return ok != FALSE;
    }

private:
    void* view_ = nullptr;
};

// Holds a mutex taken with WaitForSingleObject until it goes.
class MutexLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex)
    {
        DWORD rc = ::WaitForSingleObject(mutex_, INFINITE);
        held_ = (rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED);
    }
    ~MutexLock() { if (held_) ::ReleaseMutex(mutex_); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    bool Held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};
