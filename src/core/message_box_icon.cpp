#include "core/message_box_icon.h"

namespace {

// The Win32 values, spelt out so that this rule builds without <windows.h>.
constexpr unsigned buttonsMask = 0x0000000Fu;  // MB_TYPEMASK
constexpr unsigned iconMask = 0x000000F0u;     // MB_ICONMASK
constexpr unsigned ok = 0x0u;                  // MB_OK
constexpr unsigned okCancel = 0x1u;            // MB_OKCANCEL
constexpr unsigned yesNoCancel = 0x3u;         // MB_YESNOCANCEL
constexpr unsigned yesNo = 0x4u;               // MB_YESNO
constexpr unsigned exclamation = 0x30u;        // MB_ICONEXCLAMATION

}  // namespace

unsigned WithDefaultIcon(unsigned type)
{
    if ((type & iconMask) != 0) return type;
    unsigned buttons = type & buttonsMask;
    if (buttons == ok || buttons == okCancel || buttons == yesNoCancel || buttons == yesNo)
        return type | exclamation;
    return type;
}
