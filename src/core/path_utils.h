// Path helpers that decide without touching the machine. Whatever looks for
// a backslash takes the ANSI code page's lead-byte test: the second byte of a
// double-byte character (0x5C in Shift-JIS "表" = 95 5C) is never taken for
// a backslash. Win32-free.
#pragma once

#include "core/buffer_sizes.h"

#include <cstddef>
#include <string>

// Tells whether a byte starts a double-byte character of the ANSI code page.
using LeadByteTest = bool (*)(unsigned char);

// The offset of the first character of chars in text at or after from (a
// character boundary), trail bytes skipped; npos when there is none.
std::size_t FindCharacter(const std::string& text, const char* chars, std::size_t from, LeadByteTest isLeadByte);
// The offset of the last backslash before end that is a character of its
// own; npos when none.
std::size_t LastBackslash(const std::string& text, std::size_t end, LeadByteTest isLeadByte);
bool EndsWithBackslash(const std::string& text, LeadByteTest isLeadByte);

// The folder holding path, without a trailing backslash, or "" : one trailing
// backslash is removed, then the text before the last backslash is returned
// when that backslash stands after the first character. A null path gives "".
std::string ParentFolder(const char* path, LeadByteTest isLeadByte);

// The text after the last "\" or "/": the file name of a path.
std::string FileNameOf(const std::string& path, LeadByteTest isLeadByte);

// folder + entry where entry begins with a backslash ("\Pictrl5.exe"):
// a folder that already ends with a backslash (a drive root "D:\") gets no
// second one.
std::string JoinFolder(const std::string& folder, const std::string& entry, LeadByteTest isLeadByte);

// A folder as held by the program: one trailing backslash removed ("D:\" -> "D:").
std::string WithoutTrailingBackslash(std::string folder, LeadByteTest isLeadByte);

// folder with a backslash after it unless it already ends with "\" or "/"
// (an empty folder gives "\"): the form in which two folders are compared,
// and, followed by a name, how file searches and their matches are addressed.
std::string WithSeparator(const std::string& folder, LeadByteTest isLeadByte);
std::string JoinSearchPath(const std::string& folder, const std::string& name, LeadByteTest isLeadByte);

// A path in the form its file name is judged by: the long form (longPath,
// the system's answer; "" where it has none) when that fits a path buffer,
// else path as given. A program started by its 8.3 name ("PICTRL~1.EXE")
// still knows its own name.
std::string LongFormOf(const std::string& path, const std::string& longPath);

// A name read from a list or log for the file tags is a plain name or
// pattern: no "\", "/", ":" and no "..". Anything else is ignored, so a
// damaged or hostile log cannot reach outside the folder. An empty name,
// which would stand for the folder itself, is not one either, nor is a
// device's reserved name, nor one ending in "." or " ", which Windows strips.
bool IsPlainFileName(const std::string& name, LeadByteTest isLeadByte);
// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9 and LPT1 to LPT9 (the
// digits 1 to 3 also as the code page's superscripts) in any case, with or
// without an extension: Windows opens the device, whatever the folder.
bool IsReservedDeviceName(const std::string& name, LeadByteTest isLeadByte);

// A name a folder search returned is used only when it names an entry of
// that folder: not ".", "..", nor one holding "\", "/", ":", "?" or "*" (a
// name the code page cannot hold comes back with "?"), nor one ending in "."
// or " ", which Windows strips when the name is joined to the folder.
bool IsFolderEntryName(const std::string& name, LeadByteTest isLeadByte);
