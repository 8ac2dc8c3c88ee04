// The colour palette's content and geometry without a window: the 48-colour
// table, the layout of the cells and the "$Custom" button inside a client
// rectangle, keyboard navigation between cells, and the rule that a palette
// reports exactly one outcome.
#pragma once
#include <windows.h>

constexpr int kPaletteRows = 6;
constexpr int kPaletteColumns = 8;
constexpr int kPaletteCellCount = kPaletteRows * kPaletteColumns;

// Row-major, row 0 at the top, COLORREF (0x00BBGGRR).
extern const COLORREF kPaletteColours[kPaletteCellCount];

struct PaletteLayout {
    RECT content{};                   // client rectangle less the margin
    RECT custom{};                    // the "$Custom" button (empty when hidden)
    RECT cells[kPaletteCellCount]{};  // row-major like the table
};

// margin 4 and a 25-pixel custom button as the palette uses them.
PaletteLayout ComputePaletteLayout(const RECT& client, bool customShown, int margin = 4);

// How a chosen colour is drawn: exact magenta is the main window's colour
// key and would show as a hole, so it is drawn one step darker. Only the
// picture changes; the colour itself is what is kept and sent.
constexpr COLORREF ShownColour(COLORREF colour) { return colour == RGB(255, 0, 255) ? RGB(254, 0, 254) : colour; }

// Index of the first cell showing colour, -1 when no cell does.
int PaletteCellOfColour(COLORREF colour);
// Index of the first cell whose rectangle holds the point, -1 when none.
int PaletteCellAt(const PaletteLayout& layout, POINT p);

// The cell an arrow key moves to from `current` (a colour not in the table
// starts from cell 0). Returns -1 for keys that are not arrows.
int PaletteNavigate(int current, UINT virtualKey);

// The outcomes a palette reports to its owner. A palette hides itself after
// reporting, and hiding a pop-up deactivates it; deactivation by itself
// chooses the current colour (a click outside). Once any outcome was reported
// the deactivation must not report a second one: a pending custom request
// would otherwise be overtaken by a choice while the colour dialog is open.
class PaletteOutcomeLatch {
public:
    enum Outcome { Choice, Cancel, Custom };
    // Records an outcome; false when one was reported already.
    bool Report(Outcome o);
    // True when a deactivation should choose the current colour.
    bool DeactivationChooses() const { return !m_reported; }
    bool CustomPending() const { return m_reported && m_outcome == Custom; }
    void Reset() { m_reported = false; }

private:
    bool m_reported = false;
    Outcome m_outcome = Choice;
};
