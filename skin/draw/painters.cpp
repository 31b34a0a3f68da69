#include "skin/draw/painters.h"

#include <commctrl.h>

#include "skin/draw/colors.h"
#include "skin/draw/gdi.h"
#include "skin/draw/images.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"

namespace skin {

namespace {

// ButtonImage: the face of state i is the 7 x 21 cell at (0, 21 * i); its
// 3-pixel rim (rounded corners) is never stretched.
constexpr int kButtonFaceWidth = 7;
constexpr int kButtonFaceHeight = 21;
constexpr int kButtonFaceMargin = 3;
constexpr int kButtonCaptionInset = 2;  // caption and focus frame, from each side

// OptionImage: 11 x 5 shading strips of the check box, and the 13 x 13 circles.
constexpr int kShadeX = 1;
constexpr int kShadeHoverY = 17;
constexpr int kShadePressedY = 30;
constexpr int kShadeWidth = 11;
constexpr int kShadeHeight = 5;
constexpr int kCircleSize = 13;
constexpr int kCircleMargin = 5;
constexpr int kCircleNormalY = 0;
constexpr int kCircleHoverY = 13;
constexpr int kCirclePressedY = 26;
constexpr int kCircleDisabledY = 39;

// MarkImage: enabled marks on the left, disabled ones 9 pixels to the right.
constexpr int kMarkDisabledShift = 9;
constexpr int kTickX = 0, kTickY = 0, kTickWidth = 9, kTickHeight = 8;
constexpr int kSquareX = 1, kSquareY = 9, kSquareSize = 7;
constexpr int kDotX = 2, kDotY = 18, kDotSize = 5;

// ComboButtonImage: 4 x 18 faces (hover, pressed) and 7 x 4 arrows.
constexpr int kComboFaceHoverX = 0;
constexpr int kComboFacePressedX = 4;
constexpr int kComboFaceWidth = 4;
constexpr int kComboFaceHeight = 18;
constexpr int kComboFaceMarginLeft = 2;
constexpr int kComboFaceMargin = 1;  // top, right and bottom
constexpr int kArrowX = 8, kArrowY = 0, kArrowDisabledY = 4, kArrowWidth = 7, kArrowHeight = 4;

// HeaderImage: 3 x 20 item faces side by side (normal, hover, pressed).
constexpr int kHeaderFaceNormalX = 0;
constexpr int kHeaderFaceHoverX = 3;
constexpr int kHeaderFacePressedX = 6;
constexpr int kHeaderFaceWidth = 3;
constexpr int kHeaderFaceHeight = 20;
constexpr int kHeaderFaceMargin = 1;

// Room for the whole text that HDM_GETITEMA may copy (cchTextMax characters).
constexpr int kHeaderTextCapacity = 256;

constexpr LRESULT kChecked = 1;        // BM_GETCHECK
constexpr LRESULT kIndeterminate = 2;  // BM_GETCHECK
constexpr LONG_PTR kOwnDrawingStyleBits = 6;  // button types that keep their own drawing
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

}  // namespace

void RenderButtonSurfaces(HWND hwnd) {
  WindowSize size;
  GetWindowSize(hwnd, size);
  const int w = size.Width, h = size.Height;
  const std::string caption = GetWindowCaption(hwnd);
  const HDC image = CurrentSkinImages().Button.dc();

  for (int i = 0; i < kSurfaceCount; ++i) {
    const HDC surface = GetSurfaceDc(hwnd, i);
    // The font and background mode stay selected in the button's surface.
    SelectObject(surface, ControlFont(hwnd));
    SetBkMode(surface, TRANSPARENT);
    DrawSkinImage(surface, 0, 0, w, h, image, 0, kButtonFaceHeight * i, kButtonFaceWidth,
                  kButtonFaceHeight, kButtonFaceMargin, kButtonFaceMargin, kButtonFaceMargin,
                  kButtonFaceMargin);
    SetTextColor(surface, i == kStateDisabled ? kCaptionDisabled : kCaptionNormal);
    const int inset = kButtonCaptionInset;
    DrawCaptionText(surface, caption, inset, inset, w - 2 * inset, h - 2 * inset, kCaptionFormat);
    if (GetFocus() == hwnd) DrawFocusFrame(surface, inset, inset, w - 2 * inset, h - 2 * inset);
  }
}

int BlendButtonFade(HWND hwnd, HDC dc) {
  if (!IsWindowEnabled(hwnd)) WriteProp(hwnd, kPropOldState, kStateDisabled);
  if (ReadProp(hwnd, kPropOldStyle) & kOwnDrawingStyleBits) return 0;

  WindowSize size;
  GetWindowSize(hwnd, size);
  const LONG_PTR state = ReadProp(hwnd, kPropOldState);
  const BYTE alpha = static_cast<BYTE>(ReadProp(hwnd, kPropAlphaLevel));
  const HDC surface =
      (state >= 0 && state < kSurfaceCount) ? GetSurfaceDc(hwnd, static_cast<int>(state)) : nullptr;

  TargetDC target(hwnd, dc);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
  AlphaBlend(target.get(), 0, 0, size.Width, size.Height, surface, 0, 0, size.Width, size.Height,
             blend);
  return 0;
}

int PaintCheckBox(HWND hwnd, int state, bool force) {
  if (SkipUnlessForced(hwnd, state, force)) return 0;

  const int cw = GetSystemMetrics(SM_CXMENUCHECK);
  const int ch = GetSystemMetrics(SM_CYMENUCHECK);
  WindowSize size;
  GetWindowSize(hwnd, size);
  const LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
  const SkinImages& images = CurrentSkinImages();

  Surface surface = CreateSurface(cw, ch);
  WindowDC window = WindowDC::Whole(hwnd);
  const HDC s = surface.dc();
  FillSolidRect(s, 0, 0, cw, ch, kWhite);

  const bool enabled = IsWindowEnabled(hwnd);
  if (enabled) {
    FrameSolidRect(s, 0, 0, cw, ch, state == kStatePressed ? kFramePressed : kFrameEnabled);
    if (state == kStateHover || state == kStatePressed) {
      const int shadeY = state == kStateHover ? kShadeHoverY : kShadePressedY;
      StretchBlt(s, 1, 1, cw - 2, ch - 2, images.Option.dc(), kShadeX, shadeY, kShadeWidth,
                 kShadeHeight, SRCCOPY);
    }
  } else {
    FrameSolidRect(s, 0, 0, cw, ch, kFrameDisabled);
  }

  const int shift = enabled ? 0 : kMarkDisabledShift;
  if (check == kChecked) {
    TransparentBlit(s, Half(cw - kTickWidth), Half(ch - kTickHeight), kTickWidth, kTickHeight,
                    images.Mark.dc(), kTickX + shift, kTickY, kKeyColor);
  } else if (check == kIndeterminate) {
    TransparentBlit(s, Half(cw - kSquareSize), Half(ch - kSquareSize), kSquareSize, kSquareSize,
                    images.Mark.dc(), kSquareX + shift, kSquareY, kKeyColor);
  }

  BitBlt(window.get(), 0, Half(size.Height - ch), cw, ch, s, 0, 0, SRCCOPY);
  return 1;
}

// Drawn straight onto the window: the circle's keyed corners let the
// control's own background show.
int PaintOptionButton(HWND hwnd, int state, bool force) {
  if (SkipUnlessForced(hwnd, state, force)) return 0;

  WindowSize size;
  GetWindowSize(hwnd, size);
  const int cw = GetSystemMetrics(SM_CXMENUCHECK);
  const int ch = GetSystemMetrics(SM_CYMENUCHECK);
  const int y0 = Half(size.Height - ch);
  const bool checked = SendMessageA(hwnd, BM_GETCHECK, 0, 0) == kChecked;
  const SkinImages& images = CurrentSkinImages();

  WindowDC window = WindowDC::Whole(hwnd);
  const bool enabled = IsWindowEnabled(hwnd);
  int circleY = kCircleDisabledY;
  if (enabled) {
    circleY = state == kStateHover     ? kCircleHoverY
              : state == kStatePressed ? kCirclePressedY
                                       : kCircleNormalY;
  }
  DrawSkinImage(window.get(), 0, y0, cw, ch, images.Option.dc(), 0, circleY, kCircleSize,
                kCircleSize, kCircleMargin, kCircleMargin, kCircleMargin, kCircleMargin, kKeyColor);
  if (checked) {
    // The offset is added before rounding.
    const int dotX = Half(cw - kDotSize);
    const int dotY = RoundHalfEven((ch - kDotSize) / 2.0 + y0);
    TransparentBlit(window.get(), dotX, dotY, kDotSize, kDotSize, images.Mark.dc(),
                    kDotX + (enabled ? 0 : kMarkDisabledShift), kDotY, kKeyColor);
  }
  return 1;
}

void PaintComboButton(HWND hwnd, HDC dc, int& state, bool force) {
  if (SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0)) state = kStatePressed;
  if (ReadProp(hwnd, kPropOldState) == state && !force) return;
  // The simple style has no drop-down button to draw.
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & kDropDownStyleBit)) return;
  WriteProp(hwnd, kPropOldState, state);

  WindowSize size;
  GetWindowSize(hwnd, size);
  const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
  const int bh = size.Height - 2;
  const SkinImages& images = CurrentSkinImages();

  Surface surface = CreateSurface(bw, bh);
  const HDC s = surface.dc();
  if (state == kStateHover || state == kStatePressed) {
    const int faceX = state == kStateHover ? kComboFaceHoverX : kComboFacePressedX;
    DrawSkinImage(s, 0, 0, bw, bh, images.ComboButton.dc(), faceX, 0, kComboFaceWidth,
                  kComboFaceHeight, kComboFaceMarginLeft, kComboFaceMargin, kComboFaceMargin,
                  kComboFaceMargin);
  } else {
    FillSolidRect(s, 0, 0, bw, bh, kWhite);
  }
  const int arrowY = IsWindowEnabled(hwnd) ? kArrowY : kArrowDisabledY;
  TransparentBlit(s, Half(bw - kArrowWidth), Half(bh - kArrowHeight), kArrowWidth, kArrowHeight,
                  images.ComboButton.dc(), kArrowX, arrowY, kKeyColor);

  // Inside the control's 1-pixel border on the top, right and bottom.
  TargetDC target(hwnd, dc);
  BitBlt(target.get(), size.Width - bw - 1, 1, bw, bh, s, 0, 0, SRCCOPY);
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
  const int faceX = state == kStateHover     ? kHeaderFaceHoverX
                    : state == kStatePressed ? kHeaderFacePressedX
                                             : kHeaderFaceNormalX;
  DrawSkinImage(s, 0, 0, iw, h, CurrentSkinImages().Header.dc(), faceX, 0, kHeaderFaceWidth,
                kHeaderFaceHeight, kHeaderFaceMargin, kHeaderFaceMargin, kHeaderFaceMargin,
                kHeaderFaceMargin);
  const std::string text = GetHeaderItemText(hwnd, index);
  if (!text.empty()) DrawCaptionText(s, text, 0, 0, iw, h, kCaptionFormat);

  TargetDC target(hwnd, dc);
  BitBlt(target.get(), item.left, 0, iw, ih, s, 0, 0, SRCCOPY);
  return 0;
}

std::string GetHeaderItemText(HWND header, int index) {
  char buffer[kHeaderTextCapacity] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = buffer;
  item.cchTextMax = kHeaderTextCapacity;
  SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  std::string text;
  for (char c : buffer) {
    if (c != '\0') text.push_back(c);
  }
  return text;
}

RECT GetHeaderItemRect(HWND header, int index) {
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

}  // namespace skin
