// The unpacked distribution folder a user starts setup.exe from: the real
// setup.exe, a stand-in product of the wanted version as Pictrl5.exe, the
// product's other files, the distribution list and the licence text.
#pragma once

#include <string>

struct DistributionContent {
    // The stand-in in the test's bin folder that becomes Pictrl5.exe; empty
    // for a distribution without the main executable.
    std::string productBuild = "Pictrl5.exe";
    bool withList = true;
    bool withOptionsFile = true;  // Pictrl5.ini, handed to the product with -readopts
    // The URL line of HomePage.url (after "URL=").
    std::string homePageUrl = "http://www.velmora.example/";
};

// The list's product files besides the main executable and the uninstaller.
extern const char* const distributedFiles[];
extern const unsigned distributedFileCount;

// Fills folder (created) with setup.exe and the files content names.
bool LayOutDistribution(const std::string& folder, const DistributionContent& content);

// The distribution list of LayOutDistribution.
std::string DistributionList();
