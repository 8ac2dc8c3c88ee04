// The bold "Arial" that widgets draw with when the skin gives them no font.
#pragma once
#include "Gdi.h"

// CreateFontW(height, 0, 0, 0, 700, no italic/underline/strike-out, charset 0,
// default precision and quality, pitch and family 32, "Arial"), attached to
// font. False when the font could not be made (or font already holds one).
bool CreateBoldArialFont(int height, CFont& font);
