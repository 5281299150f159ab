// The recorder program (url_recorder.exe) registered as the http protocol's
// handler while an object of this class lives, so that every web page the
// setup opens is written down instead of reaching a browser.
#pragma once

#include "support/registry_snapshot.h"

#include <string>
#include <vector>

class UrlRecorderRegistration {
public:
    // recorder: the full path of url_recorder.exe.
    explicit UrlRecorderRegistration(const std::string& recorder);
    ~UrlRecorderRegistration() = default;  // the snapshot puts the key back
    UrlRecorderRegistration(const UrlRecorderRegistration&) = delete;
    UrlRecorderRegistration& operator=(const UrlRecorderRegistration&) = delete;

    bool Registered() const { return registered_; }

private:
    RegistrySnapshot saved_;
    bool registered_ = false;
};

// The environment variable the recorder appends to.
constexpr const char* urlRecordVariable = "PICTOREL_URL_RECORD";

// The addresses recorded in recordPath, in order.
std::vector<std::string> RecordedUrls(const std::string& recordPath);
