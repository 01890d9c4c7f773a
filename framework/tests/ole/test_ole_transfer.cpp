// Data sources, data objects and drop targets, driven in-process.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/ole/oledatasource.h"
#include "framework/ole/oledroptarget.h"
#include "framework/ole/oleinit.h"
#include "framework/docview/view.h"
#include "framework/win/wnd.h"

namespace {
HGLOBAL GlobalText(LPCWSTR text) {
    size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(hGlobal), text, bytes);
    ::GlobalUnlock(hGlobal);
    return hGlobal;
}

// The text in a global handle, which it frees.
std::wstring TakeText(HGLOBAL hGlobal) {
    if (hGlobal == NULL)
        return L"<none>";
    std::wstring text(static_cast<LPCWSTR>(::GlobalLock(hGlobal)));
    ::GlobalUnlock(hGlobal);
    ::GlobalFree(hGlobal);
    return text;
}

std::wstring TextOf(COleDataObject* pDataObject) {
    return TakeText(pDataObject->GetGlobalData(CF_UNICODETEXT));
}

class OleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }
    static void TearDownTestSuite() { AfxOleTerm(); }
};

// Renders one format on demand and tells when it is gone.
class CRenderingSource : public COleDataSource {
public:
    explicit CRenderingSource(bool* pDeleted = NULL) : m_pDeleted(pDeleted) {}
    ~CRenderingSource() override {
        if (m_pDeleted != NULL)
            *m_pDeleted = true;
    }
    int m_renderCount = 0;

protected:
    BOOL OnRenderGlobalData(LPFORMATETC, HGLOBAL* phGlobal) override {
        ++m_renderCount;
        *phGlobal = GlobalText(L"rendered");
        return TRUE;
    }

private:
    bool* m_pDeleted;
};

TEST_F(OleTest, SourceOffersCachedAndDelayedDataToDataObjects) {
    const CLIPFORMAT cfLater = (CLIPFORMAT)::RegisterClipboardFormatW(L"MoxTestLater");
    CRenderingSource source;
    source.CacheGlobalData(CF_UNICODETEXT, GlobalText(L"first"));
    source.CacheGlobalData(CF_UNICODETEXT, GlobalText(L"drag me")); // replaces the first
    source.DelayRenderData(cfLater);

    COleDataObject data;
    data.Attach(source.GetIDataObject(TRUE));
    EXPECT_TRUE(data.IsDataAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(data.IsDataAvailable(cfLater));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    EXPECT_EQ(NULL, data.GetGlobalData(CF_BITMAP));

    // Each caller gets a copy of its own.
    HGLOBAL hCopy = data.GetGlobalData(CF_UNICODETEXT);
    ASSERT_NE((HGLOBAL)NULL, hCopy);
    *static_cast<wchar_t*>(::GlobalLock(hCopy)) = L'X';
    ::GlobalUnlock(hCopy);
    EXPECT_EQ(L"Xrag me", TakeText(hCopy));
    EXPECT_EQ(L"drag me", TextOf(&data));

    EXPECT_EQ(0, source.m_renderCount);
    EXPECT_EQ(L"rendered", TakeText(data.GetGlobalData(cfLater)));
    EXPECT_EQ(1, source.m_renderCount);

    std::vector<CLIPFORMAT> formats;
    data.BeginEnumFormats();
    FORMATETC fe;
    while (data.GetNextFormat(&fe))
        formats.push_back(fe.cfFormat);
    EXPECT_EQ((std::vector<CLIPFORMAT>{CF_UNICODETEXT, cfLater}), formats);
}

TEST_F(OleTest, ClipboardHoldsAReleasedSourceUntilItIsReplaced) {
    // Without other users the creator's release ends the source.
    bool unusedDeleted = false;
    auto* unused = new CRenderingSource(&unusedDeleted);
    unused->DelayRenderData(CF_OEMTEXT);
    unused->InternalRelease();
    EXPECT_TRUE(unusedDeleted);

    bool deleted = false;
    auto* source = new CRenderingSource(&deleted);
    source->CacheGlobalData(CF_UNICODETEXT, GlobalText(L"on the clipboard"));
    source->SetClipboard();
    source->InternalRelease();
    EXPECT_FALSE(deleted);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_EQ(L"on the clipboard", TextOf(&data));
    data.Release();

    COleDataSource::FlushClipboard();
    EXPECT_TRUE(deleted);
    // The data outlives its source.
    COleDataObject after;
    ASSERT_TRUE(after.AttachClipboard());
    EXPECT_EQ(L"on the clipboard", TextOf(&after));
}

// Records the events it gets and accepts text with a copy.
class CRecordingTarget : public COleDropTarget {
public:
    struct Event {
        std::string what;
        std::wstring text;
        CPoint point;
        DROPEFFECT effect;
    };
    std::vector<Event> m_events;
    bool m_throw = false;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD, CPoint point) override {
        return Record("enter", pWnd, pData, point, 0);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD, CPoint point) override {
        return Record("over", pWnd, pData, point, 0);
    }
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT effect, CPoint point) override {
        Record("drop", pWnd, pData, point, effect);
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { m_events.push_back({"leave", L"", CPoint(), 0}); }

private:
    DROPEFFECT Record(const char* what, CWnd* pWnd, COleDataObject* pData, CPoint point,
                      DROPEFFECT effect) {
        if (m_throw)
            AfxThrowNotSupportedException();
        EXPECT_EQ(m_hWndExpected, pWnd->GetSafeHwnd());
        m_events.push_back({what, TextOf(pData), point, effect});
        return pData->IsDataAvailable(CF_UNICODETEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }

public:
    HWND m_hWndExpected = NULL;
};

class DropTargetTest : public OleTest {
protected:
    void SetUp() override {
        LPCTSTR cls = AfxRegisterWndClass(0);
        ASSERT_TRUE(m_wnd.CreateEx(0, cls, L"Drop here", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                                   NULL, NULL));
        m_source.CacheGlobalData(CF_UNICODETEXT, GlobalText(L"dropped text"));
        m_target.m_hWndExpected = m_wnd.m_hWnd;
    }
    void TearDown() override { m_target.Revoke(); }
    POINTL ScreenPoint(int x, int y) {
        POINT pt = {x, y};
        ::ClientToScreen(m_wnd.m_hWnd, &pt);
        return POINTL{pt.x, pt.y};
    }
    CWnd m_wnd;
    COleDataSource m_source;
    CRecordingTarget m_target;
};

TEST_F(DropTargetTest, EnterOverAndDropReachTheHandlersWithTheText) {
    ASSERT_TRUE(m_target.Register(&m_wnd));
    IDropTarget* pTarget = m_target.GetDropTarget();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, pTarget->DragEnter(m_source.GetDataObject(), MK_LBUTTON, ScreenPoint(10, 20),
                                       &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, pTarget->DragOver(MK_LBUTTON, ScreenPoint(30, 40), &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, pTarget->Drop(m_source.GetDataObject(), 0, ScreenPoint(50, 60), &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);

    const auto& ev = m_target.m_events;
    ASSERT_EQ(4u, ev.size());
    EXPECT_EQ("enter", ev[0].what);
    EXPECT_EQ(CPoint(10, 20), ev[0].point);
    EXPECT_EQ(L"dropped text", ev[0].text);
    EXPECT_EQ("over", ev[1].what);
    EXPECT_EQ(CPoint(30, 40), ev[1].point);
    EXPECT_EQ("over", ev[2].what); // the effect of the drop is decided as for a move over it
    EXPECT_EQ("drop", ev[3].what);
    EXPECT_EQ(CPoint(50, 60), ev[3].point);
    EXPECT_EQ(L"dropped text", ev[3].text);
    EXPECT_EQ(DROPEFFECT_COPY, ev[3].effect);
}

TEST_F(DropTargetTest, AnEffectTheSourceDoesNotAllowIsRefused) {
    ASSERT_TRUE(m_target.Register(&m_wnd));
    IDropTarget* pTarget = m_target.GetDropTarget();
    DWORD effect = DROPEFFECT_MOVE;
    pTarget->DragEnter(m_source.GetDataObject(), 0, ScreenPoint(1, 1), &effect);
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_MOVE;
    pTarget->Drop(m_source.GetDataObject(), 0, ScreenPoint(1, 1), &effect);
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    // Nothing was dropped; the target was told the drag left instead.
    ASSERT_FALSE(m_target.m_events.empty());
    EXPECT_EQ("leave", m_target.m_events.back().what);
    for (const auto& e : m_target.m_events)
        EXPECT_NE("drop", e.what);
}

TEST_F(DropTargetTest, AHandlerThatThrowsDoesNotCrossTheInterface) {
    ASSERT_TRUE(m_target.Register(&m_wnd));
    m_target.m_throw = true;
    IDropTarget* pTarget = m_target.GetDropTarget();
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(E_UNEXPECTED,
              pTarget->DragEnter(m_source.GetDataObject(), 0, ScreenPoint(1, 1), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(E_UNEXPECTED, pTarget->Drop(m_source.GetDataObject(), 0, ScreenPoint(1, 1), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
}

TEST_F(DropTargetTest, RegistrationIsOneWindowAtATime) {
    EXPECT_FALSE(m_target.Register(NULL));
    ASSERT_TRUE(m_target.Register(&m_wnd));
    EXPECT_TRUE(m_target.IsRegistered());
    EXPECT_FALSE(m_target.Register(&m_wnd)); // twice is a mistake the caller sees
    {
        CRecordingTarget other;
        EXPECT_FALSE(other.Register(&m_wnd)); // the window has its target
    }
    m_target.Revoke();
    EXPECT_FALSE(m_target.IsRegistered());
    m_target.Revoke(); // nothing to do
    {
        CRecordingTarget other;
        EXPECT_TRUE(other.Register(&m_wnd));
    } // its destructor revokes
    EXPECT_TRUE(m_target.Register(&m_wnd));
}

// A real drag through the system: with no button held the drag drops at once, on the window
// under the cursor, which is ours.
TEST_F(DropTargetTest, SystemDragDropsOnTheRegisteredWindow) {
    ASSERT_TRUE(m_target.Register(&m_wnd));
    POINT cursor;
    ASSERT_TRUE(::GetCursorPos(&cursor));
    ::SetWindowPos(m_wnd.m_hWnd, HWND_TOPMOST, cursor.x - 50, cursor.y - 50, 200, 200,
                   SWP_SHOWWINDOW);
    ::UpdateWindow(m_wnd.m_hWnd);
    DROPEFFECT result = m_source.DoDragDrop(DROPEFFECT_COPY);
    EXPECT_EQ(DROPEFFECT_COPY, result);
    ASSERT_FALSE(m_target.m_events.empty());
    EXPECT_EQ("drop", m_target.m_events.back().what);
    EXPECT_EQ(L"dropped text", m_target.m_events.back().text);
}

// A view's own drag handlers serve a plain drop target registered on it.
class CDropView : public CView {
public:
    std::vector<std::string> m_calls;
    std::wstring m_dropped;
    CPoint m_dropPoint;
    bool m_scrollZone = false;

    void OnDraw(CDC*) override {}
    DROPEFFECT OnDragEnter(COleDataObject*, DWORD, CPoint) override {
        m_calls.push_back("enter");
        return DROPEFFECT_MOVE;
    }
    DROPEFFECT OnDragOver(COleDataObject*, DWORD, CPoint) override {
        m_calls.push_back("over");
        return DROPEFFECT_MOVE;
    }
    DROPEFFECT OnDragScroll(DWORD, CPoint point) override {
        // The top band scrolls, as a view near its edge would.
        return m_scrollZone && point.y < 5 ? DROPEFFECT_SCROLL | DROPEFFECT_MOVE : DROPEFFECT_NONE;
    }
    void OnDragLeave() override { m_calls.push_back("leave"); }
    BOOL OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) override {
        m_calls.push_back(effect == DROPEFFECT_MOVE ? "drop move" : "drop other");
        m_dropped = TextOf(pData);
        m_dropPoint = point;
        return TRUE;
    }
};

TEST_F(DropTargetTest, DefaultHandlersForwardToTheViewUnderTheTarget) {
    auto* pView = new CDropView; // deletes itself with its window
    ASSERT_TRUE(
        pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 170), &m_wnd, 1));
    COleDropTarget target;
    ASSERT_TRUE(target.Register(pView));
    IDropTarget* pTarget = target.GetDropTarget();
    POINT origin = {0, 0};
    ::ClientToScreen(pView->m_hWnd, &origin);
    auto at = [&](int x, int y) { return POINTL{origin.x + x, origin.y + y}; };

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pTarget->DragEnter(m_source.GetDataObject(), 0, at(50, 50), &effect);
    EXPECT_EQ(DROPEFFECT_MOVE, effect);
    pView->m_scrollZone = true;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pTarget->DragOver(0, at(50, 2), &effect);
    EXPECT_EQ(DROPEFFECT_SCROLL | DROPEFFECT_MOVE, effect); // scrolling, not over
    pView->m_scrollZone = false;
    pTarget->DragLeave();
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pTarget->DragEnter(m_source.GetDataObject(), 0, at(50, 50), &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pTarget->Drop(m_source.GetDataObject(), 0, at(60, 70), &effect);
    EXPECT_EQ(DROPEFFECT_MOVE, effect);

    EXPECT_EQ((std::vector<std::string>{"enter", "leave", "enter", "over", "drop move"}),
              pView->m_calls);
    EXPECT_EQ(L"dropped text", pView->m_dropped);
    EXPECT_EQ(CPoint(60, 70), pView->m_dropPoint);
    target.Revoke();
}

// A window that is not a view refuses drops by default.
TEST_F(DropTargetTest, DefaultHandlersRefuseForAPlainWindow) {
    COleDropTarget target;
    ASSERT_TRUE(target.Register(&m_wnd));
    DWORD effect = DROPEFFECT_COPY;
    target.GetDropTarget()->DragEnter(m_source.GetDataObject(), 0, ScreenPoint(5, 5), &effect);
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_COPY;
    target.GetDropTarget()->Drop(m_source.GetDataObject(), 0, ScreenPoint(5, 5), &effect);
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    target.Revoke();
}
} // namespace
