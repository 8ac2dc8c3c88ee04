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

// The thumb's top for the owner's scroll information; false when the
// position lies past the range (the thumb stays where it is). A range of
// exactly one page puts the thumb at the track top.
bool ThumbTopForScroll(const ScrollBarParts& parts, const ScrollBarLayout& layout, const SCROLLINFO& si,
                       int& thumbTop);

// The scroll position a dragged thumb at thumbTop stands for, limited to the
// distance d = nMax - nPage; false when there is nothing to scroll to (d of
// 0 or -1, or a track of no length).
bool DragPosition(const ScrollBarLayout& layout, int thumbTop, int distance, int& position);

enum class ScrollClick { None, LineUp, LineDown, PageUp, PageDown };

// What a button release asks for, given where the press began.
ScrollClick ClickAction(const ScrollBarParts& parts, const ScrollBarLayout& layout, int thumbTop, const RECT& client,
                        POINT releasedAt, bool upPressed, bool downPressed);
