// A test's own corner of the machine: a folder under C:\ into which both scopes' shell folders and the program-files
// folder point; the product's keys and the deletions registered for the next start removed before, the keys after.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

std::string CurrentUserSid();  // its hive's name under HKEY_USERS

class Sandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& relative) const { return root + "\\" + relative; }
    void Point(HKEY hive, const std::string& key, const char* name, const std::string& folder);  // folder made
    void Forget(HKEY hive, const std::string& key);  // the key tree deleted now and at the end

    const std::string root = "C:\\pictorel-test-" + std::to_string(GetCurrentProcessId());
    // HKCU's shell folders, then HKLM's; each Startup lies inside its Programs, as on Windows.
    const std::string programs = Path("user\\Start Menu\\Programs"), desktop = Path("user\\Desktop"),
                      startup = programs + "\\Startup", commonPrograms = Path("all\\Start Menu\\Programs"),
                      commonDesktop = Path("all\\Desktop"), commonStartup = commonPrograms + "\\Startup",
                      programFiles = Path("Program Files");

private:
    std::vector<std::pair<HKEY, std::string>> forgotten_;
    std::string profileKey_, savedProfile_;
};
