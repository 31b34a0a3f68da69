// The alpha levels at which push-button looks are drawn and fades start.
#pragma once

namespace skin {

inline constexpr int kAlphaClear = 0;         // a fade from nothing: entry, space-bar release, leave, focus
inline constexpr int kAlphaAfterClick = 60;   // a mouse release fades the normal look in from here
inline constexpr int kAlphaLeaveHover = 140;  // the hover look drawn once as the pointer leaves
inline constexpr int kAlphaOpaque = 255;      // drawn at once; a fade ends after the step past this

}  // namespace skin
