// The window properties that hold all per-window skin state, named once for
// the whole engine, with typed access. Values are pointer-sized; -1 is stored
// as all bits set. A property that was never set reads as 0.
#pragma once
#include <windows.h>

namespace skin {

inline constexpr char kPropProcAddr[] = "PROCADDR";      // previous window procedure; marks a skinned window
inline constexpr char kPropOldStyle[] = "OLDSTYLE";      // push button: style before the owner-draw switch
inline constexpr char kPropMouseFlag[] = "MOUSEFLAG";    // 1 while a leave notification is requested
inline constexpr char kPropTimerId[] = "TIMERID";        // running fade timer, 0 when none
inline constexpr char kPropOldState[] = "OLDSTATE";      // state last drawn
inline constexpr char kPropAlphaLevel[] = "ALPHALEVEL";  // alpha of the next fade blend
inline constexpr char kPropHdIndex[] = "HDINDEX";        // header: pressed item, -1 for none
inline constexpr char kPropHmIndex[] = "HMINDEX";        // header: hot item, -1 for none
inline constexpr LONG_PTR kNoItem = -1;                  // "HDINDEX"/"HMINDEX": no item
inline constexpr char kPropUnicode[] = "UNICODE";        // 1: the skin procedure was installed wide
inline constexpr char kPropPassProc[] = "PASSPROC";      // detached under a later subclass: where messages go

inline constexpr int kSurfaceCount = 4;  // push-button looks: normal, hover, pressed, disabled
inline constexpr const char* kPropSurfaceDc[kSurfaceCount] = {"HDC0", "HDC1", "HDC2", "HDC3"};
inline constexpr const char* kPropSurfaceBitmap[kSurfaceCount] = {"BMP0", "BMP1", "BMP2", "BMP3"};

// A push button's saved style ("OLDSTYLE") decides who draws it: the types
// with bits 1 and 2 clear (push, default push, user, auto radio button) are
// owner-drawn from the surfaces; every other type keeps its own drawing.
inline constexpr LONG_PTR kOwnDrawingTypeBits = 6;
inline bool SkinDrawsButton(LONG_PTR style) { return (style & kOwnDrawingTypeBits) == 0; }

// Control states kept in "OLDSTATE".
inline constexpr int kStateNormal = 0;
inline constexpr int kStateHover = 1;
inline constexpr int kStatePressed = 2;
inline constexpr int kStateDisabled = 3;  // push buttons only

LONG_PTR ReadProp(HWND hwnd, const char* name);
void WriteProp(HWND hwnd, const char* name, LONG_PTR value);
void ClearProp(HWND hwnd, const char* name);

inline HDC GetSurfaceDc(HWND hwnd, int state) {
  return reinterpret_cast<HDC>(ReadProp(hwnd, kPropSurfaceDc[state]));
}
inline HBITMAP GetSurfaceBitmap(HWND hwnd, int state) {
  return reinterpret_cast<HBITMAP>(ReadProp(hwnd, kPropSurfaceBitmap[state]));
}

}  // namespace skin
