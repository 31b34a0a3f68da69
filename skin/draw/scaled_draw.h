// The skin images' cells drawn for a DPI. A cell is first enlarged by
// DPI / 96 without blending any two pixels (whole factors replicate each
// pixel, other factors take the nearest one), so every edge stays sharp and a
// key pixel stays exactly the key colour, which the keyed transfer then
// leaves out. At 96 dpi these are exactly the 96-dpi draws.
#pragma once
#include <windows.h>
#include <olectl.h>

#include <optional>

#include "skin/draw/images.h"

namespace skin {

// The cell's size, or a length of it, at dpi.
SIZE CellSizeForDpi(const ImageCell& cell, int dpi);

// DrawSkinImage of a whole cell into (x, y, w, h), margins scaled like the cell.
int DrawCellForDpi(HDC dst, int x, int y, int w, int h, HDC image, const ImageCell& cell,
                   const CellMargins& margins, std::optional<OLE_COLOR> key, int dpi);

// The cell at its size for dpi, copied keyed to (x, y).
void BlitKeyedForDpi(HDC dst, int x, int y, HDC image, const ImageCell& cell, OLE_COLOR key,
                     int dpi);

// The cell stretched opaque over (x, y, w, h), nearest pixel only.
void StretchCellSharp(HDC dst, int x, int y, int w, int h, HDC image, const ImageCell& cell);

}  // namespace skin
