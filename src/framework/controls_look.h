// The three-dimensional look of dialog controls.
#pragma once

// Dialogs have drawn their controls in 3-D since Windows 95; what is left to
// do is to load the common controls, so that the manifest's visual styles
// apply to the dialogs' buttons.
void EnableControlsLook();
