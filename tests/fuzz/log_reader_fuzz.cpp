// libFuzzer target: arbitrary bytes read as an installation log (each line trimmed by the reader), every
// line taken apart as the readers do. Host build only.
#include "core/install_log.h"
#include "core/path_utils.h"

#include <cstdint>
#include <cstdio>
#include <string>

#define CHECK(condition) ((condition) ? (void)0 : __builtin_trap())

static bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    LogLineReader reader(fmemopen(bytes.empty() ? nullptr : &bytes[0], bytes.size(), "r"));
    for (std::string line; reader.Next(line);) {
        CHECK(line.size() < logLineSize);
        CHECK(line.size() <= 1 || static_cast<unsigned char>(line.back()) > 32);
        if (HasTag(line, LogTag::fileCopy)) {
            const std::string operand = TagOperand(line, LogTag::fileCopy), stripped = StripAnnotation(operand);
            CHECK(stripped.find(" | ") == std::string::npos);
            std::string source, target;
            CHECK(!SplitPair(operand, source, target) || source.size() + target.size() < operand.size());
            const std::string name = InstalledName(stripped);
            CHECK(!IsPlainFileName(name, nullptr) || name.find_first_of("\\/:") == std::string::npos);
        }
        const std::string parent = ParentFolder(line.c_str(), ShiftJisLeadByte);
        CHECK(parent.size() < line.size() || parent.empty());
    }
    return 0;
}
