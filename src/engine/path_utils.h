// Path helpers that decide without touching the machine.
#pragma once

#include <string>

// Tells whether a byte starts a double-byte character of the ANSI code page.
using LeadByteTest = bool (*)(unsigned char);

// The folder holding path, without a trailing backslash, or "" : one trailing
// backslash is removed, then the text before the last backslash is returned
// when that backslash stands after the first character. The second byte of a
// double-byte character is never taken for a backslash. A null path gives "".
std::string ParentFolder(const char* path, LeadByteTest isLeadByte);

// The name after the last backslash of path (all of it when there is none),
// the second byte of a double-byte character never taken for a backslash; a
// null test reads single-byte text.
std::string FileNameOf(const std::string& path, LeadByteTest isLeadByte);

// folder + entry where entry begins with a backslash ("\Pictrl5.exe"):
// a folder that already ends with a backslash (a drive root "D:\") gets no
// second one.
std::string JoinFolder(const std::string& folder, const std::string& entry);

// A folder as held by the program: no trailing backslash ("D:\" -> "D:").
std::string WithoutTrailingBackslash(std::string folder);

// folder, a backslash unless the folder already ends with "\" or "/", then
// name: how file searches and their matches are addressed (an empty folder
// gives "\" + name, the root of the current drive).
std::string JoinSearchPath(const std::string& folder, const std::string& name);

// folder with a backslash after it unless it already ends with "\" or "/"
// (an empty folder gives "\"): the form in which two folders are compared.
std::string WithSeparator(const std::string& folder);

// Byte by byte with the letters A to Z folded: how two folders are found to
// be the same one.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

constexpr std::size_t maxPath = 260;  // MAX_PATH, the program's path buffers
// True when text fits a MAX_PATH buffer with its terminating zero.
inline bool FitsMaxPath(const std::string& text) { return text.size() < maxPath; }
