#include "engine/install_log.h"

#include <cctype>
#include <cstring>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

void AppendLogLine(const std::string& path, const std::string& text)
{
    // Binary, with the line end written out: a text-mode runtime would treat
    // a Ctrl-Z as the end of the file.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return;
    std::fputs(text.c_str(), file);
    std::fputs("\r\n", file);
    std::fclose(file);
}

// Binary: a text-mode read would stop at a Ctrl-Z (a list written by DOS
// tools may hold one) and hide every line after it. CR goes with the trimming.
LogLineReader::LogLineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

LogLineReader::LogLineReader(std::FILE* file) : file_(file) {}

LogLineReader::~LogLineReader()
{
    if (file_ != nullptr) std::fclose(file_);
}

bool LogLineReader::Next(std::string& line)
{
    if (file_ == nullptr) return false;
    char buf[bufferSize];
    if (std::fgets(buf, static_cast<int>(bufferSize), file_) == nullptr) return false;
    buf[bufferSize - 1] = '\0';
    line.assign(buf, TrimLogLine(buf));
    return true;
}

void LogLineReader::Rewind()
{
    if (file_ != nullptr) std::rewind(file_);
}

std::size_t TrimLogLine(char* buf)
{
    std::size_t length = std::strlen(buf);
    // Codes above 127 are characters of the ANSI code page, not controls.
    while (length > 1 && static_cast<unsigned char>(buf[length - 1]) <= 32) --length;
    buf[length] = '\0';
    return length;
}

bool HasTag(const std::string& line, const char* tag)
{
    return line.compare(0, std::strlen(tag), tag) == 0;
}

std::string TagOperand(const std::string& line, const char* tag)
{
    std::size_t tagLength = std::strlen(tag);
    return line.size() > tagLength ? line.substr(tagLength) : std::string();
}

std::string StripAnnotation(const std::string& operand)
{
    return operand.substr(0, operand.find(" | "));
}

bool SplitPair(const std::string& operand, std::string& source, std::string& target)
{
    std::size_t arrow = operand.find('>');
    if (arrow == std::string::npos) return false;
    std::size_t sourceEnd = arrow;
    while (sourceEnd > 0 && IsWhiteSpace(operand[sourceEnd - 1])) --sourceEnd;
    std::size_t targetStart = arrow + 1;
    while (targetStart < operand.size() && IsWhiteSpace(operand[targetStart])) ++targetStart;
    source = operand.substr(0, sourceEnd);
    target = operand.substr(targetStart);
    return true;
}

std::string InstalledName(const std::string& operand)
{
    std::string source;
    std::string target;
    return SplitPair(operand, source, target) ? target : operand;
}

bool IsPlainFileName(const std::string& name)
{
    // An empty name would address the folder itself.
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos &&
           name.find("..") == std::string::npos && !IsReservedDeviceName(name);
}

bool IsReservedDeviceName(const std::string& name)
{
    // The part before the first dot, blanks after it ignored as Windows does.
    std::string base = name.substr(0, name.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}
