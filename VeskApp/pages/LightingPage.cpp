#include "LightingPage.h"

#include <algorithm>

#include "FileVersions.h"
#include "ItemIds.h"
#include "LightingRules.h"
#include "ModelFlags.h"
#include "MouseConfigInterface.h"
#include "WidgetMessages.h"

namespace {

constexpr int kZoneWheel = 0;
constexpr int kZoneLogo = 3;
constexpr int kEffectOneColour = 0;
constexpr int kEffectCycling = 5;

}  // namespace

void CLightingPage::Bind(const PageLists& lists)
{
    const CGUIItems* list = lists.lists[LIST_PAGE_LIGHTING];
    m_logoOn = FindTypedItem<CBitmapBtn>(list, GLOW_LEDON, ITEM_BITMAPBTN);
    m_logoOff = FindTypedItem<CBitmapBtn>(list, GLOW_LEDOFF, ITEM_BITMAPBTN);
    m_wheelOn = FindTypedItem<CBitmapBtn>(list, SCROLL_LEDON, ITEM_BITMAPBTN);
    m_wheelOff = FindTypedItem<CBitmapBtn>(list, SCROLL_LEDOFF, ITEM_BITMAPBTN);
    m_oneColour = FindTypedItem<CBitmapBtn>(list, KOVUZENT_COLOR_ON, ITEM_BITMAPBTN);
    m_cycling = FindTypedItem<CBitmapBtn>(list, SPECTRUM_CYCLING_ON, ITEM_BITMAPBTN);
    m_colour = FindTypedItem<CDropdownColorButton>(list, DROPDOWN_MOUSE_COLOR, ITEM_DROPDOWNCOLOR);
    const int sliderIds[kSliderCount] = {SLIDER_LED_BRIGHTNESS, SLIDER_POWER_BRIGHTNESS, SLIDER_POWER_SLEEPTOIDLE,
                                         SLIDER_POWER_FLASHSCROLL};
    for (int i = 0; i < kSliderCount; ++i)
        m_sliders[i] = FindTypedItem<CSliderHMulti>(list, sliderIds[i], ITEM_SLIDERHMULTI);
    const int textIds[kTextCount] = {TEXT_REDUCEBRIGHTNESSHEADING, TEXT_SLEEPAFTERIDLEHEADING,
                                     TEXT_FLASHSCROLLWHEELHEADING, TEXT_BATTERYLIFEESTIMATE_HEADER,
                                     TEXT_BATTERY_WARNING_TEXT};
    for (int i = 0; i < kTextCount; ++i)
        m_texts[i] = FindTypedItem<CTextItem>(list, textIds[i], ITEM_TEXT);
    m_version = FindTypedItem<CTextItem>(lists.main, TEXT_DRIVERVER, ITEM_TEXT);
    if (m_version)
        m_versionLabel = m_version->GetText();
}

void CLightingPage::Fill()
{
    const int ranges[kSliderCount][2] = {{kLedSliderMin, kLedSliderMax},
                                         {kReducedSliderMin, kReducedSliderMax},
                                         {kSleepSliderMin, kSleepSliderMax},
                                         {kFlashSliderMin, kFlashSliderMax}};
    for (int i = 0; i < kSliderCount; ++i)
        if (m_sliders[i])
            m_sliders[i]->SetRange(ranges[i][0], ranges[i][1]);
    if (m_version) {
        CFileVersions versions;
        versions.ReadModulePath();
        versions.ReadVersions();  // a program without versions shows 0.00
        m_version->SetText(VersionText(m_versionLabel, versions.ProductPart(0), versions.ProductPart(1)));
    }
    Refresh();
}

void CLightingPage::Refresh()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    if (config->GetZoneOn(kZoneWheel, nullptr))
        SelectPair(m_wheelOn, m_wheelOff);
    else
        SelectPair(m_wheelOff, m_wheelOn);
    if (config->GetZoneOn(kZoneLogo, nullptr))
        SelectPair(m_logoOn, m_logoOff);
    else
        SelectPair(m_logoOff, m_logoOn);
    if (Wired())
        return;  // the wired models' page has only the switches

    if (m_colour)
        m_colour->SetColor((COLORREF)config->GetZoneColor(kZoneWheel, nullptr) & 0xFFFFFF);
    m_sentLevel = config->GetZoneLevel(kZoneWheel, nullptr);
    SetSlider(kLed, SnapLedSlider(m_sentLevel));
    if (config->GetZoneEffect(kZoneWheel, nullptr) == kEffectCycling)
        SelectPair(m_cycling, m_oneColour);
    else
        SelectPair(m_oneColour, m_cycling);
    SetSlider(kReduced, SnapReducedSlider(config->GetReducedBrightness()));
    SetSlider(kSleep, SleepMinutes(config->GetIdleToSleepSeconds()));
    SetSlider(kFlash, (int)std::clamp<uint32_t>(config->GetFlashWarningLevel(), kFlashSliderMin, kFlashSliderMax));

    const int reduced = ReducedLevelIndex();
    if (m_sliders[kReduced])
        m_sliders[kReduced]->SetThumbText(0, LevelWordKey(reduced));
    UpdateReducedText(reduced);
    SetText(kSleepText, SleepText(m_sliders[kSleep] ? m_sliders[kSleep]->GetValue()
                                                    : SleepMinutes(config->GetIdleToSleepSeconds())));
    SetText(kFlashText, FlashWarningText(m_sliders[kFlash] ? m_sliders[kFlash]->GetValue()
                                                           : (int)config->GetFlashWarningLevel()));
    UpdateEstimate();
    ShowBatteryWarning();
}

void CLightingPage::OnPageShown(int currentPage)
{
    if (currentPage == PageMask())
        Refresh();  // also the estimate, whose report rate another page sets
}

bool CLightingPage::Wired() const
{
    return IsWiredModel(m_host.ModelFlag());
}

void CLightingPage::SelectPair(CBitmapBtn* on, CBitmapBtn* off)
{
    if (on)
        on->SetSelected(true);
    if (off)
        off->SetSelected(false);
}

void CLightingPage::SetSlider(int which, int value)
{
    if (m_sliders[which])
        m_sliders[which]->SetValue(value);  // clamped into its range
}

void CLightingPage::SetText(int which, const CString& text)
{
    if (m_texts[which])
        m_texts[which]->SetText(text);
}

void CLightingPage::LightChanged()
{
    m_host.MarkUnsaved();
    SendLighting();
}

void CLightingPage::SendLighting()
{
    m_host.StartSendLighting();
    if (IMouseConfig* config = m_host.Config())
        m_sentLevel = config->GetZoneLevel(kZoneWheel, nullptr);
}

bool CLightingPage::OnCommand(const Command& command)
{
    IMouseConfig* config = m_host.Config();
    if (command.list != LIST_PAGE_LIGHTING || !command.item || !config)
        return false;
    CGUIItem* item = command.item;
    if (item == m_logoOn || item == m_logoOff) {
        const bool on = item == m_logoOn;
        SelectPair(on ? m_logoOn : m_logoOff, on ? m_logoOff : m_logoOn);
        config->SetZoneOn(kZoneLogo, on ? 1 : 0, nullptr);
    } else if (item == m_wheelOn || item == m_wheelOff) {
        const bool on = item == m_wheelOn;
        SelectPair(on ? m_wheelOn : m_wheelOff, on ? m_wheelOff : m_wheelOn);
        config->SetZoneOn(kZoneWheel, on ? 1 : 0, nullptr);
    } else if (item == m_oneColour) {
        SelectPair(m_oneColour, m_cycling);
        if (m_colour)
            config->SetZoneColor(kZoneWheel, (int)m_colour->GetColor(), nullptr);
        config->SetZoneEffect(kZoneWheel, kEffectOneColour, nullptr);
    } else if (item == m_cycling) {
        SelectPair(m_cycling, m_oneColour);
        config->SetZoneEffect(kZoneWheel, kEffectCycling, nullptr);
    } else {
        return false;
    }
    LightChanged();
    return true;
}

void CLightingPage::ColourChosen(COLORREF colour)
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    config->SetZoneColor(kZoneWheel, (int)(colour & 0xFFFFFF), nullptr);
    UpdateEstimate();
    const bool oneColour = m_oneColour ? m_oneColour->IsSelected()
                                       : config->GetZoneEffect(kZoneWheel, nullptr) != kEffectCycling;
    if (oneColour)
        SendLighting();  // a colour chosen under cycling waits until one colour is chosen
    m_host.MarkUnsaved();
}

bool CLightingPage::OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_SLIDER_CHANGING:
    case WM_SLIDER_RELEASED:
        if (!SliderMoved((int)lParam, (int)wParam, message == WM_SLIDER_RELEASED))
            return false;
        break;
    case WM_ITEM_VALUE_CHOSEN:
        if (!m_colour || lParam != (LPARAM)m_colour->m_id)
            return false;
        ColourChosen((COLORREF)wParam);
        break;
    default:
        return false;
    }
    *result = 0;
    return true;
}

bool CLightingPage::SliderMoved(int thumbId, int value, bool released)
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return false;
    switch (thumbId) {
    case SLIDER_LED_BRIGHTNESS_STAGE:
        if (!released) {
            LedMoved(value);
            break;
        }
        value = SnapLedSlider(value);
        SetSlider(kLed, value);
        LedMoved(value);
        if ((long long)config->GetZoneLevel(kZoneWheel, nullptr) != m_sentLevel)
            SendLighting();
        break;
    case SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE:
        if (released) {
            value = SnapReducedSlider(value);
            SetSlider(kReduced, value);
        }
        ReducedMoved(value);
        if (released)
            ShowBatteryWarning();
        break;
    case SLIDER_POWER_IDLE_TO_SLEEP_STAGE: {
        const int minutes = std::clamp(value, kSleepSliderMin, kSleepSliderMax);
        config->SetIdleToSleepSeconds((uint32_t)minutes * 60);
        if (released)
            SetSlider(kSleep, minutes);
        SetText(kSleepText, SleepText(minutes));
        m_host.MarkUnsaved();
        break;
    }
    case SLIDER_POWER_FLASH_WARNING_STAGE:
        if (released) {
            value = RoundFlashWarning(value);
            SetSlider(kFlash, value);
            config->SetFlashWarningLevel((uint32_t)value);
            SetText(kFlashText, FlashWarningText(value));
        }
        m_host.MarkUnsaved();
        break;
    default:
        return false;
    }
    return true;
}

void CLightingPage::LedMoved(int value)
{
    m_host.Config()->SetZoneLevel(kZoneWheel, (uint32_t)LevelValue(LevelIndex(value)), nullptr);
    m_host.MarkUnsaved();
}

void CLightingPage::ReducedMoved(int value)
{
    const int index = LevelIndex(value);
    if (m_sliders[kReduced])
        m_sliders[kReduced]->SetThumbText(0, LevelWordKey(index));
    m_host.Config()->SetReducedBrightness((uint32_t)LevelValue(index));
    UpdateReducedText(index);
    UpdateEstimate();
    m_host.MarkUnsaved();
}

void CLightingPage::UpdateReducedText(int levelIndex)
{
    if (levelIndex == m_lastReducedIndex)
        return;
    m_lastReducedIndex = levelIndex;
    SetText(kReducedText, ReducedBrightnessText(levelIndex));
}

int CLightingPage::ReducedLevelIndex() const
{
    if (m_sliders[kReduced])
        return LevelIndex(m_sliders[kReduced]->GetValue());
    IMouseConfig* config = m_host.Config();
    return config ? LevelIndex(config->GetReducedBrightness()) : 0;
}

void CLightingPage::UpdateEstimate()
{
    IMouseConfig* config = m_host.Config();
    if (config)
        SetText(kEstimateText, BatteryLifeText(BatteryLifeHours(ReducedLevelIndex(), config->GetPollingRateIndex())));
}

void CLightingPage::ShowBatteryWarning()
{
    if (m_texts[kWarningText])
        m_texts[kWarningText]->Show(IsCurrent() && !Wired() && ReducedLevelIndex() >= 2);
}
