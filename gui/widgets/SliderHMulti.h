// CSliderHMulti: several horizontal thumbs on one track, handled as one
// slider item (the value is thumb 0's).
#pragma once
#include <memory>
#include <vector>

#include "GUIItem.h"
#include "Slider.h"

class CSliderHMulti : public CGUIItem {
public:
    // Makes count thumbs, each with the range 1..32.
    explicit CSliderHMulti(int count);
    ~CSliderHMulti() override;

    int Count() const { return (int)m_thumbs.size(); }
    CPHSlider* Thumb(int i) const { return i >= 0 && i < Count() ? m_thumbs[i].get() : nullptr; }

    // Every thumb: positions 0..b-a, offset a, re-laid out, cap range (a, b).
    void SetRange(int a, int b);
    // Thumb 0 shows v (clamped into its value range) and notifies its track.
    void SetValue(int v);
    int GetValue() const;
    // Thumb i's tooltip text: its prefix and the translation of key.
    void SetThumbText(int i, const wchar_t* key);
    void EnableAll(bool enable);
    bool Enabled() const { return m_enabled != 0; }

    void Show(bool show) override;

    CWnd* m_ownerWnd = nullptr;

private:
    unsigned char m_enabled = 1;
    std::vector<std::unique_ptr<CPHSlider>> m_thumbs;
};
