#include "wizard/license_page.h"

#include "core/owned_file.h"
#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

// The size of an open file in bytes, or -1.
long FileSize(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
    return size;
}

}  // namespace

std::string ReadAgreementText()
{
    const OwnedFile file = OpenFile(ProductProfile::agreementFile, "rb");
    if (!file) return std::string();
    long size = FileSize(file.get());
    if (size <= 0) return std::string();
    std::string text;
    // Beyond what a string can hold: shown like a missing file too, rather
    // than ending the program.
    if (static_cast<unsigned long>(size) > text.max_size()) return std::string();
    try {
        text.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        // Too large to hold: shown like a missing file, the page still works.
        return std::string();
    }
    std::size_t read = std::fread(&text[0], 1, text.size(), file.get());
    text.resize(read);
    return text;
}

LicensePage::LicensePage(HWND frame) : Dialog(IDD_LICENSE, frame) {}

void LicensePage::DoDataExchange(DataExchange& exchange)
{
    exchange.Text(IDC_AGREEMENT, agreementText);
    exchange.Radio(IDC_DECLINE, acceptChoice);
}

BOOL LicensePage::OnInitDialog()
{
    Dialog::OnInitDialog();
    agreementText = ReadAgreementText();
    UpdateData(false);
    HWND agreement = Item(IDC_AGREEMENT);
    SendMessageA(agreement, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(agreement, EM_SCROLLCARET, 0, 0);
    // The page is wider than the others and covers the side picture's place.
    SetWindowPos(Window(), HWND_TOP, 4, 4, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    acceptChoice = setupState.licenseAccepted;
    UpdateData(false);
    SetFocus(Item(IDC_DECLINE));
    return FALSE;
}

bool LicensePage::OnButton(int id)
{
    if (id == IDC_DECLINE)
        OnDecline();
    else if (id == IDC_ACCEPT)
        OnAccept();
    else
        return Dialog::OnButton(id);
    return true;
}

void LicensePage::OnDecline()
{
    // A click notification can come while the button is not checked.
    if (!IsItemChecked(IDC_DECLINE)) return;
    EnableNext(false);
    setupState.licenseAccepted = 0;
}

void LicensePage::OnAccept()
{
    EnableNext(true);
    setupState.licenseAccepted = 1;
}

void LicensePage::EnableNext(bool enable)
{
    EnableWindow(GetDlgItem(Parent(), IDOK), enable ? TRUE : FALSE);
}
