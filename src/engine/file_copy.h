// Copying the distribution's files into the destination folder over what an
// earlier installation left there, files in use included.
#pragma once

// Copies sourceFolder\fileName to destFolder\newName (destFolder\fileName
// when newName is null). A target that exists is replaced: its read-only and
// hidden attributes are cleared and it is deleted, or, when it is in use,
// renamed to target + ".old" and that file handed to DeleteAtReboot. A
// missing source leaves the target alone. The same folder twice without a
// new name is success at once. Returns non-zero on success.
int CopyOneFile(const char* fileName, const char* sourceFolder, const char* destFolder, const char* newName);

// Copies each file of sourceFolder that matches pattern ("*" and "?"), in
// search order, into destFolder, which is created (last level only) when
// something matches. Stops at the first file that fails; a folder that
// matches fails without being touched. Returns the number copied.
int CopyMatchingFiles(const char* pattern, const char* sourceFolder, const char* destFolder);
