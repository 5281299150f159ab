#include "e2e/end_to_end.h"

#include "app/product_profile.h"
#include "e2e/process_probe.h"
#include "product/stand_in_product.h"
#include "support/machine.h"
#include "support/registry_snapshot.h"

#include <cstdlib>
#include <cstring>

namespace {

// A copy of the product left running by an earlier, aborted test would be
// counted by every setup started now.
void EndCopiesOfEarlierTests()
{
    const std::string sandboxes = "C:\\pictorel-test-";
    for (const ProcessEntry& running : RunningProcesses([](const std::string& image) { return image == "Pictrl5.exe"; })) {
        if (_strnicmp(ProcessImagePath(running.id).c_str(), sandboxes.c_str(), sandboxes.size()) == 0)
            TerminateById(running.id);
    }
}

}  // namespace

void EndToEnd::SetUp()
{
    EndCopiesOfEarlierTests();
    Sandbox::SetUp();
    if (HasFatalFailure()) return;
    dist = Path("dist");
    dest = programFiles + ProductProfile::productSubfolder;
    urlRecord = Path("urls.txt");
    productRecord = Path("product.txt");
    urlHandler_ = std::make_unique<UrlRecorderRegistration>(TestBinFolder() + "\\url_recorder.exe");
    ASSERT_TRUE(urlHandler_->Registered());
    LayOut(DistributionContent{});
}

void EndToEnd::TearDown()
{
    // Copies of the product started from the sandbox, by the setup or the
    // test: a copy left running would be asked about by the next test's setup.
    for (DWORD copy : RunningProductCopies()) TerminateById(copy);
    WaitUntilNoneRunning("url_recorder.exe");
    urlHandler_.reset();
    SetEnvironmentVariableA(urlRecordVariable, nullptr);
    SetEnvironmentVariableA(standInRecordVariable, nullptr);
    Sandbox::TearDown();
}

void EndToEnd::LayOut(const DistributionContent& content)
{
    RemoveTree(dist);
    ASSERT_TRUE(LayOutDistribution(dist, content)) << dist;
}

bool EndToEnd::StartProgram(ProgramRun& run, const std::string& program, const std::string& arguments,
                            const std::string& currentFolder)
{
    // Inherited by the program and whatever it starts: the product, the recorder.
    SetEnvironmentVariableA(urlRecordVariable, urlRecord.c_str());
    SetEnvironmentVariableA(standInRecordVariable, productRecord.c_str());
    return run.Start(Quoted(program) + (arguments.empty() ? "" : " " + arguments), currentFolder);
}

bool EndToEnd::StartSetup(ProgramRun& run, const std::string& arguments)
{
    return StartProgram(run, dist + "\\setup.exe", arguments, dist);
}

int EndToEnd::InstallSilently()
{
    ProgramRun run;
    if (!StartSetup(run, "-s")) return -1;
    return run.WaitForExit();
}

void EndToEnd::InstallEarlier(const char* productBuild)
{
    DistributionContent earlier;
    earlier.productBuild = productBuild;
    LayOut(earlier);
    ASSERT_EQ(0, InstallSilently());
    ASSERT_EQ(FileVersionText(TestBinFolder() + "\\" + productBuild), FileVersionText(Dest("Pictrl5.exe")));
    DeleteFileA(productRecord.c_str());
}

std::vector<std::string> EndToEnd::OpenedPages() const
{
    WaitUntilNoneRunning("url_recorder.exe");
    return RecordedUrls(urlRecord);
}

std::vector<ProductStart> EndToEnd::ProductStarts() const
{
    std::vector<ProductStart> starts;
    for (const std::string& line : FileLines(productRecord)) {
        if (line.rfind("started ", 0) == 0) {
            starts.push_back({static_cast<DWORD>(std::strtoul(line.c_str() + 8, nullptr, 10)), {}});
        } else if (line.rfind("commandline ", 0) == 0 && !starts.empty()) {
            starts.back().commandLine = line.substr(12);
        }
    }
    return starts;
}

std::vector<ProductStart> EndToEnd::WaitForProductStarts(std::size_t count) const
{
    const DWORD start = GetTickCount();
    while (ProductStarts().size() < count && GetTickCount() - start < 30000) Sleep(20);
    return ProductStarts();
}

std::vector<DWORD> EndToEnd::RunningProductCopies() const
{
    std::vector<DWORD> copies;
    for (const ProcessEntry& running : RunningProcesses([](const std::string& image) { return image == "Pictrl5.exe"; })) {
        const std::string image = ProcessImagePath(running.id);
        if (_strnicmp(image.c_str(), root.c_str(), root.size()) == 0) copies.push_back(running.id);
    }
    return copies;
}

std::string EndToEnd::MachineState() const
{
    WaitUntilNoneRunning("url_recorder.exe");
    std::string state = "[files]\n" + DescribeFolderTree(root) + "[log]\n" + ReadTextFile(Dest("PictrlUnInst.log")) +
                        "[product record]\n" + ReadTextFile(productRecord) + "[pages]\n" + ReadTextFile(urlRecord);
    for (const char* key : {"SOFTWARE\\Velmora", ProductProfile::appPathKey, ProductProfile::uninstallKey})
        state += std::string("[") + key + "]\n" + DescribeKeyTree(HKEY_LOCAL_MACHINE, key);
    return state;
}
