// The installation log and distribution list: tagged text lines.
// Reading and parsing are Win32-free; every reader of the program uses them.
#pragma once

#include "core/buffer_sizes.h"
#include "core/owned_file.h"
#include "core/path_utils.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

struct LogTag {
    static constexpr const char* fileCopy = "File Copy: ";
    static constexpr const char* fileOverwrite = "File Overwrite: ";
    static constexpr const char* fileDel = "File Del: ";
    static constexpr const char* madeDir = "Made Dir: ";
    static constexpr const char* shellLink = "Shell Link: ";
};

// Appends text as one line (CR LF after it) and closes the file
// again, so every line is complete on disk when the call returns. A file that
// cannot be opened loses the line; false then.
bool AppendLogLine(const std::string& path, const std::string& text);

// Reads a log line by line with the rules every reader shares: a 512-byte
// buffer (a longer line arrives in pieces of at most 511 characters), a zero
// in the buffer's last byte, trailing codes 0 to 32 trimmed (never the first
// character), codes of 128 and above kept.
class LogLineReader {
public:
    explicit LogLineReader(const std::string& path);  // binary: past any Ctrl-Z
    explicit LogLineReader(std::FILE* file);           // takes ownership

    bool IsOpen() const { return file_ != nullptr; }
    // False at the end of the file (or when it is not open).
    bool Next(std::string& line);

private:
    OwnedFile file_;
};

// Offers each line of the log at path to visit, as LogLineReader reads it;
// false when the log does not open.
bool ForEachLogLine(const std::string& path, const std::function<void(const std::string& line)>& visit);

// Trims a line read into buf in place by the rules above; returns its length.
std::size_t TrimLogLine(char* buf);

// True when line begins with tag at its first character (case-sensitive).
bool HasTag(const std::string& line, const char* tag);
// The rest of the line after tag (leading blanks kept). Call after HasTag.
std::string TagOperand(const std::string& line, const char* tag);

// The remover's reading of a file operand: the line ends at its first " | ".
std::string StripAnnotation(const std::string& operand);
// The pair form "a > b": true when operand holds '>'; source is the text before
// the first '>' without trailing white space, target the text after it without
// leading white space.
bool SplitPair(const std::string& operand, std::string& source, std::string& target);
// The name a file operand has in the installation folder: after '>' for a
// pair (leading white space removed), else the operand itself.
std::string InstalledName(const std::string& operand);

// What a "File Copy: " line of a distribution list asks the installer to
// copy: a pair gives the name and the new name, a name or pattern alone gives
// newName "". False for other lines, and for a name with a folder part, which
// would reach outside the folders (IsPlainFileName).
bool FileToCopy(const std::string& line, std::string& name, std::string& newName, LeadByteTest isLeadByte);
