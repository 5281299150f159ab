#include "core/install_log.h"

#include <cstring>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

bool AppendLogLine(const std::string& path, const std::string& text)
{
    // Binary, with the line end written out: a text-mode runtime would treat
    // a Ctrl-Z as the end of the file.
    OwnedFile file = OpenFile(path, "ab");
    if (!file) return false;
    const bool written = std::fputs(text.c_str(), file.get()) >= 0 && std::fputs("\r\n", file.get()) >= 0;
    return std::fclose(file.release()) == 0 && written;
}

// Binary: a text-mode read would stop at a Ctrl-Z (a list written by DOS
// tools may hold one) and hide every line after it. CR goes with the trimming.
LogLineReader::LogLineReader(const std::string& path) : file_(OpenFile(path, "rb")) {}

LogLineReader::LogLineReader(std::FILE* file) : file_(file) {}

bool LogLineReader::Next(std::string& line)
{
    if (!file_) return false;
    char buf[logLineSize];
    if (std::fgets(buf, static_cast<int>(logLineSize), file_.get()) == nullptr) return false;
    buf[logLineSize - 1] = '\0';
    line.assign(buf, TrimLogLine(buf));
    return true;
}

bool ForEachLogLine(const std::string& path, const std::function<void(const std::string& line)>& visit)
{
    LogLineReader log(path);
    if (!log.IsOpen()) return false;
    for (std::string line; log.Next(line);) visit(line);
    return true;
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

bool FileToCopy(const std::string& line, std::string& name, std::string& newName, LeadByteTest isLeadByte)
{
    if (!HasTag(line, LogTag::fileCopy)) return false;
    const std::string operand = TagOperand(line, LogTag::fileCopy);
    if (!SplitPair(operand, name, newName)) {
        name = operand;
        newName.clear();
        return IsPlainFileName(name, isLeadByte);
    }
    return IsPlainFileName(name, isLeadByte) && IsPlainFileName(newName, isLeadByte);
}

std::string InstalledName(const std::string& operand)
{
    std::string source;
    std::string target;
    return SplitPair(operand, source, target) ? target : operand;
}
