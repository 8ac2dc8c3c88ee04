#include "SliderHMulti.h"

#include "LangTable.h"

CSliderHMulti::CSliderHMulti(int count)
{
    m_type = ITEM_SLIDERHMULTI;
    for (int i = 0; i < count; ++i) {
        m_thumbs.emplace_back(new CPHSlider());
        SetValueRange(m_thumbs.back()->Geometry(), 1, 32);
    }
}

CSliderHMulti::~CSliderHMulti() = default;

void CSliderHMulti::SetRange(int a, int b)
{
    for (auto& t : m_thumbs) {
        SetValueRange(t->Geometry(), a, b);
        t->RecalcLayout();
        t->SetCapRange(a, b);
    }
}

void CSliderHMulti::SetValue(int v)
{
    if (m_thumbs.empty())
        return;
    CPHSlider* t = m_thumbs[0].get();
    t->SetPos(PositionForValue(t->Geometry(), v), true);
}

int CSliderHMulti::GetValue() const
{
    return m_thumbs.empty() ? 0 : m_thumbs[0]->Value();
}

void CSliderHMulti::SetThumbText(int i, const wchar_t* key)
{
    CPHSlider* t = Thumb(i);
    if (!t)
        return;
    CString text = t->TipPrefix();
    CString translated;
    CLangTable* table = GetCurrentLangTable();
    if (key && table && table->Translate(key, translated))
        text += translated;
    t->SetTipText(text);
}

void CSliderHMulti::EnableAll(bool enable)
{
    m_enabled = enable ? 1 : 0;
    for (auto& t : m_thumbs) {
        t->SetInteractive(enable);
        if (enable && t->IsWindow())
            t->EnableWindow(TRUE);
    }
}

void CSliderHMulti::Show(bool show)
{
    for (auto& t : m_thumbs)
        if (t->IsWindow())
            t->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
