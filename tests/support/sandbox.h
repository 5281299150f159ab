// A test's own corner of the machine: a folder under C:\ and the registry's
// shell folders and program-files folder pointed into it. The product's keys
// are removed before and after, and the shell-folder values are put back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class Sandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // root + "\" + relative
    std::string Path(const std::string& relative) const;

    std::string root;             // C:\pictorel-test-<pid>-<n>
    std::string programs;         // HKCU Shell Folders "Programs"
    std::string desktop;          // HKCU "Desktop"
    std::string startup;          // HKCU "Startup"
    std::string commonPrograms;   // HKLM "Common Programs"
    std::string commonDesktop;    // HKLM "Common Desktop"
    std::string commonStartup;    // HKLM "Common Startup"
    std::string programFiles;     // HKLM ...\CurrentVersion "ProgramFilesDir"

private:
    struct SavedValue {
        HKEY root;
        std::string key;
        std::string name;
        bool existed;
        std::string data;
        DWORD type;
    };
    std::vector<SavedValue> saved_;
    void PointValue(HKEY rootKey, const char* key, const char* name, const std::string& folder);
};

// Removes the product's registry keys and the test's folder trees.
void RemoveProductKeys();
void RemoveTree(const std::string& path);
