// The fixture of the end-to-end tests: a sandboxed machine, an unpacked
// distribution to start the real setup.exe from, the recorder as the
// browser, and the stand-in product recording its starts.
#pragma once

#include "e2e/distribution.h"
#include "e2e/machine_state.h"
#include "e2e/program_run.h"
#include "e2e/url_handler.h"
#include "support/sandbox.h"

#include <memory>
#include <string>
#include <vector>

// One start of the stand-in product, from its record.
struct ProductStart {
    DWORD processId = 0;
    std::string commandLine;
};

class EndToEnd : public Sandbox {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the distribution folder's content.
    void LayOut(const DistributionContent& content);

    // Starts setup.exe from the distribution, in its folder, as Explorer does.
    bool StartSetup(ProgramRun& run, const std::string& arguments = "");
    // Any program, with the records' variables set for it and its children.
    bool StartProgram(ProgramRun& run, const std::string& program, const std::string& arguments,
                      const std::string& currentFolder);
    // A silent installation of the distribution as it is; its exit code.
    int InstallSilently();
    // An earlier installation of the stand-in build (silent: for all users,
    // group "Pictorel 5"); the product record is cleared afterwards.
    void InstallEarlier(const char* productBuild);

    // Once the recorders started so far have ended: the pages opened.
    std::vector<std::string> OpenedPages() const;
    std::vector<ProductStart> ProductStarts() const;
    // The setup does not wait for the product it starts: waits until count
    // starts have been recorded, then returns them.
    std::vector<ProductStart> WaitForProductStarts(std::size_t count) const;
    // Running copies of the product whose executable lies in the sandbox.
    std::vector<DWORD> RunningProductCopies() const;

    std::string Dest(const std::string& name) const { return dest + "\\" + name; }
    // A file listing of a folder tree and the product's registry keys: what
    // "nothing changed" compares.
    std::string MachineState() const;

    std::string dist;           // the unpacked distribution
    std::string dest;           // the default destination folder
    std::string urlRecord;      // pages the recorder was asked to open
    std::string productRecord;  // what the stand-in product recorded

private:
    std::unique_ptr<UrlRecorderRegistration> urlHandler_;
};
