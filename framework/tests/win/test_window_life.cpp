// A window's life: binding at creation (before the first message), creation by class,
// self-deletion, destruction through the object, subclassing and temporary wrappers.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {
constexpr UINT WM_TEST_PING = WM_APP + 5;
constexpr UINT WM_TEST_DESTROY_SELF = WM_APP + 6;

class CBindingProbe : public CWnd {
    DECLARE_DYNCREATE(CBindingProbe)
public:
    ~CBindingProbe() override { ++deleted; }
    static int deleted;
    UINT firstMessage = 0;
    bool boundAtFirstMessage = false;
    bool boundInNcCreate = false;
    bool selfDeleting = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (firstMessage == 0) {
            firstMessage = message;
            boundAtFirstMessage = FromHandlePermanent(m_hWnd) == this;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        if (selfDeleting)
            delete this;
    }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
        boundInNcCreate = FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnNcCreate(lpCreateStruct);
    }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) { return 55; }
    afx_msg LRESULT OnDestroySelf(WPARAM, LPARAM) {
        DestroyWindow(); // deletes this on the way
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

int CBindingProbe::deleted = 0;
IMPLEMENT_DYNCREATE(CBindingProbe, CWnd)

BEGIN_MESSAGE_MAP(CBindingProbe, CWnd)
ON_WM_NCCREATE()
ON_MESSAGE(WM_TEST_PING, OnPing)
ON_MESSAGE(WM_TEST_DESTROY_SELF, OnDestroySelf)
END_MESSAGE_MAP()

CBindingProbe* NewProbeByClassName() {
    CObject* pObject = CRuntimeClass::CreateObject("CBindingProbe");
    CBindingProbe* pProbe = DYNAMIC_DOWNCAST(CBindingProbe, pObject);
    if (pProbe == NULL)
        delete pObject;
    return pProbe;
}
} // namespace

TEST(WindowLife, CreatedByClassIsBoundBeforeItsFirstMessage) {
    CBindingProbe* pProbe = NewProbeByClassName();
    ASSERT_NE(pProbe, nullptr);
    pProbe->selfDeleting = true;
    ASSERT_TRUE(CreateTopLevel(*pProbe));
    HWND hWnd = pProbe->m_hWnd;
    EXPECT_NE(pProbe->firstMessage, 0u);
    EXPECT_TRUE(pProbe->boundAtFirstMessage);
    EXPECT_TRUE(pProbe->boundInNcCreate);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pProbe);

    int deletedBefore = CBindingProbe::deleted;
    // The handler destroys the window, which deletes the object while its message is
    // being dispatched.
    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_DESTROY_SELF, 0, 0), 1);
    EXPECT_EQ(CBindingProbe::deleted, deletedBefore + 1);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowLife, DestroyingTheObjectDestroysItsWindow) {
    HWND hWnd = NULL;
    {
        CBindingProbe probe;
        ASSERT_TRUE(CreateTopLevel(probe));
        hWnd = probe.m_hWnd;
        // One object, one window.
        EXPECT_FALSE(CreateTopLevel(probe));
        EXPECT_EQ(probe.m_hWnd, hWnd);
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

// Creation by class atom: the hook tells the atom from other classes by the class itself.
TEST(WindowLife, CreatedByClassAtomIsBoundToo) {
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    const ATOM atom = (ATOM)::GetClassInfoExW(AfxGetInstanceHandle(), lpszClass, &wc);
    ASSERT_NE(atom, 0);
    CBindingProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, MAKEINTATOM(atom), L"atom", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_TRUE(probe.boundInNcCreate);
    EXPECT_EQ((ATOM)::GetClassLongW(probe.m_hWnd, GCW_ATOM), atom);
    probe.DestroyWindow();
}

TEST(WindowLife, ChildCreationNeedsAParent) {
    CBindingProbe probe;
    EXPECT_FALSE(probe.Create(NULL, L"orphan", WS_VISIBLE, CRect(0, 0, 10, 10), NULL, 1));
    EXPECT_EQ(probe.m_hWnd, (HWND)NULL);
}

TEST(WindowLife, SubclassingRoutesAnExistingWindowAndUnsubclassingRestoresIt) {
    HWND hButton =
        ::CreateWindowExW(0, L"BUTTON", L"press", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(hButton, (HWND)NULL);
    LONG_PTR original = ::GetWindowLongPtrW(hButton, GWLP_WNDPROC);
    {
        CBindingProbe probe;
        ASSERT_TRUE(probe.SubclassWindow(hButton));
        EXPECT_EQ(::SendMessageW(hButton, WM_TEST_PING, 0, 0), 55);
        // What the map leaves goes to the button's own procedure.
        CString text;
        probe.GetWindowText(text);
        EXPECT_EQ(text, L"press");
        CBindingProbe second;
        EXPECT_FALSE(second.SubclassWindow(hButton));

        EXPECT_EQ(probe.UnsubclassWindow(), hButton);
        EXPECT_EQ(::GetWindowLongPtrW(hButton, GWLP_WNDPROC), original);
        EXPECT_EQ(CWnd::FromHandlePermanent(hButton), nullptr);
        EXPECT_EQ(::SendMessageW(hButton, WM_TEST_PING, 0, 0), 0);
    }
    // The object went away unbound: the window is not its to destroy.
    EXPECT_TRUE(::IsWindow(hButton));
    ::DestroyWindow(hButton);
}

TEST(WindowLife, TemporaryWrappersGoAtIdleAndLeaveTheWindowAlone) {
    HWND hWnd =
        ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(hWnd, (HWND)NULL);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_FALSE(AfxGetApp()->OnIdle(1));
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}
