#include "FallbackFont.h"

bool CreateBoldArialFont(int height, CFont& font)
{
    return font.CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 32, L"Arial");
}
