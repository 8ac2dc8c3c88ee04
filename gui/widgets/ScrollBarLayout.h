// The arithmetic of the bitmap scroll bar: where the arrows, track and thumb
// lie, where the owner's scroll position puts the thumb, which position a
// dragged thumb stands for, and what a click asks for.
#pragma once
#include <windows.h>

struct ScrollBarParts {
    int width = 0;
    int topEndHeight = 0;
    int bottomEndHeight = 0;
    int upArrowHeight = 0;
    int downArrowHeight = 0;
    int thumbHeight = 0;
};

struct ScrollBarLayout {
    int trackTop = 0;
    int trackBottom = 0;  // the down arrow's top
    RECT upArrow{};
    RECT downArrow{};
    float trackLength = 0;
    int halfThumb = 0;
};

// False when the client height leaves no room for the thumb.
bool ComputeScrollBarLayout(const ScrollBarParts& parts, int clientHeight, int top, ScrollBarLayout& out);

// Keeps the thumb within [trackTop, trackBottom - thumb height].
int ClampThumbTop(const ScrollBarParts& parts, const ScrollBarLayout& layout, int thumbTop);

// The owner's range in the system's convention: nMin..nMax are its rows,
// nPage of them in view, so the top row goes from nMin up to
// nMax - nPage + 1, where the last row is in view. A page of 0 (a list that
// has not measured itself yet) still shows a row.
int LastTopRow(const SCROLLINFO& si);
// How many rows the owner can scroll by: 0 when every row fits.
int ScrollDistance(const SCROLLINFO& si);

// The thumb's top for the owner's scroll information; false when the
// position lies past the range (the thumb stays where it is). A list that
// fits its page puts the thumb at the track top.
bool ThumbTopForScroll(const ScrollBarParts& parts, const ScrollBarLayout& layout, const SCROLLINFO& si,
                       int& thumbTop);

// The scroll position (0..distance, from ScrollDistance) a dragged thumb at
// thumbTop stands for: the track top is the first row, the track's end the
// last; false when there is nothing to scroll or the track has no length.
bool DragPosition(const ScrollBarLayout& layout, int thumbTop, int distance, int& position);

// A page down near the end jumps to the last page instead: true, with the
// position to jump to, when one more page would reach or pass it.
bool PageDownJumps(const SCROLLINFO& si, int& target);

enum class ScrollClick { None, LineUp, LineDown, PageUp, PageDown };

// What a button release asks for, given where the press began.
ScrollClick ClickAction(const ScrollBarParts& parts, const ScrollBarLayout& layout, int thumbTop, const RECT& client,
                        POINT releasedAt, bool upPressed, bool downPressed);
