#include "e2e/distribution.h"

#include "support/machine.h"

#include <windows.h>

const char* const distributedFiles[] = {"readme.txt", "Pictrl5Man.chm", "HomePage.url", "PictCap.dll", "PictFx.dll"};
const unsigned distributedFileCount = sizeof distributedFiles / sizeof distributedFiles[0];

namespace {

bool CopyFromBin(const std::string& name, const std::string& target)
{
    return CopyFileA((TestBinFolder() + "\\" + name).c_str(), target.c_str(), FALSE) != FALSE;
}

}  // namespace

std::string DistributionList()
{
    return "; Pictorel 5 distribution list\r\n"
           "File Copy: Pictrl5.exe\r\n"
           "File Copy: setup.exe > PictrlUnInst.exe\r\n"
           "File Copy: readme.txt\r\n"
           "File Copy: Pictrl5Man.chm\r\n"
           "File Copy: HomePage.url\r\n"
           "File Copy: Pict*.dll\r\n";
}

bool LayOutDistribution(const std::string& folder, const DistributionContent& content)
{
    if (!MakeFolders(folder) || !CopyFromBin("setup.exe", folder + "\\setup.exe")) return false;
    if (!content.productBuild.empty() && !CopyFromBin(content.productBuild, folder + "\\Pictrl5.exe")) return false;
    bool ok = true;
    for (unsigned i = 0; i < distributedFileCount; ++i) {
        const std::string name = distributedFiles[i];
        const std::string text = name == "HomePage.url"
                                     ? "[InternetShortcut]\r\nURL=" + content.homePageUrl + "\r\n"
                                     : "content of " + name + "\r\n";
        ok = WriteTextFile(folder + "\\" + name, text) && ok;
    }
    if (content.withList) ok = WriteTextFile(folder + "\\PictrlUnInst.log", DistributionList()) && ok;
    if (content.withOptionsFile) ok = WriteTextFile(folder + "\\Pictrl5.ini", "[Options]\r\nCaptureKey=PrtSc\r\n") && ok;
    return WriteTextFile(folder + "\\agreement.txt", "PICTOREL 5 LICENCE AGREEMENT\r\nTerms.\r\n") && ok;
}
