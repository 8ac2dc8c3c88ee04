// What the lighting and power page does with its values, without any
// window: the four brightness levels and where the sliders snap, the
// flash-warning steps, the page's texts and the battery-life estimate.
#pragma once
#include "String.h"

// Slider ranges of the page.
constexpr int kLedSliderMin = 1, kLedSliderMax = 100;
constexpr int kReducedSliderMin = 1, kReducedSliderMax = 100;
constexpr int kSleepSliderMin = 1, kSleepSliderMax = 15;  // minutes
constexpr int kFlashSliderMin = 5, kFlashSliderMax = 25;  // percent

// The level (0 off, 1 dim, 2 normal, 3 bright) of a brightness value: the
// first of the thresholds 15, 46, 82, 100 that is at least the value (3
// above 100).
int LevelIndex(long long value);
// The brightness stored for a level: 0, 20, 50, 100.
int LevelValue(int levelIndex);
// "$Off", "$Dim", "$Normal", "$Bright".
const wchar_t* LevelWordKey(int levelIndex);

// Where a released thumb (or a stored value) sits on the scroll-wheel light
// slider (0, 29, 62, 100) and on the reduced-brightness slider (0, 30, 62,
// 100).
int SnapLedSlider(long long value);
int SnapReducedSlider(long long value);
// The flash-warning percent on the nearest multiple of 5, within 5..25.
int RoundFlashWarning(long long value);
// Whole minutes of an idle-to-sleep time, within the sleep slider's range.
int SleepMinutes(unsigned long long seconds);

// Hours of battery life for a reduced-brightness level and a report-rate
// index (0, 1, other).
int BatteryLifeHours(int levelIndex, int reportRateIndex);

// The page's texts in the current language (English when the language
// lacks the text or its text does not fit the value).
CString ReducedBrightnessText(int levelIndex);
CString SleepText(int minutes);
CString FlashWarningText(int percent);
CString BatteryLifeText(int hours);
// The program version after its label: "label: major.minor", the minor
// number in two digits. Parts that are not numbers count as 0.
CString VersionText(const CString& label, const CString& majorPart, const CString& minorPart);
