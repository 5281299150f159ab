// Reading a module's resources as bytes, the way the loader and the dialog
// manager see them, so that tests can compare them field by field.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A module loaded as data only: none of its code runs.
class DataModule {
public:
    explicit DataModule(const std::string& path);
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    bool IsLoaded() const { return module_ != nullptr; }
    HMODULE Get() const { return module_; }
    // The bytes of one resource; empty when the module has none of that name.
    std::string Resource(LPCSTR type, LPCSTR name) const;
    // Every non-empty string of the string table, by id, read from the blocks
    // themselves so that a string the table does not know shows up too.
    std::map<UINT, std::string> AllStrings() const;

private:
    HMODULE module_ = nullptr;
};

struct DialogControl {
    int id = 0;               // as the dialog manager sees it: -1 for 0xFFFF
    std::string windowClass;  // "Button", "Edit", "Static", ... or the name given
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string text;         // "#n" for a resource ordinal (a static's picture)
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate {
    bool extended = false;    // DLGTEMPLATEEX
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, windowClass, caption;
    int pointSize = 0;
    std::string font;
    std::vector<DialogControl> controls;
};

// Parses a DLGTEMPLATE or DLGTEMPLATEEX; false when the bytes end early.
bool ParseDialogTemplate(const std::string& bytes, DialogTemplate& out);

// Text of UTF-16 characters made narrow; a character outside ASCII becomes
// "\uXXXX", so that it can never compare equal to an expected ASCII text.
std::string NarrowText(const WCHAR* text, std::size_t length);
