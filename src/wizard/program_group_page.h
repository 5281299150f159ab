// The Start-menu program group and the auto-start and desktop options, all
// saved when the page's window goes.
#pragma once

#include "framework/dialog.h"

class ProgramGroupPage : public Dialog {
public:
    explicit ProgramGroupPage(HWND frame);

    bool DestroyWindow() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void FillGroupList();

    int autoStartCheck = 0;
    int desktopIconCheck = 0;
};
