// The application object: the program's one start-up call and what the
// framework does around it.
#pragma once

#include <windows.h>

#include <string>

class Dialog;

class Application {
public:
    // Without a name the title is the string table's application title.
    explicit Application(const char* name = nullptr);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The program's work. False ends the program without a message loop.
    virtual bool InitInstance() = 0;

    std::string Title() const;

    // The window whose end ends the message loop; none for a program that
    // only shows modal dialogs. Cleared when its window or object goes.
    Dialog* mainWindow = nullptr;

    // The process's exit code when the program ends by returning.
    int exitCode = 0;

    // The one application object of the process, or none.
    static Application* Current();

private:
    std::string name_;
};

// The entry point's part: calls InitInstance once; if it returned true, runs
// the message loop, which ends at once when there is no main window. Returns
// the exit code: the application's, else the code a main window's end asked
// for.
int RunApplication(Application& application);

// The caption of the framework's message boxes: the application's title, or
// the string table's application title when no application object exists.
std::string ApplicationTitle();

// Called by the framework when a dialog's window or object ends: a main
// window takes a running message loop with it.
void NoteWindowDestroyed(const Dialog* dialog);
