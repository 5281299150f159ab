// Small owners for the kinds of handle the program uses, so that no path
// leaks one. Each moves and none copies; Close() reports whether closing
// succeeded.
#pragma once

#include "win/system_library.h"

#include <windows.h>
#include <objbase.h>

#include <utility>

// One owner for every handle kind: Traits names the type, its "no handle"
// value(s) and how it is closed.
template <class Traits>
class Owned {
public:
    using Type = typename Traits::Type;

    Owned() = default;
    explicit Owned(Type handle) : handle_(handle) {}
    ~Owned() { Close(); }
    Owned(Owned&& other) noexcept : handle_(other.Detach()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) Attach(other.Detach());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    bool IsValid() const { return Traits::IsValid(handle_); }
    Type Get() const { return handle_; }
    void Attach(Type handle)
    {
        Close();
        handle_ = handle;
    }
    Type Detach() { return std::exchange(handle_, Traits::none()); }
    // For the functions that hand a new handle out through a pointer.
    Type* Receive()
    {
        Close();
        return &handle_;
    }
    bool Close()
    {
        const Type handle = Detach();
        return !Traits::IsValid(handle) || Traits::Close(handle);
    }

private:
    Type handle_ = Traits::none();
};

// Kernel handles. Both NULL and INVALID_HANDLE_VALUE mean "no handle": the
// file functions return the one, most others the other.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type none() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Type h) { return ::CloseHandle(h) != FALSE; }
};
using KernelHandle = Owned<KernelHandleTraits>;

// A FindFirstFileA search.
struct FindHandleTraits {
    using Type = HANDLE;
    static Type none() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Type h) { return ::FindClose(h) != FALSE; }
};
using FindHandle = Owned<FindHandleTraits>;

// An open registry key. Open/Create return the Win32 error code.
struct RegKeyTraits {
    using Type = HKEY;
    static Type none() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::RegCloseKey(h) == ERROR_SUCCESS; }
};
class RegKey : public Owned<RegKeyTraits> {
public:
    LONG Open(HKEY root, const char* path, REGSAM access) { return ::RegOpenKeyExA(root, path, 0, access, Receive()); }
    LONG Create(HKEY root, const char* path) { return ::RegCreateKeyA(root, path, Receive()); }
};

// A mapped view of a file mapping.
struct MappedViewTraits {
    using Type = void*;
    static Type none() { return nullptr; }
    static bool IsValid(Type view) { return view != nullptr; }
    static bool Close(Type view) { return ::UnmapViewOfFile(view) != FALSE; }
};
class MappedView : public Owned<MappedViewTraits> {
public:
    bool Map(HANDLE mapping, DWORD access, SIZE_T length)
    {
        Attach(::MapViewOfFile(mapping, access, 0, 0, length));
        return IsValid();
    }
};

// A library loaded with LoadLibrary.
struct LibraryTraits {
    using Type = HMODULE;
    static Type none() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::FreeLibrary(h) != FALSE; }
};
using LibraryHandle = Owned<LibraryTraits>;

// Memory the system handed out with LocalAlloc (a converted security
// descriptor).
struct LocalMemoryTraits {
    using Type = void*;
    static Type none() { return nullptr; }
    static bool IsValid(Type p) { return p != nullptr; }
    static bool Close(Type p) { return ::LocalFree(p) == nullptr; }
};
using LocalMemory = Owned<LocalMemoryTraits>;

// A GDI bitmap. Not to be deleted while a device context or a control still
// holds it: declare its owner before theirs.
struct BitmapTraits {
    using Type = HBITMAP;
    static Type none() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DeleteObject(h) != FALSE; }
};
using BitmapHandle = Owned<BitmapTraits>;

// A memory device context from CreateCompatibleDC.
struct MemoryDcTraits {
    using Type = HDC;
    static Type none() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DeleteDC(h) != FALSE; }
};
using MemoryDc = Owned<MemoryDcTraits>;

// A COM interface pointer, released when it goes.
template <class T>
struct ComTraits {
    using Type = T*;
    static Type none() { return nullptr; }
    static bool IsValid(Type p) { return p != nullptr; }
    static bool Close(Type p) { return p->Release(), true; }
};
template <class T>
class ComPtr : public Owned<ComTraits<T>> {
public:
    T* operator->() const { return this->Get(); }
    void** ReceiveVoid() { return reinterpret_cast<void**>(this->Receive()); }
};

// A BSTR. setup.exe does not import oleaut32 but loads it when it needs one;
// a BSTR exists only while the oleaut32 that made it is loaded, so it is freed
// through that module.
struct BstrTraits {
    using Type = BSTR;
    static Type none() { return nullptr; }
    static bool IsValid(Type s) { return s != nullptr; }
    static bool Close(Type s)
    {
        const auto freeString = ProcAddress<void(WINAPI*)(BSTR)>(::GetModuleHandleA("oleaut32.dll"), "SysFreeString");
        if (freeString != nullptr) freeString(s);
        return freeString != nullptr;
    }
};
using OwnedBstr = Owned<BstrTraits>;

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

// Holds a mutex taken with WaitForSingleObject, waited for at most timeoutMs,
// until it goes.
class MutexLock {
public:
    MutexLock(HANDLE mutex, DWORD timeoutMs) : mutex_(mutex)
    {
        const DWORD rc = ::WaitForSingleObject(mutex_, timeoutMs);
        held_ = (rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED);
    }
    ~MutexLock()
    {
        if (held_) ::ReleaseMutex(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    bool Held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};
