#include "win/scaled_bitmap.h"

#include "core/area_scaling.h"
#include "win/handles.h"

#include <cstdint>
#include <vector>

HBITMAP ScaledBitmap(HBITMAP source, int width, int height)
{
    BITMAP from;
    if (width <= 0 || height <= 0 || GetObjectA(source, sizeof from, &from) == 0) return nullptr;
    // 32 bits a pixel, rows top first (a negative height), for the source's copy and the result alike.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, from.bmWidth, -from.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(from.bmWidth) * from.bmHeight);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc.IsValid() ||
        GetDIBits(dc.Get(), source, 0, from.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) != from.bmHeight)
        return nullptr;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    void* bits = nullptr;
    BitmapHandle scaled(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!scaled.IsValid()) return nullptr;
    ScaleByArea(pixels.data(), from.bmWidth, from.bmHeight, static_cast<std::uint32_t*>(bits), width, height);
    return scaled.Detach();
}
