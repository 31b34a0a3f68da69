#include "skin/draw/scaled_draw.h"

#include "skin/draw/dpi.h"
#include "skin/draw/primitives.h"

namespace skin {

namespace {

// COLORONCOLOR drops or repeats whole pixels; the default mode would AND the
// pixels it merges when it shrinks.
void SharpStretch(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh) {
  SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY);
}

Surface ScaledCell(HDC image, const ImageCell& cell, SIZE size) {
  Surface scaled = CreateSurface(size.cx, size.cy);
  if (scaled) {
    SharpStretch(scaled.dc(), 0, 0, size.cx, size.cy, image, cell.X, cell.Y, cell.Width,
                 cell.Height);
  }
  return scaled;
}

// The nine-grid of a cell at (0, 0) of src, composed into t (w x h): corners
// kept, edges stretched along, centre both ways.
void ComposeNineGrid(HDC t, int w, int h, HDC src, SIZE cell, const CellMargins& m) {
  const int L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
  const int sw = cell.cx, sh = cell.cy;
  const int cw = w - L - R, ch = h - T - B, scw = sw - L - R, sch = sh - T - B;
  struct Piece {
    int x, y, w, h, sx, sy, sw, sh;
  };
  const Piece pieces[] = {
      {0, 0, L, T, 0, 0, L, T},                             // corners
      {w - R, 0, R, T, sw - R, 0, R, T},
      {0, h - B, L, B, 0, sh - B, L, B},
      {w - R, h - B, R, B, sw - R, sh - B, R, B},
      {0, T, L, ch, 0, T, L, sch},                          // edges
      {w - R, T, R, ch, sw - R, T, R, sch},
      {L, 0, cw, T, L, 0, scw, T},
      {L, h - B, cw, B, L, sh - B, scw, B},
      {L, T, cw, ch, L, T, scw, sch},                       // centre
  };
  for (const Piece& p : pieces) {
    if (p.w > 0 && p.h > 0 && p.sw > 0 && p.sh > 0)
      SharpStretch(t, p.x, p.y, p.w, p.h, src, p.sx, p.sy, p.sw, p.sh);
  }
}

}  // namespace

SIZE CellSizeForDpi(const ImageCell& cell, int dpi) {
  return SIZE{ScaleForDpi(cell.Width, dpi), ScaleForDpi(cell.Height, dpi)};
}

int DrawCellForDpi(HDC dst, int x, int y, int w, int h, HDC image, const ImageCell& cell,
                   const CellMargins& m, std::optional<OLE_COLOR> key, int dpi) {
  if (dpi == kBaseDpi) {
    return DrawSkinImage(dst, x, y, w, h, image, cell.X, cell.Y, cell.Width, cell.Height, m.Left,
                         m.Top, m.Right, m.Bottom, key);
  }
  if (w <= 0 || h <= 0 || !image) return 0;
  const SIZE size = CellSizeForDpi(cell, dpi);
  const Surface scaled = ScaledCell(image, cell, size);
  Surface tmp = CreateSurface(w, h);
  if (!scaled || !tmp) return 0;
  const CellMargins margins{ScaleForDpi(m.Left, dpi), ScaleForDpi(m.Top, dpi),
                            ScaleForDpi(m.Right, dpi), ScaleForDpi(m.Bottom, dpi)};
  ComposeNineGrid(tmp.dc(), w, h, scaled.dc(), size, margins);
  if (!key) return BitBlt(dst, x, y, w, h, tmp.dc(), 0, 0, SRCCOPY);
  TransparentBlit(dst, x, y, w, h, tmp.dc(), 0, 0, *key, nullptr);
  return 1;
}

void BlitKeyedForDpi(HDC dst, int x, int y, HDC image, const ImageCell& cell, OLE_COLOR key,
                     int dpi) {
  if (dpi == kBaseDpi) {
    TransparentBlit(dst, x, y, cell.Width, cell.Height, image, cell.X, cell.Y, key);
    return;
  }
  if (!image) return;
  const SIZE size = CellSizeForDpi(cell, dpi);
  const Surface scaled = ScaledCell(image, cell, size);
  if (scaled) TransparentBlit(dst, x, y, size.cx, size.cy, scaled.dc(), 0, 0, key);
}

void StretchCellSharp(HDC dst, int x, int y, int w, int h, HDC image, const ImageCell& cell) {
  SharpStretch(dst, x, y, w, h, image, cell.X, cell.Y, cell.Width, cell.Height);
}

}  // namespace skin
