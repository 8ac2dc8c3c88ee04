#include "LightingRules.h"

#include <algorithm>
#include <cwctype>

#include "LangFormat.h"
#include "LangTable.h"

namespace {

constexpr int kThresholds[4] = {15, 46, 82, 100};

CString FormatNumber(const wchar_t* key, const wchar_t* english, int value)
{
    CString text;
    text.Format(TranslatedFormat(key, english), value);
    return text;
}

// Leading decimal digits; anything else (or an overflow) counts as 0.
unsigned PartNumber(const CString& part)
{
    unsigned long long n = 0;
    const wchar_t* p = part;
    if (!std::iswdigit(*p))
        return 0;
    for (; std::iswdigit(*p); ++p) {
        n = n * 10 + (unsigned)(*p - L'0');
        if (n > 0xFFFF)
            return 0;
    }
    return (unsigned)n;
}

}  // namespace

int LevelIndex(long long value)
{
    for (int i = 0; i < 4; ++i)
        if (kThresholds[i] >= value)
            return i;
    return 3;
}

int LevelValue(int levelIndex)
{
    static const int values[4] = {0, 20, 50, 100};
    return values[std::clamp(levelIndex, 0, 3)];
}

const wchar_t* LevelWordKey(int levelIndex)
{
    static const wchar_t* const keys[4] = {L"$Off", L"$Dim", L"$Normal", L"$Bright"};
    return keys[std::clamp(levelIndex, 0, 3)];
}

int SnapLedSlider(long long value)
{
    return value >= 83 ? 100 : value >= 47 ? 62 : value < 16 ? 0 : 29;
}

int SnapReducedSlider(long long value)
{
    return value >= 83 ? 100 : value >= 47 ? 62 : value < 16 ? 0 : 30;
}

int RoundFlashWarning(long long value)
{
    long long v = std::clamp<long long>(value, kFlashSliderMin, kFlashSliderMax);
    v = (v + 2) / 5 * 5;
    return (int)std::clamp<long long>(v, kFlashSliderMin, kFlashSliderMax);
}

int SleepMinutes(unsigned long long seconds)
{
    return (int)std::clamp<unsigned long long>(seconds / 60, kSleepSliderMin, kSleepSliderMax);
}

int BatteryLifeHours(int levelIndex, int reportRateIndex)
{
    static const double factors[4] = {0.0, 0.33, 0.66, 1.0};
    const double base = reportRateIndex == 0 ? 69.3 : reportRateIndex == 1 ? 83.3 : 87.8;
    return (int)(1000.0 / (factors[std::clamp(levelIndex, 0, 3)] * 45.0 + base));
}

CString ReducedBrightnessText(int levelIndex)
{
    const CString word = TranslateText(LevelWordKey(levelIndex));
    CString text;
    text.Format(TranslatedFormat(L"$Reducelightbrightnessto??", L"Reduce light brightness to %s"),
                word.GetString());
    return text;
}

CString SleepText(int minutes)
{
    if (minutes < 2)
        return FormatNumber(L"$Entersleepmodeafteridlefor??min", L"Enter sleep mode after idle for %i min", minutes);
    return FormatNumber(L"$Entersleepmodeafteridlefor??mins", L"Enter sleep mode after idle for %i mins", minutes);
}

CString FlashWarningText(int percent)
{
    return FormatNumber(L"$Flashscrollwheellightwhenbatterylevelfallsbelow??",
                        L"Flash scrollwheel light when battery level falls below %i%%", percent);
}

CString BatteryLifeText(int hours)
{
    if (hours < 2)
        return FormatNumber(L"$Estimatedbatterylife:Upto??hour", L"Estimated battery life : Up to %i hour", hours);
    return FormatNumber(L"$Estimatedbatterylife:Upto??hours", L"Estimated battery life : Up to %i hours", hours);
}

CString VersionText(const CString& label, const CString& majorPart, const CString& minorPart)
{
    CString text;
    text.Format(L"%s: %u.%02u", label.GetString(), PartNumber(majorPart), PartNumber(minorPart));
    return text;
}
