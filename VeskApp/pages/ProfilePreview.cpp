#include "ProfilePreview.h"

#include "AssignmentRules.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "ModelFlags.h"
#include "ThumbKeyDefaults.h"

#include <algorithm>

// Left, right and middle button, back and forward, wheel left and right.
const int kPreviewButtons[PreviewContent::kButtons] = {1, 2, 3, 4, 5, 12, 13};

namespace {

constexpr int kFirstThumbButton = 14;
constexpr int kLogoZone = 3;
constexpr int kWheelZone = 0;
constexpr int kSpectrumEffect = 5;

// The language's text of a key, the English one when it has none.
CString Text(const wchar_t* key, const wchar_t* fallback)
{
    CString t = TranslateText(key);
    return t.IsEmpty() || t == key ? CString(fallback) : t;
}

CString Joined(const CString& label, const CString& value)
{
    CString s;
    s.Format(L"%s : %s", label.GetString(), value.GetString());
    return s;
}

}  // namespace

const wchar_t* BrightnessKey(uint32_t level)
{
    if (level == 0) return L"$Off";
    if (level <= 33) return L"$Dim";
    if (level < 67) return L"$Normal";
    return L"$Bright";
}

PreviewContent BuildProfilePreview(IMouseConfig& config, IMouseProfile* profile, int modelFlag,
                                   const AssignmentDescriber& describe)
{
    PreviewContent c;
    if (!profile) return c;
    for (int i = 0; i < PreviewContent::kButtons; ++i) {
        AssignmentRecord r = AssignmentRecord::Empty();
        config.GetButtonAssignment(r, kPreviewButtons[i], profile);
        c.buttons[i] = describe ? describe(r) : CString();
    }
    for (int layout = 0; layout < 2; ++layout)
        for (int k = 0; k < PreviewContent::kKeys; ++k) {
            AssignmentRecord r = AssignmentRecord::Empty();
            config.GetKeyAssignment(r, (int)ThumbGridKeyHash(kFirstThumbButton + k, layout == 1), profile);
            c.keys[layout][k] = describe ? describe(r) : CString();
        }
    const CString grid = Text(L"$ThumbGridView", L"Thumb Grid View");
    c.views[0] = Text(L"$TopView", L"Top View");
    c.views[1] = grid + L" (123)";
    c.views[2] = grid + L" (NUM)";

    auto onOff = [&](int zone) {
        return config.GetZoneOn(zone, profile) ? Text(L"$On", L"On") : Text(L"$Off", L"Off");
    };
    c.logo = Joined(Text(L"$TanduLogo", L"Logo"), onOff(kLogoZone));
    c.wheel = Joined(Text(L"$ScrollButton", L"Scroll Button"), onOff(kWheelZone));
    c.showColour = modelFlag == MODEL_WIRELESS || modelFlag == MODEL_DOCK;
    if (c.showColour) {
        c.colour = config.GetZoneEffect(kWheelZone, profile) == kSpectrumEffect
                       ? Text(L"$SpectrumCycling", L"Spectrum Cycling")
                       : Text(L"$Color", L"Color");
        const wchar_t* key = BrightnessKey(config.GetZoneLevel(kWheelZone, profile));
        c.brightness = Joined(Text(L"$Brightness", L"Brightness"), Text(key, key + 1));
    }

    c.stageCount = (int)std::min<uint32_t>(config.GetStageCount(profile), PreviewContent::kStages);
    c.currentStage = config.GetCurrentStage(profile);
    c.separateXY = config.GetXYSeparate(profile) != 0;
    for (int s = 0; s < PreviewContent::kStages; ++s) {
        c.stageValue[s] = (int)config.GetStageValue(s + 1, profile);
        c.stageX[s] = (int)config.GetStageX(s + 1, profile);
        c.stageY[s] = (int)config.GetStageY(s + 1, profile);
    }
    return c;
}

// A control's function as the assignment pages show it: the function's
// text, then its key, macro or profile.
CString PreviewAssignmentText(IMouseConfig& config, const AssignmentRecord& record)
{
    int layout = 0;
    AssignmentRules rules(config, layout);
    auto fn = ButtonFunctionMap.find(MenuFunctionOfType(record.type));
    CString text = fn != ButtonFunctionMap.end() && fn->second ? TranslateText(fn->second) : CString();
    const CString detail = rules.DetailText(record);
    if (detail.IsEmpty()) return text;
    return text.IsEmpty() ? detail : text + L" : " + detail;
}
