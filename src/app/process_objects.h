// The process-wide objects of setup.exe (defined in process_objects.cpp).
#pragma once

class COXInstanceManager;
class SetupApp;

extern COXInstanceManager instanceManager;
extern SetupApp theApp;
