// Removing what an installation log names. The install procedure uses these
// too, to clear an earlier installation before installing again.
#pragma once

#include <string>

// Deletes every shortcut of the log's "Shell Link: " lines, then removes each
// folder of its "Made Dir: " lines and, for as long as that succeeds, the
// folders above it. Only paths that lie inside one of the setup's shell
// folders count (SetupShellFolders), and the shell folder itself stays. A log
// that does not open is passed over.
void RemoveLoggedLinksAndFolders(const std::string& logPath);

// Deletes from folder (with or without a trailing separator) the files that
// the log's lines of tag name (null: "File Copy: ", "File Overwrite: " and
// "File Del: "), read-only and hidden ones included. One that will not go
// now goes at the next start (setupState.restartNeeded); one that can do
// neither is counted as a failure (TraceIncomplete).
void RemoveLoggedFiles(const std::string& logPath, const std::string& folder, const char* tag);

// Deletes the files of folder matching pattern, clearing their read-only and
// hidden attributes first, as above; returns how many went now. Subfolders
// and links (reparse points) are left alone.
int DeleteMatchingFiles(const std::string& folder, const std::string& pattern);
