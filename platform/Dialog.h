// CDialog: modal (DoModal, with the library's own message loop so that
// PreTranslateMessage runs) or modeless (Create) dialogs from dialog-template
// resources or in-memory templates. The dialog window is subclassed at
// creation like every library window, so its map sees WM_NCCREATE/WM_CREATE.
#pragma once
#include "Wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Modeless creation from a template resource or an in-memory template.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* tmpl, CWnd* parent = nullptr);
    // Makes DoModal use an in-memory template instead of a resource.
    void InitModalIndirect(const DLGTEMPLATE* tmpl, CWnd* parent = nullptr);

    void EndDialog(int result);
    bool IsModal() const { return m_modal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDHelp = 0;

protected:
    UINT m_templateId = 0;
    const DLGTEMPLATE* m_indirect = nullptr;
    CWnd* m_pParentWnd = nullptr;

    LRESULT HandleInitDialog(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(const DLGTEMPLATE* tmpl, HWND parent);
    const DLGTEMPLATE* FindTemplate() const;

    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};

// Builds a DLGTEMPLATE in memory (one dialog, no controls), for dialogs that
// need no resource. The storage lives as long as the object.
class CDialogTemplate {
public:
    CDialogTemplate(DWORD style, DWORD exStyle, int x, int y, int cx, int cy, const wchar_t* title = L"",
                    const wchar_t* className = nullptr);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::wstring m_words;  // WORD-aligned storage
};
