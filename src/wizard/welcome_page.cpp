#include "wizard/welcome_page.h"

#include "core/setup_state.h"
#include "core/resource_ids.h"
#include "core/version_line.h"

WelcomePage::WelcomePage(HWND frame) : Dialog(IDD_WELCOME, frame) {}

BOOL WelcomePage::OnInitDialog()
{
    Dialog::OnInitDialog();
    // The format is the template's own text, so the page is rebuilt the same
    // on every visit.
    HWND versionLine = Item(IDC_VERSION_LINE);
    std::string line = VersionLine(WindowText(versionLine), setupState.versionMajor, setupState.versionMinor,
                                   setupState.versionBuild, setupState.versionRevision);
    SetWindowTextA(versionLine, line.c_str());
    return TRUE;
}
