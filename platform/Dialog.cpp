#include "Dialog.h"

#include "WinThread.h"

void AfxHookedCreate(CWnd* w, void (*create)(void*), void* ctx);

// The dialog manager calls this for what our map left unhandled; every
// message already passed the object's map, so nothing is left to do here.
static INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // Keyboard navigation (Tab, Enter, Escape) of the dialog's controls.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd && ::IsDialogMessageW(m_hWnd, msg))
        return TRUE;
    return FALSE;
}

const DLGTEMPLATE* CDialog::FindTemplate() const
{
    if (m_indirect)
        return m_indirect;
    HINSTANCE inst = AfxGetInstanceHandle();
    HRSRC r = ::FindResourceW(inst, MAKEINTRESOURCEW(m_templateId), (LPCWSTR)RT_DIALOG);
    if (!r)
        return nullptr;
    HGLOBAL g = ::LoadResource(inst, r);
    return g ? static_cast<const DLGTEMPLATE*>(::LockResource(g)) : nullptr;
}

namespace {
struct CreateCtx {
    const DLGTEMPLATE* tmpl;
    HWND parent;
    HWND result;
};
void DoCreateDialog(void* p)
{
    CreateCtx* c = static_cast<CreateCtx*>(p);
    c->result = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), c->tmpl, c->parent, &AfxDlgProc, 0);
}
}  // namespace

BOOL CDialog::CreateFromTemplate(const DLGTEMPLATE* tmpl, HWND parent)
{
    if (!tmpl || m_hWnd)
        return FALSE;
    CreateCtx ctx{tmpl, parent, nullptr};
    AfxHookedCreate(this, &DoCreateDialog, &ctx);
    if (!ctx.result) {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(FindTemplate(), m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* tmpl, CWnd* parent)
{
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(tmpl, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

void CDialog::InitModalIndirect(const DLGTEMPLATE* tmpl, CWnd* parent)
{
    m_indirect = tmpl;
    if (parent)
        m_pParentWnd = parent;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    if (m_modal) {
        m_ended = true;
        if (m_hWnd)
            ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main && main != this ? main->m_hWnd : nullptr;
    }
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);
    bool disableOwner = owner && ::IsWindowEnabled(owner);

    m_modal = true;
    m_ended = false;
    m_result = -1;
    // Disabled before creation, so OnInitDialog already runs modally.
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    if (!CreateFromTemplate(FindTemplate(), owner)) {
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        m_modal = false;
        return -1;
    }
    if (!m_ended && m_hWnd && !(GetStyle() & WS_VISIBLE))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    CWinThread* thread = CWinThread::GetCurrent();
    while (!m_ended && m_hWnd && ::IsWindow(m_hWnd)) {
        MSG msg;
        int got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the modal loop and then the outer one.
            ::PostQuitMessage(got == 0 ? (int)msg.wParam : -1);
            break;
        }
        // One walk per message: the thread's walks from the message's window
        // up through the dialog to the main window (or the top).
        BOOL handled = thread ? thread->PreTranslateMessage(&msg)
                              : msg.hwnd && CWnd::WalkPreTranslateTree(m_hWnd, &msg);
        if (!handled) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            CWnd::DeleteTempMap();
    }

    // Give activation back to the owner before the dialog disappears.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_modal = false;
    return m_result;
}

// ----------------------------------------------------------- CDialogTemplate

CDialogTemplate::CDialogTemplate(DWORD style, DWORD exStyle, int x, int y, int cx, int cy, const wchar_t* title,
                                 const wchar_t* className)
{
    DLGTEMPLATE t{};
    t.style = style;
    t.dwExtendedStyle = exStyle;
    t.cdit = 0;
    t.x = (short)x;
    t.y = (short)y;
    t.cx = (short)cx;
    t.cy = (short)cy;
    static_assert(sizeof(DLGTEMPLATE) % sizeof(wchar_t) == 0, "template header is WORD-sized");
    m_words.assign(reinterpret_cast<const wchar_t*>(&t), sizeof(t) / sizeof(wchar_t));
    m_words.push_back(0);  // no menu
    if (className && *className) {
        m_words += className;
        m_words.push_back(0);
    } else {
        m_words.push_back(0);  // the standard dialog class
    }
    m_words += title ? title : L"";
    m_words.push_back(0);
    m_words.push_back(0);  // alignment padding for an empty control list
}
