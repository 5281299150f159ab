// The program's fixed text buffers, each named with what it holds. A text
// that does not fit makes its one step fail as a failure of that step would;
// nothing is ever written past a buffer. Win32-free.
#pragma once

#include <cstddef>

// MAX_PATH: every path, and the registry texts the installer reads (paths).
constexpr std::size_t maxPath = 260;
// A folder search: a folder, a backslash and a pattern, each up to a path.
constexpr std::size_t searchPathSize = 2 * maxPath;
// One line of a log or list as every reader takes it (a longer line arrives
// in pieces).
constexpr std::size_t logLineSize = 512;
// A line of the installed "HomePage.url": its URL line is path-sized.
constexpr std::size_t urlLineSize = maxPath;
// The uninstaller's registry values and key names: values it reads belong to
// other programs too (associations), so it takes more than a path.
constexpr std::size_t registryTextSize = 512;
// A shortcut's target as the link object takes it.
constexpr std::size_t linkTargetSize = 512;
// A window title, read to tell a program's window from the hidden ones.
constexpr std::size_t windowTitleSize = 512;
// A string of the table; the longest is well under 512 characters.
constexpr std::size_t resourceStringSize = 1024;
// A formatted text: wsprintfA's own limit, no formatted text is longer.
constexpr std::size_t formattedTextSize = 1024;
// A version question: two versions in a sentence.
constexpr std::size_t versionQuestionSize = 512;
// The running-copies question: one count in a sentence.
constexpr std::size_t copiesQuestionSize = 256;
// A system error message in a trace line: a sentence or two.
constexpr std::size_t systemMessageSize = 512;
// A message naming what failed: a few paths in a few sentences.
constexpr std::size_t failureMessageSize = 2048;
// How many of the failed steps a message names.
constexpr unsigned namedFailures = 3;

// True when text fits a MAX_PATH buffer with its terminating zero.
template <class Text>
inline bool FitsMaxPath(const Text& text) { return text.size() < maxPath; }
