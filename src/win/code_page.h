// The ANSI code page this machine uses, for the core's path rules.
#pragma once

// True when c starts a double-byte character of the code page: what every
// path rule of the core is given as its lead-byte test.
bool IsCodePageLeadByte(unsigned char c);
