// A bitmap drawn again at another size by the area average of
// core/area_scaling.h: pictures drawn large, shown at the size the DPI gives.
#pragma once

#include <windows.h>

// A new 32-bit bitmap of width x height, without alpha (the caller's to
// delete), holding source scaled to it; nullptr when GDI fails.
HBITMAP ScaledBitmap(HBITMAP source, int width, int height);
