// libFuzzer target: arbitrary bytes as an installation log, read line by line
// and every line taken apart the way the readers do. Host build only.
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

bool ShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

void TakeApart(const std::string& line)
{
    Check(line.size() < LogLineReader::bufferSize);
    Check(line.size() <= 1 || static_cast<unsigned char>(line.back()) > 32);
    for (const char* tag : {LogTag::fileCopy, LogTag::fileOverwrite, LogTag::fileDel, LogTag::madeDir,
                            LogTag::shellLink}) {
        if (!HasTag(line, tag)) continue;
        const std::string operand = TagOperand(line, tag);
        Check(operand.size() + std::strlen(tag) == line.size());
        const std::string stripped = StripAnnotation(operand);
        Check(stripped.find(" | ") == std::string::npos);
        std::string source;
        std::string target;
        if (SplitPair(operand, source, target)) Check(source.size() + target.size() < operand.size());
        const std::string name = InstalledName(stripped);
        if (IsPlainFileName(name)) Check(name.find_first_of("\\/:") == std::string::npos);
    }
    const std::string parent = ParentFolder(line.c_str(), ShiftJisLeadByte);
    Check(parent.size() < line.size() || parent.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* file = fmemopen(bytes.empty() ? nullptr : &bytes[0], bytes.size(), "r");
    if (file == nullptr) return 0;
    LogLineReader reader(file);
    std::string line;
    while (reader.Next(line)) TakeApart(line);

    char buffer[LogLineReader::bufferSize];
    const std::size_t n = size < sizeof buffer - 1 ? size : sizeof buffer - 1;
    std::memcpy(buffer, data, n);
    buffer[n] = '\0';
    const std::size_t length = TrimLogLine(buffer);
    Check(length == std::strlen(buffer) && length <= n);
    return 0;
}
