// The module whose resources (dialog templates, strings) the program uses.
#pragma once

#include <windows.h>

// The program's own module unless start-up has named another.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);
