#include "skin/draw/painters.h"

#include <commctrl.h>

#include "skin/draw/colors.h"
#include "skin/draw/dpi.h"
#include "skin/draw/gdi.h"
#include "skin/draw/images.h"
#include "skin/draw/primitives.h"
#include "skin/draw/part_sizes.h"
#include "skin/draw/properties.h"
#include "skin/draw/scaled_draw.h"

namespace skin {

namespace {

constexpr BYTE kFullOpacity = 255;  // constant alpha that replaces the picture

// The buffer holds all 256 characters that cchTextMax announces, on purpose:
// a buffer one shorter than announced lets the header write past its end.
constexpr int kHeaderTextCapacity = 256;

constexpr LRESULT kChecked = 1;        // BM_GETCHECK
constexpr LRESULT kIndeterminate = 2;  // BM_GETCHECK
constexpr LONG kDropDownStyleBit = 2;         // combo box with a drop-down button

int Half(int value) { return RoundHalfEven(value / 2.0); }

// The control's font; a control without one draws with the system font.
HGDIOBJ ControlFont(HWND hwnd) {
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  return font ? font : GetStockObject(SYSTEM_FONT);
}

bool SkipUnlessForced(HWND hwnd, int state, bool force) {
  if (ReadProp(hwnd, kPropOldState) == state && !force) return true;
  WriteProp(hwnd, kPropOldState, state);
  return false;
}

// Nine-grid draw of a whole cell into (x, y, w, h), opaque or keyed.
int DrawCell(HDC dst, int x, int y, int w, int h, HDC image, const ImageCell& cell,
             const CellMargins& m, std::optional<OLE_COLOR> key = std::nullopt) {
  return DrawSkinImage(dst, x, y, w, h, image, cell.X, cell.Y, cell.Width, cell.Height, m.Left,
                       m.Top, m.Right, m.Bottom, key);
}

// A disabled button records the disabled state, which it then shows.
bool ShowsEnabled(HWND hwnd) {
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  if (!enabled) WriteProp(hwnd, kPropOldState, kStateDisabled);
  return enabled;
}

// The surface of the recorded state onto the target at constant alpha. The
// state of a disabled button was just written, so it is not read back.
int ShowButtonState(HWND hwnd, HDC dc, BYTE alpha, bool enabled) {
  WindowSize size;
  GetWindowSize(hwnd, size);
  const LONG_PTR state = enabled ? ReadProp(hwnd, kPropOldState) : kStateDisabled;
  const HDC surface =
      (state >= 0 && state < kSurfaceCount) ? GetSurfaceDc(hwnd, static_cast<int>(state)) : nullptr;
  if (!surface) return 0;  // nothing to show, as a blend from no surface would show

  TargetDC target(hwnd, dc);
  // At full opacity the blend is a plain copy, and a copy is far cheaper.
  if (alpha == kFullOpacity) {
    BitBlt(target.get(), 0, 0, size.Width, size.Height, surface, 0, 0, SRCCOPY);
    return 0;
  }
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
  AlphaBlend(target.get(), 0, 0, size.Width, size.Height, surface, 0, 0, size.Width, size.Height,
             blend);
  return 0;
}

// The platform's own box lies in the column strip of the skinned box,
// centred by its own rounding, which may differ from the skin's by a row (more
// where it centres on the caption's line). Where the skinned box does not
// cover the strip, it gets the background the control paints itself with.
void FillWithBackground(HWND hwnd, HDC dc, const RECT& r) {
  if (r.bottom <= r.top || r.right <= r.left) return;
  const HWND parent = GetParent(hwnd);
  const WPARAM target = reinterpret_cast<WPARAM>(dc);
  const LPARAM control = reinterpret_cast<LPARAM>(hwnd);
  // The brush belongs to whoever answers; it is used, not freed.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC, target, control));
  if (!brush) {
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent, WM_CTLCOLORSTATIC, target, control));
  }
  if (brush) FillRect(dc, &r, brush);
}

}  // namespace

void RenderButtonSurfaces(HWND hwnd) {
  HDC surfaces[kSurfaceCount];
  for (int i = 0; i < kSurfaceCount; ++i) surfaces[i] = GetSurfaceDc(hwnd, i);
  RenderButtonSurfaces(hwnd, surfaces);
}

void RenderButtonSurfaces(HWND hwnd, const HDC (&surfaces)[kSurfaceCount]) {
  WindowSize size;
  GetWindowSize(hwnd, size);
  const int w = size.Width, h = size.Height;
  const std::wstring caption = GetWindowCaption(hwnd);
  const HDC image = CurrentSkinImages().Button.dc();
  const int dpi = WindowDpi(hwnd);
  const int inset = ButtonCaptionInset(dpi);
  // Asked once for all four looks: nothing between them can move the focus.
  const HGDIOBJ font = ControlFont(hwnd);
  const bool focused = GetFocus() == hwnd;

  for (int i = 0; i < kSurfaceCount; ++i) {
    const HDC surface = surfaces[i];
    // The font and background mode stay selected in the button's surface.
    SelectObject(surface, font);
    SetBkMode(surface, TRANSPARENT);
    DrawCellForDpi(surface, 0, 0, w, h, image, kButtonCell(i), kButtonMargins, std::nullopt, dpi);
    SetTextColor(surface, i == kStateDisabled ? kCaptionDisabled : kCaptionNormal);
    DrawCaptionText(surface, caption, inset, inset, w - 2 * inset, h - 2 * inset, kCaptionFormat);
    if (focused) DrawFocusFrame(surface, inset, inset, w - 2 * inset, h - 2 * inset);
  }
}

int BlendButtonFade(HWND hwnd, HDC dc) {
  return BlendButtonFadeAt(hwnd, dc, static_cast<BYTE>(ReadProp(hwnd, kPropAlphaLevel)));
}

int BlendButtonFadeAt(HWND hwnd, HDC dc, BYTE alpha) {
  const bool enabled = ShowsEnabled(hwnd);
  if (!SkinDrawsButton(ReadProp(hwnd, kPropOldStyle))) return 0;
  return ShowButtonState(hwnd, dc, alpha, enabled);
}

int BlendSkinDrawnButton(HWND hwnd, HDC dc, BYTE alpha) {
  return ShowButtonState(hwnd, dc, alpha, ShowsEnabled(hwnd));
}

int PaintCheckBox(HWND hwnd, int state, bool force) {
  if (SkipUnlessForced(hwnd, state, force)) return 0;

  const int dpi = WindowDpi(hwnd);
  const SIZE box = CheckBoxSize(dpi);
  const int cw = box.cx, ch = box.cy;
  WindowSize size;
  GetWindowSize(hwnd, size);
  const LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
  const SkinImages& images = CurrentSkinImages();

  Surface surface = CreateSurface(cw, ch);
  WindowDC window = WindowDC::Whole(hwnd);
  const HDC s = surface.dc();
  FillSolidRect(s, 0, 0, cw, ch, kWhite);

  // A disabled box shows no shading, whatever state it records.
  const bool enabled = IsWindowEnabled(hwnd);
  const COLORREF frame = !enabled ? kFrameDisabled
                         : state == kStatePressed ? kFramePressed
                                                  : kFrameEnabled;
  const int ring = FrameRingWidth(dpi);
  for (int i = 0; i < ring; ++i) FrameSolidRect(s, i, i, cw - 2 * i, ch - 2 * i, frame);
  if (enabled && (state == kStateHover || state == kStatePressed)) {
    const ImageCell& strip = state == kStateHover ? kCheckHoverStrip : kCheckPressedStrip;
    if (dpi == kBaseDpi) {
      StretchBlt(s, 1, 1, cw - 2, ch - 2, images.Option.dc(), strip.X, strip.Y, strip.Width,
                 strip.Height, SRCCOPY);
    } else {
      StretchCellSharp(s, ring, ring, cw - 2 * ring, ch - 2 * ring, images.Option.dc(), strip);
    }
  }

  const ImageCell* mark = nullptr;
  if (check == kChecked) mark = enabled ? &kMarkTickEnabled : &kMarkTickDisabled;
  if (check == kIndeterminate) mark = enabled ? &kMarkSquareEnabled : &kMarkSquareDisabled;
  if (mark) {
    const SIZE m = CellSizeForDpi(*mark, dpi);
    BlitKeyedForDpi(s, Half(cw - m.cx), Half(ch - m.cy), images.Mark.dc(), *mark, kKeyColor, dpi);
  }

  const int y0 = Half(size.Height - ch);
  FillWithBackground(hwnd, window.get(), RECT{0, 0, cw, y0});
  FillWithBackground(hwnd, window.get(), RECT{0, y0 + ch, cw, size.Height});
  BitBlt(window.get(), 0, y0, cw, ch, s, 0, 0, SRCCOPY);
  return 1;
}

// The circle's keyed corners let the control's background show: the strip of
// the box's columns is composed on that background off-screen, then copied in
// one transfer, so that neither the platform's circle nor a flicker shows.
int PaintOptionButton(HWND hwnd, int state, bool force) {
  if (SkipUnlessForced(hwnd, state, force)) return 0;

  const int dpi = WindowDpi(hwnd);
  WindowSize size;
  GetWindowSize(hwnd, size);
  const SIZE box = CheckBoxSize(dpi);
  const int cw = box.cx, ch = box.cy;
  const int y0 = Half(size.Height - ch);
  const bool checked = SendMessageA(hwnd, BM_GETCHECK, 0, 0) == kChecked;
  const SkinImages& images = CurrentSkinImages();

  Surface strip = CreateSurface(cw, size.Height);
  const HDC s = strip.dc();
  const bool enabled = IsWindowEnabled(hwnd);
  int circle = kOptionDisabledCell;
  if (enabled) circle = (state == kStateHover || state == kStatePressed) ? state : kStateNormal;
  FillWithBackground(hwnd, s, RECT{0, 0, cw, size.Height});
  DrawCellForDpi(s, 0, y0, cw, ch, images.Option.dc(), kOptionCell(circle), kOptionMargins,
                 kKeyColor, dpi);
  if (checked) {
    const ImageCell& dot = enabled ? kMarkDotEnabled : kMarkDotDisabled;
    const SIZE d = CellSizeForDpi(dot, dpi);
    // The offset is added before rounding.
    BlitKeyedForDpi(s, Half(cw - d.cx), RoundHalfEven((ch - d.cy) / 2.0 + y0), images.Mark.dc(),
                    dot, kKeyColor, dpi);
  }
  WindowDC window = WindowDC::Whole(hwnd);
  BitBlt(window.get(), 0, 0, cw, size.Height, s, 0, 0, SRCCOPY);
  return 1;
}

void PaintComboButton(HWND hwnd, HDC dc, int& state, bool force) {
  if (SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0)) state = kStatePressed;
  if (ReadProp(hwnd, kPropOldState) == state && !force) return;
  // The simple style has no drop-down button to draw.
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & kDropDownStyleBit)) return;
  WriteProp(hwnd, kPropOldState, state);

  const int dpi = WindowDpi(hwnd);
  WindowSize size;
  GetWindowSize(hwnd, size);
  const int bw = ComboButtonWidth(dpi);
  const int ring = FrameRingWidth(dpi);
  const int bh = size.Height - 2 * ring;
  const HDC image = CurrentSkinImages().ComboButton.dc();

  Surface surface = CreateSurface(bw, bh);
  const HDC s = surface.dc();
  if (state == kStateHover || state == kStatePressed) {
    DrawCellForDpi(s, 0, 0, bw, bh, image,
                   state == kStateHover ? kComboHoverFace : kComboPressedFace, kComboFaceMargins,
                   std::nullopt, dpi);
  } else {
    FillSolidRect(s, 0, 0, bw, bh, kWhite);
  }
  const ImageCell& arrow = IsWindowEnabled(hwnd) ? kComboArrowEnabled : kComboArrowDisabled;
  const SIZE a = CellSizeForDpi(arrow, dpi);
  BlitKeyedForDpi(s, Half(bw - a.cx), Half(bh - a.cy), image, arrow, kKeyColor, dpi);

  // Inside the control's frame ring on the top, right and bottom.
  TargetDC target(hwnd, dc);
  BitBlt(target.get(), size.Width - bw - ring, ring, bw, bh, s, 0, 0, SRCCOPY);
}

// The face and text are laid out over the header's full height, but only the
// item's own height is copied, from the top row down.
int PaintHeaderItem(HWND hwnd, HDC dc, int index, int state) {
  if (index < 0) return 0;

  WindowSize size;
  GetWindowSize(hwnd, size);
  const RECT item = GetHeaderItemRect(hwnd, index);
  const int iw = item.right - item.left;
  const int ih = item.bottom - item.top;
  const int h = size.Height;

  Surface surface = CreateSurface(iw, h);
  const HDC s = surface.dc();
  SelectObject(s, ControlFont(hwnd));
  SetBkMode(s, TRANSPARENT);
  const int face = (state == kStateHover || state == kStatePressed) ? state : kStateNormal;
  DrawCell(s, 0, 0, iw, h, CurrentSkinImages().Header.dc(), kHeaderCell(face), kHeaderMargins);
  const std::wstring text = GetHeaderItemText(hwnd, index);
  if (!text.empty()) DrawCaptionText(s, text, 0, 0, iw, h, kCaptionFormat);

  TargetDC target(hwnd, dc);
  BitBlt(target.get(), item.left, 0, iw, ih, s, 0, 0, SRCCOPY);
  return 0;
}

std::wstring GetHeaderItemText(HWND header, int index) {
  wchar_t buffer[kHeaderTextCapacity] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = buffer;
  item.cchTextMax = kHeaderTextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  std::wstring text;
  for (wchar_t c : buffer) {
    if (c != L'\0') text.push_back(c);
  }
  return text;
}

RECT GetHeaderItemRect(HWND header, int index) {
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

}  // namespace skin
