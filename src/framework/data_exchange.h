// Moves values between a dialog's controls and the members that hold them.
#pragma once

#include <windows.h>

#include <string>

class DataExchange {
public:
    // save: from the controls into the members; else the other way round.
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }

    // The text of an edit box or static.
    void Text(int id, std::string& value);
    // The radio group that starts at firstId and runs, in the controls'
    // order, to the next control that starts a group: the index of the
    // chosen button, -1 for none. Loading -1 clears every button.
    void Radio(int firstId, int& index);
    // A checkbox: 1 checked, 0 not.
    void Check(int id, int& value);

private:
    HWND dialog_;
    bool save_;
};

// The whole text of a window.
std::string WindowText(HWND window);
