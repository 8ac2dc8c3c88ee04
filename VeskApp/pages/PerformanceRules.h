// What the performance page does to the active profile and the device-wide
// values, without any window: the sliders' units (sensitivity sliders count
// in steps of the sensitivity range, the acceleration slider in the
// configuration's own range), the X/Y switch, and the stages handed to the
// stages popup and taken back from it.
#pragma once
#include "DpiStagesModel.h"
#include "MouseConfigInterface.h"
#include "String.h"

struct SliderSpan {
    int min = 0;
    int max = 0;
};

// The sensitivity step of the active profile; 1 when the range has none.
int SensitivityStep(const IMouseConfig& config);
// The sensitivity sliders run from minimum / step to maximum / step.
SliderSpan SensitivitySliderSpan(const IMouseConfig& config);
// A sensitivity slider's value as a sensitivity, kept inside the range.
int SliderToSensitivity(const IMouseConfig& config, int sliderValue);
// A sensitivity as a slider value, kept inside the slider's span.
int SensitivityToSlider(const IMouseConfig& config, int sensitivity);
SliderSpan AccelerationSliderSpan(const IMouseConfig& config);

// Separate X/Y sensitivity switched to `on` for the active profile. When
// that is a change, switching on gives X and Y the single value, switching
// off gives the single value X's. Returns whether it changed.
bool ChangeXYSeparate(IMouseConfig& config, bool on);

// The report rates the page has buttons for (at most three).
int OfferedReportRates(const IMouseConfig& config);
// A report-rate button's caption: the rate and the unit the skin gave it.
CString ReportRateCaption(int rate, const CString& unit);

// The stages of the active profile as the stages popup edits them: one
// entry per stage the profile holds, the count kept within 1..entries and
// the current stage within 1..count (an unset current stage reads as 0).
DpiStagesModel BuildStagesModel(const IMouseConfig& config);
// Stores what the popup left in the model; the current stage's values also
// become the profile's sensitivity and X/Y flag.
void StoreStagesModel(IMouseConfig& config, const DpiStagesModel& model);
