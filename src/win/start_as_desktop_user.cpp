#include "win/start_as_desktop_user.h"

#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/system_library.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

namespace {

using AllocateString = BSTR(WINAPI*)(const OLECHAR*, UINT);

// text, in the code page as the ...A functions take it, as a BSTR; none when
// it cannot be made.
OwnedBstr WideString(AllocateString allocate, const std::string& text)
{
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    OwnedBstr wide(length > 0 ? allocate(nullptr, static_cast<UINT>(length)) : nullptr);
    if (wide.IsValid() && MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.Get(), length) != length)
        wide.Close();
    return wide;
}

}  // namespace

bool StartAsDesktopUser(const std::string& file)
{
    // setup.exe does not import oleaut32, which makes the BSTR the shell takes.
    const LibraryHandle automation(LoadSystemLibrary("oleaut32.dll"));
    const auto allocate = ProcAddress<AllocateString>(automation.Get(), "SysAllocStringLen");
    const OwnedBstr wideFile = allocate != nullptr ? WideString(allocate, file) : OwnedBstr();
    const ComInitialization com;
    ComPtr<IShellWindows> windows;
    ComPtr<IDispatch> desktop, background, application;
    ComPtr<IServiceProvider> provider;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IShellDispatch2> shell;
    VARIANT none{}, show{};  // VT_EMPTY: no location (the desktop has none), arguments or folder; the default verb
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;  // an absent one would be 0, SW_HIDE
    long window = 0;

    const char* step = "";
    HRESULT result = S_OK;
    // A step that succeeded without handing out its object fails too
    // (FindWindowSW's S_FALSE: there is no desktop shell window). The object
    // is looked at here, after the step has run.
    auto failed = [&](const char* name, HRESULT stepResult, const auto& object) {
        step = name;
        result = FAILED(stepResult) ? stepResult : object.IsValid() ? S_OK : HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        return result != S_OK;
    };
    // The shell's own list of its windows (a local server: never an object of
    // this process, which would start things as this process's user), its
    // desktop window, that window's folder view, the view's Shell object.
    if (failed("SysAllocStringLen", S_OK, wideFile) ||
        failed("ShellWindows",
               CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.ReceiveVoid()),
               windows) ||
        failed("FindWindowSW",
               windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.Receive()),
               desktop) ||
        failed("IServiceProvider", desktop->QueryInterface(IID_IServiceProvider, provider.ReceiveVoid()), provider) ||
        failed("SID_STopLevelBrowser",
               provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.ReceiveVoid()), browser) ||
        failed("QueryActiveShellView", browser->QueryActiveShellView(view.Receive()), view) ||
        failed("GetItemObject", view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid()),
               background) ||
        failed("IShellFolderViewDual",
               background->QueryInterface(IID_IShellFolderViewDual, folderView.ReceiveVoid()), folderView) ||
        failed("get_Application", folderView->get_Application(application.Receive()), application) ||
        failed("IShellDispatch2", application->QueryInterface(IID_IShellDispatch2, shell.ReceiveVoid()), shell) ||
        failed("ShellExecute", shell->ShellExecute(wideFile.Get(), none, none, none, show), shell)) {
        TraceResult((std::string("start as the desktop user (") + step + ")").c_str(), file, result);
        return false;
    }
    return true;
}
