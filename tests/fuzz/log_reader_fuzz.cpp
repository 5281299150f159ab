// libFuzzer target: arbitrary bytes read as an installation log, every line
// taken apart as the readers do. Host build only.
#include "engine/install_log.h"
#include "engine/path_utils.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    LogLineReader reader(fmemopen(bytes.empty() ? nullptr : &bytes[0], bytes.size(), "r"));
    for (std::string line; reader.Next(line);) {
        Check(line.size() < LogLineReader::bufferSize);
        Check(line.size() <= 1 || static_cast<unsigned char>(line.back()) > 32);
        if (HasTag(line, LogTag::fileCopy)) {
            const std::string operand = TagOperand(line, LogTag::fileCopy), stripped = StripAnnotation(operand);
            Check(stripped.find(" | ") == std::string::npos);
            std::string source, target;
            if (SplitPair(operand, source, target)) Check(source.size() + target.size() < operand.size());
            const std::string name = InstalledName(stripped);
            if (IsPlainFileName(name)) Check(name.find_first_of("\\/:") == std::string::npos);
        }
        const std::string parent = ParentFolder(line.c_str(), ShiftJisLeadByte);
        Check(parent.size() < line.size() || parent.empty());
    }
    char buffer[LogLineReader::bufferSize];
    const std::size_t n = size < sizeof buffer - 1 ? size : sizeof buffer - 1;
    std::memcpy(buffer, data, n);
    buffer[n] = '\0';
    Check(TrimLogLine(buffer) == std::strlen(buffer));
    return 0;
}
