#include "framework/controls_look.h"

#include <windows.h>
#include <commctrl.h>

void EnableControlsLook()
{
    InitCommonControls();
}
