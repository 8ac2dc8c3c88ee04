// The performance page: sensitivity as one value or as X and Y, the stages
// popup, acceleration, the report rate and the sensitivity display flag.
// Values go into the configuration and wait for Apply.
#pragma once
#include "BitmapBtn.h"
#include "PageModule.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "TextItems.h"

class CPerformancePage : public CPageModule {
public:
    explicit CPerformancePage(IPageHost& host) : CPageModule(host, PAGE_PERFORMANCE) {}

    void Bind(const PageLists& lists) override;
    void Fill() override;
    void Refresh() override;
    void OnPageShown(int currentPage) override;
    bool OnCommand(const Command& command) override;
    bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The X/Y switch and the acceleration switch set to `on`.
    void SetSeparateXY(bool on);
    void SetAcceleration(bool on);
    // Report-rate button `index` (0-2) was pressed.
    void SelectReportRate(int index);
    // BUTTON_SENSITIVITY_STAGES: the stages popup over the active profile.
    void OpenStages();
    // A slider thumb reported `value`; false for a thumb of another page.
    bool SliderMoved(int thumbId, int value);

    // The readouts beside the sensitivity sliders.
    void UpdateSensitivityTexts();

    enum Slider { kSingle, kX, kY, kAccel, kAccelOff, kSliderCount };
    CSliderHMulti* SliderItem(int which) const { return m_sliders[which]; }
    CTextItem* ValueText(int i) const { return m_values[i]; }
    CBitmapBtn* RateButton(int i) const { return m_rates[i]; }

private:
    // Shows what the page's state keeps shown: the sliders of one value or
    // of X and Y, the acceleration slider that matches the switch, and the
    // report rates the device offers. Only while the page is shown.
    void ShowState();
    void ShowSensitivitySliders();
    void ShowAccelerationSliders();
    bool IsCurrent() const { return m_host.CurrentPage() == PageMask(); }

    CBitmapBtn* m_separate = nullptr;      // BUTTON_ENABLEXY
    CBitmapBtn* m_acceleration = nullptr;  // BUTTON_ENABLEACCELERATION
    CBitmapBtn* m_dpiOsd = nullptr;        // BUTTON_ENABLE_DPI_OSD
    CBitmapBtn* m_stages = nullptr;        // BUTTON_SENSITIVITY_STAGES
    CBitmapBtn* m_rates[3] = {};
    CString m_rateUnits[3];                // the rate buttons' skin captions
    CSliderHMulti* m_sliders[kSliderCount] = {};
    CSliderTrack* m_tracks[kSliderCount] = {};
    CTextItem* m_values[2] = {};           // TEXT_DPIVALUE1, TEXT_DPIVALUE2
    CTextItem* m_dpiY = nullptr;           // TEXT_DPI2
    CTextItem* m_headings[2] = {};         // TEXT_HEADING_X, TEXT_HEADING_Y
    CGUIItem* m_valueWindowY = nullptr;    // BITMAP_SENSWINDOW2
};
