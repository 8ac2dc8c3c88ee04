// Dialogs: WM_CREATE through the map, templates with a CLASS statement, the
// modal loop's PreTranslateMessage and keyboard handling, modeless lifetime.
#include <gtest/gtest.h>

#include "Controls.h"
#include "Dialog.h"
#include "WinThread.h"
#include "RecordingWnd.h"
#include "resource.h"

namespace {

const UINT WM_TEST_END = WM_APP + 1;
const UINT WM_TEST_KEY = WM_APP + 2;

class CKeyEdit : public CEdit {
public:
    int preTranslatedKeys = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == 'Q')
            ++preTranslatedKeys;
        return FALSE;
    }
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT id = IDD_TEST_PLAIN, CWnd* parent = nullptr) : CDialog(id, parent) {}
    bool sawCreate = false;
    bool initAfterCreate = false;
    bool ownerDisabledWhileModal = false;
    HWND owner = nullptr;
    CKeyEdit edit;
    bool postKeyThenEnd = false;
    bool postEscape = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        initAfterCreate = sawCreate;
        edit.SubclassDlgItem(IDC_TEST_EDIT, this);
        if (owner)
            ownerDisabledWhileModal = !::IsWindowEnabled(owner);
        if (postKeyThenEnd) {
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, 'Q', 0);
            PostMessage(WM_TEST_END, 42);
        }
        if (postEscape)
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        return TRUE;
    }

protected:
    int OnCreate(LPCREATESTRUCTW cs) {
        sawCreate = true;
        return CDialog::OnCreate(cs);
    }
    LRESULT OnTestEnd(WPARAM w, LPARAM) {
        EndDialog((int)w);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_WM_CREATE()
    ON_MESSAGE(WM_TEST_END, OnTestEnd)
END_MESSAGE_MAP()

int g_modelessAlive = 0;

class CModelessDialog : public CDialog {
public:
    CModelessDialog() { ++g_modelessAlive; }
    ~CModelessDialog() override { --g_modelessAlive; }
    void OnCancel() override { DestroyWindow(); }

protected:
    void PostNcDestroy() override { delete this; }
};

bool RegisterTestDialogClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), L"TK_TEST_DIALOG_CLASS", &wc))
        return true;
    ::GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &wc);
    wc.cbSize = sizeof(wc);
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TK_TEST_DIALOG_CLASS";
    return ::RegisterClassExW(&wc) != 0;
}

}  // namespace

TEST(Dialog, ModelessDialogSeesWmCreateBeforeInitDialog)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    EXPECT_TRUE(dlg.sawCreate);
    EXPECT_TRUE(dlg.initAfterCreate);
    EXPECT_NE(nullptr, ::GetDlgItem(dlg.m_hWnd, IDC_TEST_BUTTON));
    dlg.DestroyWindow();
}

TEST(Dialog, TemplateWithAClassStatementUsesThatClass)
{
    ASSERT_TRUE(RegisterTestDialogClass());
    CTestDialog dlg(IDD_TEST_CLASS);
    ASSERT_TRUE(dlg.Create(IDD_TEST_CLASS));
    wchar_t cls[64] = {};
    ::GetClassNameW(dlg.m_hWnd, cls, 64);
    EXPECT_STREQ(L"TK_TEST_DIALOG_CLASS", cls);
    EXPECT_TRUE(dlg.sawCreate);
    EXPECT_EQ(dlg.m_hWnd, ::FindWindowW(L"TK_TEST_DIALOG_CLASS", nullptr));
    dlg.DestroyWindow();
}

TEST(Dialog, MissingTemplateFailsCleanly)
{
    CTestDialog dlg(9999);
    EXPECT_FALSE(dlg.Create(9999));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(Dialog, ModalLoopRunsPreTranslateAndReturnsTheEndResult)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel());
    owner.ShowWindow(SW_SHOWNOACTIVATE);
    CTestDialog dlg(IDD_TEST_PLAIN, &owner);
    dlg.owner = owner.m_hWnd;
    dlg.postKeyThenEnd = true;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_TRUE(dlg.sawCreate);
    EXPECT_EQ(1, dlg.edit.preTranslatedKeys);
    EXPECT_TRUE(dlg.ownerDisabledWhileModal);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

namespace {

// A user-interface thread whose first act is the test dialog, run modally
// while the thread object is current, as a program's main dialog runs.
class CDialogThread : public CWinThread {
public:
    int preTranslatedKeys = -1;
    BOOL InitInstance() override {
        CTestDialog dlg;
        dlg.postKeyThenEnd = true;
        dlg.DoModal();
        preTranslatedKeys = dlg.edit.preTranslatedKeys;
        return FALSE;
    }
};

}  // namespace

TEST(Dialog, ModalLoopWithACurrentThreadRunsPreTranslateOncePerMessage)
{
    CDialogThread* t = new CDialogThread;
    t->m_bAutoDelete = FALSE;
    ASSERT_TRUE(AfxBeginThread(t));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, kHangTimeoutMs));
    EXPECT_EQ(1, t->preTranslatedKeys);
    delete t;
}

TEST(Dialog, EscapeInTheModalLoopCancels)
{
    CTestDialog dlg;
    dlg.postEscape = true;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(Dialog, InMemoryTemplateRunsModally)
{
    CDialogTemplate tmpl(WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 50, L"memory");
    struct Ender : CTestDialog {
        BOOL OnInitDialog() override { PostMessage(WM_TEST_END, 7); return TRUE; }
    } ender;
    ender.InitModalIndirect(tmpl.Get());
    EXPECT_EQ(7, ender.DoModal());
    EXPECT_TRUE(ender.sawCreate);
}

TEST(Dialog, ModelessDialogDeletesItselfWhenDestroyed)
{
    g_modelessAlive = 0;
    CModelessDialog* dlg = new CModelessDialog();
    ASSERT_TRUE(dlg->Create(IDD_TEST_PLAIN));
    HWND h = dlg->m_hWnd;
    EXPECT_EQ(1, g_modelessAlive);
    ::SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0, g_modelessAlive);
    EXPECT_FALSE(::IsWindow(h));
}

TEST(Dialog, OwnerIsDistinctFromParent)
{
    CRecordingWnd parent, owner;
    ASSERT_TRUE(parent.CreateTopLevel());
    ASSERT_TRUE(owner.CreateTopLevel());
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &parent, 5));
    EXPECT_EQ(&parent, child.GetOwner());
    child.SetOwner(&owner);
    EXPECT_EQ(&owner, child.GetOwner());
    EXPECT_EQ(&parent, child.GetParent());
}
