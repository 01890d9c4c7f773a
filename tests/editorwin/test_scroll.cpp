// Scroll bars in step with the origin through edits, font changes, resizing and every scroll
// code; resizing repaints only what appeared; a drag held near the edge scrolls.
#include "tests/support/editorwin_support.h"

#include "editor/edit_drop_target.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace ewtest;

std::wstring Lines(int count, const wchar_t* prefix = L"line ") {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += L'\n';
        text += prefix + std::to_wstring(i);
    }
    return text;
}

SCROLLINFO Bar(HWND w, int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(w, bar, &info);
    return info;
}

bool BarDisabled(HWND w, LONG object) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    ::GetScrollBarInfo(w, object, &info);
    return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
}

// What the vertical bar and the origin must say once the view shows `first` at the top.
void ExpectVertical(Host& host, int total, int first, const char* step) {
    const HWND w = host.Ctrl().m_hWnd;
    const int lh = host.LineHeight();
    CRect client;
    ::GetClientRect(w, &client);
    const int page = client.Height() / lh;
    const SCROLLINFO v = Bar(w, SB_VERT);
    EXPECT_EQ(host.Ctrl().GetLogOrigin().y, first * lh) << step;
    if (page < total) {
        EXPECT_EQ(v.nMax, total - 1) << step;
        EXPECT_EQ(int(v.nPage), page) << step;
        EXPECT_EQ(v.nPos, first) << step;
        EXPECT_FALSE(BarDisabled(w, OBJID_VSCROLL)) << step;
    } else {
        EXPECT_EQ(v.nMax, page) << step;
        EXPECT_EQ(int(v.nPage), page + 1) << step;
        EXPECT_EQ(v.nPos, 0) << step;
        EXPECT_TRUE(BarDisabled(w, OBJID_VSCROLL)) << step << ": shown, disabled";
    }
}

TEST(EditorScrollBars, FollowEditsFontsSizesAndTheCaret) {
    Host host(480, 240);
    const HWND w = host.Ctrl().m_hWnd;
    host.Load(L"a\nb\nc\nd\ne");
    ExpectVertical(host, 5, 0, "loaded, fits");
    EXPECT_TRUE(BarDisabled(w, OBJID_HSCROLL)) << "nothing wide";

    host.Model().InsertTextAt(2, 0, (Lines(50) + L"\n").c_str());
    ExpectVertical(host, 55, 0, "50 lines inserted");

    host.Ctrl().SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    const int page = Bar(w, SB_VERT).nPage;
    ExpectVertical(host, 55, page, "a page down");

    host.Model().Undo();
    ExpectVertical(host, 5, 0, "undone: fits again and back at the top");

    // Lengthening the longest line in one edit: one row repainted, the bar still widens.
    const int columnsBefore = Bar(w, SB_HORZ).nMax;
    host.Model().InsertTextAt(0, 1, std::wstring(200, L'x').c_str());
    const SCROLLINFO h = Bar(w, SB_HORZ);
    EXPECT_EQ(h.nMax, 200) << "201 columns, from 0";
    EXPECT_NE(h.nMax, columnsBefore);
    EXPECT_FALSE(BarDisabled(w, OBJID_HSCROLL));

    // A bigger font: fewer lines fit, the bar follows.
    host.Model().InsertTextAt(1, 0, (Lines(20) + L"\n").c_str());
    SECEditLangConfig* config = host.Model().GetLangConfig();
    const int size = config->GetSize();
    config->SetSize(size * 2);
    SECEditMsg recolour(SECEDIT_HINT_RECOLOUR);
    config->NotifyObservers(nullptr, &recolour);
    ExpectVertical(host, 25, 0, "font doubled");
    config->SetSize(size);
    config->NotifyObservers(nullptr, &recolour);
    ExpectVertical(host, 25, 0, "font back");

    // Smaller window, then the caret far down.
    ::SetWindowPos(w, nullptr, 0, 0, 480, 5 * host.LineHeight() + 3, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ExpectVertical(host, 25, 0, "resized");
    host.Controller().SetSel(host.Controller().PositionToChar(22, 0),
                             host.Controller().PositionToChar(22, 2), FALSE);
    const int first = host.Ctrl().GetLogOrigin().y / host.LineHeight();
    EXPECT_LE(first, 22);
    EXPECT_GT(first + int(Bar(w, SB_VERT).nPage), 22) << "the caret line shows";
    ExpectVertical(host, 25, first, "SetSel far away");
}

TEST(EditorScrollBars, EveryCodeStepsAsItsTableSays) {
    Host host(480, 20 * 16);
    host.Load(Lines(100).c_str());
    const HWND w = host.Ctrl().m_hWnd;
    CRect client;
    ::GetClientRect(w, &client);
    const int page = client.Height() / host.LineHeight();
    const int largest = 100 - page;
    struct Case {
        const char* what;
        int start;
        UINT code;
        int pos;
        int expected;
    } cases[] = {
        {"line up at the top", 0, SB_LINEUP, 0, 0},
        {"line down", 0, SB_LINEDOWN, 0, 1},
        {"line down at the end", largest, SB_LINEDOWN, 0, largest},
        {"page down near the end moves the rest", largest - 3, SB_PAGEDOWN, 0, largest},
        {"page down", 0, SB_PAGEDOWN, 0, page},
        {"page up", page + 2, SB_PAGEUP, 0, 2},
        {"page up near the top", 2, SB_PAGEUP, 0, 0},
        {"thumb position", 0, SB_THUMBPOSITION, 40, 40},
        {"end scroll", 10, SB_ENDSCROLL, 0, 10},
        {"code 99", 10, 99, 0, 10},
    };
    for (const Case& k : cases) {
        ::SendMessageW(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, k.start), 0);
        ASSERT_EQ(host.Ctrl().GetLogOrigin().y, k.start * host.LineHeight()) << k.what;
        ::SendMessageW(w, WM_VSCROLL, MAKEWPARAM(k.code, k.pos), 0);
        ExpectVertical(host, 100, k.expected, k.what);
    }
    // A thumb dragged past either end: the bar's own track position, clamped.
    for (int track : {5000, -7}) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        info.nPos = 0;
        ::SetScrollInfo(w, SB_VERT, &info, FALSE);
        host.Ctrl().SECEditViewport::SetLogOrigin(0, 0);
        // No real drag runs: the track position the handler reads is the bar's position.
        info.nPos = track;
        ::SetScrollInfo(w, SB_VERT, &info, FALSE);
        ::SendMessageW(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(track)), 0);
        const int origin = host.Ctrl().GetLogOrigin().y / host.LineHeight();
        EXPECT_GE(origin, 0);
        EXPECT_LE(origin, largest) << track;
        EXPECT_EQ(Bar(w, SB_VERT).nPos, origin) << track;
    }
}

// A control that notes the area of every paint.
class PaintRecordingCtrl : public SECEditCtrl {
public:
    std::vector<CRect> paints;
    void Draw(CDC* dc) override {
        CRect clip;
        dc->GetClipBox(&clip);
        paints.push_back(clip);
        SECEditCtrl::Draw(dc);
    }
};

TEST(EditorScrollBars, WideningRepaintsOnlyTheNewStrip) {
    auto* control = new PaintRecordingCtrl;
    Host host(420, 200, control);
    host.Load(Lines(5).c_str());
    const HWND w = control->m_hWnd;
    CRect before;
    ::GetClientRect(w, &before);
    ::SetWindowPos(w, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    control->paints.clear();
    ::GetClientRect(w, &before);
    ::SetWindowPos(w, nullptr, 0, 0, 350, 200, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    CRect after;
    ::GetClientRect(w, &after);
    ASSERT_EQ(after.Width(), before.Width() + 50);
    ASSERT_FALSE(control->paints.empty());
    for (const CRect& r : control->paints) {
        EXPECT_GE(r.left, before.right) << "only the new strip";
        EXPECT_LE(r.right, after.right);
    }
    // Growing at the left edge repaints everything.
    control->paints.clear();
    ::SetWindowPos(w, nullptr, -20, 0, 370, 200, SWP_NOZORDER);
    Pump();
    // Everything that shows: the 20 pixels left of the parent are clipped away.
    CRect grown;
    ::GetClientRect(w, &grown);
    bool whole = false;
    for (const CRect& r : control->paints)
        whole = whole || (r.left <= 20 && r.top == 0 && r.right >= grown.right);
    EXPECT_TRUE(whole);
}

TEST(EditorScrollBars, EmptyWindowsAndViewsWithoutModelPaintTheBackground) {
    Host host(300, 200);
    host.Load(Lines(40).c_str());
    const HWND w = host.Ctrl().m_hWnd;
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ::SetWindowPos(w, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ExpectVertical(host, 40, 0, "restored after 0 x 0");

    host.Ctrl().ForgetModel();
    host.Repaint();
    const Picture p = CaptureShownClient(w);
    EXPECT_EQ(Hex(p.At(p.cx / 2, p.cy / 2)), Hex(::GetSysColor(COLOR_WINDOW)));
    for (UINT code : {SB_LINEDOWN, SB_PAGEDOWN, SB_THUMBTRACK})
        ::SendMessageW(w, WM_VSCROLL, code, 0); // no metrics: nothing happens
    EXPECT_EQ(host.Ctrl().GetLogOrigin(), CPoint(0, 0));
}

// The smallest data object a drag needs.
class NoData : public IDataObject {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

TEST(EditorScrollBars, ADragHeldNearTheBottomScrollsAfterTheDelay) {
    Host host(300, 200);
    host.Load(Lines(60).c_str());
    const HWND w = host.Ctrl().m_hWnd;
    auto* target = dynamic_cast<SECEditDropTarget*>(host.Ctrl().GetDropTargetObject());
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->IsRegistered());
    IDropTarget* drop = target->GetDropTarget();
    CRect client;
    ::GetClientRect(w, &client);
    POINT inside = {client.Width() / 2, client.bottom - 2};
    ::ClientToScreen(w, &inside);
    POINTL at = {inside.x, inside.y};
    NoData data;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    drop->DragEnter(&data, 0, at, &effect);
    EXPECT_TRUE(effect & DROPEFFECT_SCROLL) << "in the scroll zone";
    EXPECT_EQ(host.Ctrl().GetLogOrigin().y, 0) << "not before the delay";
    ::Sleep(COleDropTarget::nScrollDelay + 20);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    drop->DragOver(0, at, &effect);
    EXPECT_EQ(host.Ctrl().GetLogOrigin().y, host.LineHeight()) << "one line after the delay";
    // Out of the zone: no scrolling, and the editor takes no drops yet.
    POINT middle = {client.Width() / 2, client.Height() / 2};
    ::ClientToScreen(w, &middle);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    drop->DragOver(0, POINTL{middle.x, middle.y}, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(target->GetScrollCode(), SECEditDropTarget::kNoScroll);
    drop->DragLeave();
}

} // namespace
