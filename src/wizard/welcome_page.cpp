#include "wizard/welcome_page.h"

#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/version_line.h"

WelcomePage::WelcomePage(HWND frame) : Dialog(IDD_WELCOME, frame) {}

BOOL WelcomePage::OnInitDialog()
{
    Dialog::OnInitDialog();
    // The format is the template's own text, so the page is rebuilt the same
    // on every visit.
    SetItemText(IDC_VERSION_LINE, VersionLine(ItemText(IDC_VERSION_LINE), setupState.versionMajor,
                                              setupState.versionMinor, setupState.versionBuild,
                                              setupState.versionRevision));
    return TRUE;
}
