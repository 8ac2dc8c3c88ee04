// The lighting and maintenance page: the logo and scroll-wheel lights of the
// active profile (sent to the device at once as a preview), on the wireless
// models the wheel's colour, cycling and brightness and the device-wide
// battery settings (these wait for Apply) with their texts and the
// battery-life estimate, and the program version on the main page.
#pragma once
#include "BitmapBtn.h"
#include "DropdownColorButton.h"
#include "PageModule.h"
#include "SliderHMulti.h"
#include "TextItems.h"

class CLightingPage : public CPageModule {
public:
    explicit CLightingPage(IPageHost& host) : CPageModule(host, PAGE_LIGHTING) {}

    void Bind(const PageLists& lists) override;
    void Fill() override;
    void Refresh() override;
    void OnPageShown(int currentPage) override;
    bool OnCommand(const Command& command) override;
    bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // A thumb of this page moved (released: true) to `value`; false for a
    // thumb of another page.
    bool SliderMoved(int thumbId, int value, bool released);
    // The colour box reported a colour.
    void ColourChosen(COLORREF colour);

    enum Slider { kLed, kReduced, kSleep, kFlash, kSliderCount };
    enum Text { kReducedText, kSleepText, kFlashText, kEstimateText, kWarningText, kTextCount };
    CSliderHMulti* SliderItem(int which) const { return m_sliders[which]; }
    CTextItem* TextItem(int which) const { return m_texts[which]; }

private:
    bool Wired() const;
    bool IsCurrent() const { return m_host.CurrentPage() == PageMask(); }
    // One of a pair of switches pressed: it is selected, the other not.
    static void SelectPair(CBitmapBtn* on, CBitmapBtn* off);
    void SetSlider(int which, int value);
    // A light changed: unsaved, and the device shows it at once.
    void LightChanged();
    void SendLighting();

    void LedMoved(int value);
    void ReducedMoved(int value);
    void SetText(int which, const CString& text);
    // The reduced-brightness heading, only when its level changed.
    void UpdateReducedText(int levelIndex);
    void UpdateEstimate();
    void ShowBatteryWarning();
    int ReducedLevelIndex() const;

    CBitmapBtn* m_logoOn = nullptr;    // GLOW_LEDON
    CBitmapBtn* m_logoOff = nullptr;   // GLOW_LEDOFF
    CBitmapBtn* m_wheelOn = nullptr;   // SCROLL_LEDON
    CBitmapBtn* m_wheelOff = nullptr;  // SCROLL_LEDOFF
    CBitmapBtn* m_oneColour = nullptr; // KOVUZENT_COLOR_ON
    CBitmapBtn* m_cycling = nullptr;   // SPECTRUM_CYCLING_ON
    CDropdownColorButton* m_colour = nullptr;  // DROPDOWN_MOUSE_COLOR
    CSliderHMulti* m_sliders[kSliderCount] = {};
    CTextItem* m_texts[kTextCount] = {};
    CTextItem* m_version = nullptr;    // TEXT_DRIVERVER on the main page
    CString m_versionLabel;            // its skin text

    int m_lastReducedIndex = -1;  // -1: the heading is built on the first fill
    // The wheel level the device was last sent (or had when the page was
    // filled): a drag changes the profile's level on its way, so a release
    // compares with this, not with the level just before it.
    long long m_sentLevel = -1;
};
