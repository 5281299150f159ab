#include "instances/instance_manager.h"

#include "core/shared_instance_list.h"
#include "instances/main_window.h"

COXInstanceManager::COXInstanceManager(const char* instanceName, DWORD additionalAreaSize)
    : name_(instanceName != nullptr ? instanceName : ""), additionalAreaSize_(additionalAreaSize)
{
    if (!CreateMutexes()) {
        failed_ = true;
        return;
    }
    if (RoundAreaSizes()) CreateOrOpenMapping();
    RegisterProcess(GetCurrentProcessId());
}

COXInstanceManager::~COXInstanceManager()
{
    UnregisterProcess(GetCurrentProcessId());
    additionalView_.Close();
    mapping_.Close();
    additionalMutex_.Close();
    listMutex_.Close();
}

bool COXInstanceManager::CreateMutexes()
{
    // An existing mutex of the name is opened, which is what a second
    // process needs.
    listMutex_.Attach(CreateMutexA(nullptr, FALSE, (listMutexPrefix + name_).c_str()));
    if (!listMutex_.IsValid()) return false;
    additionalMutex_.Attach(CreateMutexA(nullptr, FALSE, (additionalMutexPrefix + name_).c_str()));
    return additionalMutex_.IsValid();
}

bool COXInstanceManager::RoundAreaSizes()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    std::uint32_t list = 0;
    std::uint32_t additional = 0;
    bool fits = RoundUpToGranularity(SharedInstanceList::blockSize, info.dwAllocationGranularity, list) &&
                RoundUpToGranularity(additionalAreaSize_, info.dwAllocationGranularity, additional);
    if (fits) {
        listAreaSize_ = list;
        additionalAreaSize_ = additional;
    }
    // Both areas must fit in the mapping's 32-bit size.
    return fits && listAreaSize_ <= 0xFFFFFFFFu - additionalAreaSize_;
}

void COXInstanceManager::CreateOrOpenMapping()
{
    // The lock is held across creation and reset so that no process can
    // register in a new block before it is reset; a block that already
    // existed is never reset. Without the lock there is no list to take part in.
    MutexLock lock(listMutex_.Get(), listLockTimeoutMs);
    if (!lock.Held()) return;
    SetLastError(ERROR_SUCCESS);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                        listAreaSize_ + additionalAreaSize_, (mappingPrefix + name_).c_str());
    DWORD error = GetLastError();
    mapping_.Attach(mapping);
    if (error != ERROR_ALREADY_EXISTS) ResetSharedList();
}

template <class Work>
bool COXInstanceManager::WithSharedList(Work&& work)
{
    if (!MapSharedList()) return false;
    MutexLock lock(listMutex_.Get(), listLockTimeoutMs);
    if (lock.Held()) {
        SharedInstanceList list(listView_.Get());
        work(list);
    }
    UnmapSharedList();
    if (!lock.Held()) mapping_.Close();
    return lock.Held();
}

bool COXInstanceManager::MapSharedList()
{
    if (!mapping_.IsValid()) return false;
    return listView_.Map(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, listAreaSize_);
}

void COXInstanceManager::UnmapSharedList()
{
    listView_.Close();
}

void COXInstanceManager::ResetSharedList()
{
    WithSharedList([](SharedInstanceList& list) { list.Reset(); });
}

int COXInstanceManager::CountInstances()
{
    int count = 0;
    WithSharedList([&](SharedInstanceList& list) { count = static_cast<int>(list.Count()); });
    return count;
}

bool COXInstanceManager::ListInstances(std::vector<std::uint32_t>& ids)
{
    return WithSharedList([&](SharedInstanceList& list) { list.CopyIds(ids); });
}

bool COXInstanceManager::RegisterProcess(DWORD processId)
{
    bool changed = false;
    WithSharedList([&](SharedInstanceList& list) {
        if (list.IsFull()) return;
        // Posting never waits for the receiver, so holding the lock here is
        // safe; a process without a window gets the message in our own queue.
        for (std::uint32_t i = 0; i < list.Count(); ++i)
            PostMessageA(FindMainWindow(list.IdAt(i)), WM_INSTANCE_ADDED, 0, static_cast<LPARAM>(processId));
        changed = list.Append(processId);
    });
    return changed;
}

bool COXInstanceManager::UnregisterProcess(DWORD processId)
{
    bool changed = false;
    WithSharedList([&](SharedInstanceList& list) {
        if (!list.Remove(processId)) return;
        changed = true;
        for (std::uint32_t i = 0; i < list.Count(); ++i)
            PostMessageA(FindMainWindow(list.IdAt(i)), WM_INSTANCE_REMOVED, 0, static_cast<LPARAM>(processId));
    });
    return changed;
}
