#include "PreviewPopup.h"

#include "BitmapBtn.h"
#include "DPIStageWindow.h"
#include "DropdownListItem.h"
#include "ItemIds.h"
#include "ItemLookup.h"
#include "ModelFlags.h"
#include "SkinLoader.h"
#include "TextItems.h"
#include "WidgetMessages.h"
#include "resource.h"

namespace {

const int kButtonTexts[PreviewContent::kButtons] = {TEXT_PREVIEW_01, TEXT_PREVIEW_02, TEXT_PREVIEW_03,
                                                    TEXT_PREVIEW_04, TEXT_PREVIEW_05, TEXT_PREVIEW_06,
                                                    TEXT_PREVIEW_07};
const int kStageWindows[PreviewContent::kStages] = {DPISTAGEWINDOW_01, DPISTAGEWINDOW_02, DPISTAGEWINDOW_03,
                                                    DPISTAGEWINDOW_04, DPISTAGEWINDOW_05};

void SetText(CGUIItems& items, int id, const CString& text)
{
    if (CTextItem* t = FindTypedItem<CTextItem>(&items, id, ITEM_TEXT)) {
        t->SetText(text);
        t->Invalidate(FALSE);
    }
}

void ShowItem(CGUIItems& items, int id, bool show)
{
    if (CGUIItem* item = items.FindById(id)) item->Show(show);
}

}  // namespace

CVeskPreviewPopup::CVeskPreviewPopup(CWnd* owner, int modelFlag, const PreviewContent& content)
    : CVeskPopup(IDD_POPUP_PREVIEW, L"PreviewPopup.xml", owner), m_modelFlag(modelFlag), m_content(content)
{
}

const wchar_t* CVeskPreviewPopup::ModelFile(int modelFlag)
{
    switch (modelFlag) {
    case MODEL_WIRED: return L"PreviewPopup_Kovu.xml";
    case MODEL_2E: return L"PreviewPopup_KovuQuarel.xml";
    default: return L"PreviewPopup_KovuZent.xml";
    }
}

void CVeskPreviewPopup::BindItems()
{
    // The model's top view joins the popup's own items; a missing file
    // leaves the view without its picture.
    LoadSkinPage(&m_items, ModelFile(m_modelFlag), this, false);

    for (int i = 0; i < PreviewContent::kButtons; ++i) SetText(m_items, kButtonTexts[i], m_content.buttons[i]);
    SetText(m_items, TEXT_LOGO_PREVIEW, m_content.logo);
    SetText(m_items, TEXT_SCROLLWHEEL_PREVIEW, m_content.wheel);
    SetText(m_items, TEXT_SPECTRUMCYCLING_PREVIEW, m_content.colour);
    SetText(m_items, TEXT_BRIGHTNESS_PREVIEW, m_content.brightness);
    ShowItem(m_items, TEXT_SPECTRUMCYCLING_PREVIEW, m_content.showColour);
    ShowItem(m_items, TEXT_BRIGHTNESS_PREVIEW, m_content.showColour);

    for (int s = 0; s < PreviewContent::kStages; ++s) {
        CDPIStageWindow* w = FindTypedItem<CDPIStageWindow>(&m_items, kStageWindows[s], ITEM_DPISTAGEWINDOW);
        if (!w) continue;
        // Read only: the tiles show the stages and take no clicks.
        w->SetInteractive(false);
        w->SetStage(s < m_content.stageCount, s + 1 == m_content.currentStage, m_content.separateXY,
                    m_content.stageValue[s], m_content.stageX[s], m_content.stageY[s]);
        w->Invalidate(FALSE);
    }
    for (int k = 0; k < PreviewContent::kKeys; ++k)
        if (CBitmapBtn* key = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_ASSNTHUMBGRID01 + k, ITEM_KEYBOARDKEY))
            key->EnableWindow(FALSE);

    m_views = FindTypedItem<CDropdownListItem>(&m_items, LIST_GLOBAL_BASIC_COMMANDS, ITEM_DROPDOWNLIST);
    if (m_views) {
        m_views->ResetContent();
        for (const CString& v : m_content.views) m_views->AddString(v);
    }
    ShowView(0);
}

void CVeskPreviewPopup::ShowView(int view)
{
    if (view < 0 || view > 2) return;
    m_view = view;
    if (m_views && m_views->GetSafeHwnd() && m_views->GetCurSel() != view) m_views->SetCurSel(view);
    const bool top = view == 0;
    ShowItem(m_items, BITMAP_KOVU_TOPVIEW, top);
    for (int id : kButtonTexts) ShowItem(m_items, id, top);
    ShowItem(m_items, BITMAP_KOVU_THUMBGRID, !top);
    ShowItem(m_items, TEXT_TOPVIEW_HEADING, !top);
    for (int k = 0; k < PreviewContent::kKeys; ++k) {
        CBitmapBtn* key = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_ASSNTHUMBGRID01 + k, ITEM_KEYBOARDKEY);
        if (!key) continue;
        if (!top) key->SetCaption(m_content.keys[view - 1][k], 0);
        key->Show(!top);
        key->Invalidate(FALSE);
    }
    if (m_hWnd) Invalidate(FALSE);
}

LRESULT CVeskPreviewPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPDOWN_SELECTED && m_views && m_views->GetSafeHwnd() && (HWND)lParam == m_views->m_hWnd) {
        ShowView((int)wParam);
        return 0;
    }
    // The grid's keys are for looking at: their clicks do nothing here.
    if (message == WM_KBDKEY_PRESSED || message == WM_KBDKEY_HOVER) return 0;
    return CVeskPopup::WindowProc(message, wParam, lParam);
}
