// The skin's fixed colours (COLORREF, 0x00BBGGRR: red in the low byte).
#pragma once
#include <windows.h>

namespace skin {

inline constexpr COLORREF kKeyColor = 0xFF00FF;          // transparent pixels of the images
inline constexpr COLORREF kWhite = 0xFFFFFF;             // control background
inline constexpr COLORREF kFrameEnabled = 0xD5A554;      // frame of an enabled control
inline constexpr COLORREF kFramePressed = 0xC48639;      // frame of a pressed check box
inline constexpr COLORREF kFrameDisabled = 0xE9CFA4;     // frame of a disabled control
inline constexpr COLORREF kCaptionNormal = 0x000000;     // push-button caption
inline constexpr COLORREF kCaptionDisabled = 0x968A79;   // caption of a disabled push button
inline constexpr COLORREF kProgressFill = 0xF6D64C;      // progress bar

}  // namespace skin
