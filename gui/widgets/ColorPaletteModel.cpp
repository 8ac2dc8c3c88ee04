#include "ColorPaletteModel.h"

const COLORREF kPaletteColours[kPaletteCellCount] = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
    0xE0E0E0, 0x8080FF, 0x80E0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF,
    0xC0C0C0, 0x0000FF, 0x00C0FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xB469FF,
    0x808080, 0x0000C0, 0x0080FF, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,
    0x404040, 0x000080, 0x004080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0x000000, 0x000040, 0x404080, 0x004040, 0x004000, 0x404000, 0x400000, 0x400040,
};

PaletteLayout ComputePaletteLayout(const RECT& client, bool customShown, int margin)
{
    PaletteLayout l;
    l.content = {client.left + margin, client.top + margin, client.right - margin, client.bottom - margin};
    RECT cellArea = l.content;
    if (customShown) {
        l.custom = {l.content.left, l.content.bottom - 25, l.content.right, l.content.bottom};
        cellArea.bottom = l.content.bottom - 24;
    }
    const long width = cellArea.right - cellArea.left;
    const long height = cellArea.bottom - cellArea.top;
    // Edges by integer division so the cells tile the area without gaps.
    for (int k = 0; k < kPaletteCellCount; ++k) {
        const int r = k / kPaletteColumns, c = k % kPaletteColumns;
        RECT& cell = l.cells[k];
        cell.left = cellArea.left + (LONG)(c * width / kPaletteColumns);
        cell.right = cellArea.left + (LONG)((c + 1) * width / kPaletteColumns);
        cell.top = cellArea.top + (LONG)(r * height / kPaletteRows);
        cell.bottom = cellArea.top + (LONG)((r + 1) * height / kPaletteRows);
    }
    return l;
}

int PaletteCellOfColour(COLORREF colour)
{
    for (int k = 0; k < kPaletteCellCount; ++k)
        if (kPaletteColours[k] == colour) return k;
    return -1;
}

int PaletteCellAt(const PaletteLayout& layout, POINT p)
{
    for (int k = 0; k < kPaletteCellCount; ++k)
        if (::PtInRect(&layout.cells[k], p)) return k;
    return -1;
}

int PaletteNavigate(int current, UINT virtualKey)
{
    if (current < 0 || current >= kPaletteCellCount) current = 0;
    int r = current / kPaletteColumns, c = current % kPaletteColumns;
    switch (virtualKey) {
    case VK_LEFT:
        if (current == 0) return 0;  // the first cell stays
        return current - 1;          // column 0 wraps to the row above's end
    case VK_RIGHT:
        return (current + 1) % kPaletteCellCount;
    case VK_UP:
        r = (r == 0) ? kPaletteRows - 1 : r - 1;
        return r * kPaletteColumns + c;
    case VK_DOWN:
        r = (r == kPaletteRows - 1) ? 0 : r + 1;
        return r * kPaletteColumns + c;
    default:
        return -1;
    }
}

bool PaletteOutcomeLatch::Report(Outcome o)
{
    if (m_reported) return false;
    m_reported = true;
    m_outcome = o;
    return true;
}
