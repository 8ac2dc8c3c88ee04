// Owner-drawn picture buttons: CBitmapBtn (plain and check-box buttons, with
// hover tracking through mouse capture and an optional blinking picture),
// CKeyboardKeyItem (one key of the on-screen keyboard, captioned from the
// keyboard definition) and CAVIButton (plays a clip on a double click).
#pragma once
#include "CommonControls.h"
#include "Controls.h"
#include "GUIItem.h"
#include "WidgetToolTip.h"

struct ButtonColours {
    COLORREF normal = 0;
    COLORREF hover = 0;
    COLORREF pressed = 0;
    COLORREF disabled = 0;
};

// Which state picture and text colour a button shows.
enum class ButtonFace { Normal, Hover, Pressed, Disabled };
struct ButtonLook {
    bool checkBox = false;
    bool selected = false;  // the button's own selected state
    bool pushed = false;    // the system's pressed state (ODS_SELECTED)
    bool disabled = false;
    bool hover = false;
    bool forceHover = false;
};
ButtonFace BitmapBtnFace(const ButtonLook& look);
ButtonFace BitmapBtnTextFace(const ButtonLook& look);
ButtonFace KeyboardKeyFace(const ButtonLook& look, bool highlight);
ButtonFace KeyboardKeyTextFace(const ButtonLook& look);
// A text colour of 0 draws as 0xFEFEFE.
COLORREF WidgetTextColour(COLORREF c);

class CBitmapBtn : public CButton, public CGUIItem {
public:
    static constexpr UINT_PTR kBlinkTimer = 16;

    CBitmapBtn();
    ~CBitmapBtn() override;

    BOOL Create(const wchar_t* caption, DWORD style, const RECT& r, CWnd* parent, UINT id);
    void SetStateBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, const RECT& rect);
    void SetStateBitmapsAndMask(HBITMAP mask, HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled,
                                const RECT& rect);
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected != 0; }
    void SetCaption(const CString& key, int caseMode);
    // A new caption in the case the skin gave the last one.
    void SetCaption(const CString& key);
    const CString& Caption() const { return m_caption; }
    void SetToolTip(const CString& key);
    CWidgetToolTip& ToolTip() { return m_toolTip; }
    void SetItemFont(HFONT font);
    void StartBlinking(UINT period);
    void StopBlinking();
    bool IsBlinking() const { return m_blinkPeriod != 0; }
    bool IsHover() const { return m_hover != 0; }
    void SetForceHover(bool on);

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    int m_isCheckBox = 0;
    uint8_t m_toggleOnClick = 1;
    UINT m_drawFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    ButtonColours m_colours;

protected:
    ButtonLook Look(const DRAWITEMSTRUCT* dis) const;
    HBITMAP FaceBitmap(ButtonFace face) const;
    COLORREF FaceColour(ButtonFace face) const;
    // Draws picture and caption into dc (an off-screen copy of the button).
    void PaintFace(HDC dc, const RECT& client, HBITMAP picture, COLORREF text, bool measure);
    void ApplyRegion();

    void OnMouseMove(UINT flags, CPoint p);
    void OnCaptureChanged(CWnd* wnd);
    void OnKillFocus(CWnd* next);
    void OnLButtonDown(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnLButtonDblClk(UINT, CPoint) {}
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

    CWidgetToolTip m_toolTip;
    int m_selected = 0;
    int m_hover = 0;
    CBitmap m_normal, m_hoverBm, m_pressed, m_disabled, m_mask;
    CString m_caption;
    int m_caseMode = 0;
    HFONT m_font = nullptr;
    HRGN m_region = nullptr;  // owned by the window once set
    bool m_regionMade = false;
    UINT m_blinkPeriod = 0;
    HBITMAP m_blinkBitmap = nullptr;
    uint8_t m_forceHover = 0;
};

class CKeyboardKeyItem : public CBitmapBtn {
public:
    CKeyboardKeyItem();

    // Looks the key up in the keyboard definition and takes its codes, the
    // default caption and the tooltip from it.
    void BindKey();
    void SetBitmapInfo(const int info[9]);
    // The caption a key gets from its scan code when the skin gives none.
    static CString DefaultCaption(int scanCode, bool extended, uint32_t kbddefId);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    uint32_t m_kbddefId = 0;
    CString m_keyName;
    int m_virtualKey = -1;
    int m_scanCode = -1;
    uint8_t m_extended = 0;
    uint8_t m_highlight = 0;
    int m_bitmapInfo[9] = {};

protected:
    void OnMouseMove(UINT flags, CPoint p);
    void OnLButtonDown(UINT flags, CPoint p);
    DECLARE_MESSAGE_MAP()
};

class CAVIButton : public CButton, public CGUIItem {
public:
    CAVIButton();

    void SetVideoFile(const CString& name) { m_videoFile = name; }
    void SetSoundFile(const CString& name) { m_soundFile = name; }
    void SetBackground(HBITMAP bitmap);
    // Opens the clip (once) and plays it through once.
    void Play();
    bool IsClipOpen() const { return m_clipOpen != 0; }
    const CString& VideoFile() const { return m_videoFile; }
    // The clip's path: the skin names a file in skins\ of the program folder
    // (the current directory once the program has started).
    static CString ClipPath(const CString& name);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    BOOL OnClicked() { return TRUE; }  // swallowed: the parent gets no command
    BOOL OnDoubleClicked();
    DECLARE_MESSAGE_MAP()

    CAnimateCtrl m_animation;
    CString m_videoFile;
    CString m_soundFile;
    CBitmap m_background;
    int m_clipOpen = 0;
};
