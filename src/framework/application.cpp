#include "framework/application.h"

#include "core/resource_ids.h"
#include "framework/dialog.h"
#include "win/string_resources.h"

namespace {

Application* currentApplication = nullptr;
// Only a running message loop is ended by its main window's end; a quit
// message posted during InitInstance would close the next modal box at once.
bool loopRunning = false;

}  // namespace

Application::Application(const char* name) : name_(name != nullptr ? name : "")
{
    currentApplication = this;
}

Application::~Application()
{
    if (currentApplication == this) currentApplication = nullptr;
}

Application* Application::Current()
{
    return currentApplication;
}

std::string Application::Title() const
{
    return name_.empty() ? LoadResourceString(IDS_APP_TITLE) : name_;
}

std::string ApplicationTitle()
{
    return currentApplication != nullptr ? currentApplication->Title() : LoadResourceString(IDS_APP_TITLE);
}

void NoteWindowDestroyed(const Dialog* dialog)
{
    if (currentApplication == nullptr || dialog == nullptr || currentApplication->mainWindow != dialog) return;
    currentApplication->mainWindow = nullptr;
    if (loopRunning) PostQuitMessage(0);
}

int RunApplication(Application& application)
{
    if (!application.InitInstance()) return application.exitCode;
    // A program without a main window has nothing to wait for.
    if (application.mainWindow == nullptr || application.mainWindow->Window() == nullptr) PostQuitMessage(0);
    MSG message{};
    loopRunning = true;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    loopRunning = false;
    if (application.exitCode != 0) return application.exitCode;
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}
