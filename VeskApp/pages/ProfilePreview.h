// What the preview popup shows for one profile, worked out without a
// window: each control's function text, the thumb grid in both layouts, the
// lights in words and the stages.
#pragma once
#include <functional>

#include "AssignmentRecord.h"
#include "MouseConfigInterface.h"
#include "PreviewPopup.h"

// The text a control's record shows (its function, with key or name).
using AssignmentDescriber = std::function<CString(const AssignmentRecord&)>;

// The device buttons behind TEXT_PREVIEW_01..07, in that order.
extern const int kPreviewButtons[PreviewContent::kButtons];

// "$Off" (0), "$Dim" (up to 33), "$Normal" (below 67) or "$Bright".
const wchar_t* BrightnessKey(uint32_t level);

// A control's function as the assignment pages show it: the function's
// text, then its key, macro or profile after " : ".
CString PreviewAssignmentText(IMouseConfig& config, const AssignmentRecord& record);

PreviewContent BuildProfilePreview(IMouseConfig& config, IMouseProfile* profile, int modelFlag,
                                   const AssignmentDescriber& describe);
