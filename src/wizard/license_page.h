// The licence agreement and the choice to accept it. The choice is written
// at once, so it survives going back and forth.
#pragma once

#include "framework/dialog.h"

#include <string>

class LicensePage : public Dialog {
public:
    explicit LicensePage(HWND frame);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnButton(int id) override;

private:
    void OnDecline();
    void OnAccept();
    void EnableNext(bool enable);

    std::string agreementText;
    int acceptChoice = -1;  // 0 decline, 1 accept, -1 neither
};

// The whole of "agreement.txt" in the current directory, bytes as they are;
// "" when it cannot be read.
std::string ReadAgreementText();
