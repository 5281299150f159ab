// The machine-wide list of running instances started under one instance name,
// kept in named shared memory. Constructing a manager lists the current
// process, destroying it takes the process out again; any holder can count
// and list the processes. The product's own executable uses the same object
// names, block layout and messages, so none of them may change.
#pragma once

#include "core/product_profile.h"
#include "win/handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Posted to the main window of every other listed process; lParam is the id
// of the process that came or went, wParam is 0.
constexpr UINT WM_INSTANCE_ADDED = ProductProfile::instanceAddedMessage;
constexpr UINT WM_INSTANCE_REMOVED = ProductProfile::instanceRemovedMessage;

class COXInstanceManager {
public:
    // Each kernel object's name is its prefix followed directly by the
    // instance name.
    static constexpr const char* listMutexPrefix = "COXInstanceManager_InstanceList_Mutex_";
    static constexpr const char* additionalMutexPrefix = "COXInstanceManager_Additional_Mutex_";
    static constexpr const char* mappingPrefix = "COXInstanceManager_FileMap_";
    // How long an operation waits for the list's lock. An honest holder keeps
    // it to read or write the block and post one message per listed process:
    // milliseconds for a few copies, under a second with all 1000 slots full
    // (scripts/bench-instances under Wine, on a loaded machine). Any user of
    // the session can take the lock and keep it, and must not hang an
    // elevated setup: three seconds stay above the worst honest case and short
    // for a person waiting. After them the list counts as unreadable.
    static constexpr DWORD listLockTimeoutMs = 3000;

    // Creates the two mutexes and the shared mapping and lists the current
    // process. additionalAreaSize: bytes of the area after the list that
    // other users of the mapping may have; this class never touches it.
    COXInstanceManager(const char* instanceName, DWORD additionalAreaSize);
    // Takes the current process out of the list and closes everything.
    virtual ~COXInstanceManager();
    COXInstanceManager(const COXInstanceManager&) = delete;
    COXInstanceManager& operator=(const COXInstanceManager&) = delete;

    // True when a mutex could not be created. Such a manager is inert (no
    // mapping, not listed, every operation fails) and the program must not
    // start: it cannot take part in the list without its lock.
    bool Failed() const { return failed_; }

    // Listed processes, this one included; 0 when the list cannot be mapped.
    int CountInstances();
    // The listed ids in list order; false, with ids untouched, when the list
    // cannot be mapped.
    bool ListInstances(std::vector<std::uint32_t>& ids);

    // True when the list changed. Registering posts WM_INSTANCE_ADDED to the
    // processes already listed and refuses a full list; unregistering posts
    // WM_INSTANCE_REMOVED to the ones that stay.
    bool RegisterProcess(DWORD processId);
    bool UnregisterProcess(DWORD processId);

    DWORD ListAreaSize() const { return listAreaSize_; }
    DWORD AdditionalAreaSize() const { return additionalAreaSize_; }

protected:
    void ResetSharedList();
    bool MapSharedList();
    void UnmapSharedList();

private:
    // The frame of every list operation: map the view, take the lock, work,
    // unmap, release. False (work not run) when the view cannot be mapped or
    // the lock not taken; a lock not had in time leaves the list unmapped for
    // good, so that no later operation waits for it again.
    template <class Work>
    bool WithSharedList(Work&& work);
    bool CreateMutexes();
    bool RoundAreaSizes();
    void CreateOrOpenMapping();

    std::string name_;
    DWORD listAreaSize_ = 0;
    DWORD additionalAreaSize_ = 0;
    KernelHandle listMutex_;
    KernelHandle additionalMutex_;
    KernelHandle mapping_;
    MappedView listView_;
    MappedView additionalView_;  // never mapped here; released if someone did
    bool failed_ = false;
};
