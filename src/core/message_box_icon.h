// The message-box service's icon rule, decided apart from the box itself.
#pragma once

// A box of type OK, OK/Cancel, Yes/No or Yes/No/Cancel that names no icon
// gets the exclamation icon; every other type is returned unchanged.
// type holds MB_ flags (the Win32 values).
unsigned WithDefaultIcon(unsigned type);
