#include "scbar_fixture.h"

#include "toolbars/drawing/themeapi.h"
#include "toolbars/registered_messages.h"

#include <cstring>

namespace {
// OLE for the whole program: the lists register drop targets when they are made.
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(NULL); }
    void TearDown() override { ::OleUninitialize(); }
};
const auto* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

const COLORREF kImageColors[3] = {RGB(220, 40, 40), RGB(40, 180, 40), RGB(40, 80, 220)};

void AddSquares(CImageList& list, int cx) {
    ASSERT_TRUE(list.Create(cx, cx, ILC_COLOR24, 3, 0));
    HDC hScreen = ::GetDC(NULL);
    for (COLORREF rgb : kImageColors) {
        HDC hdc = ::CreateCompatibleDC(hScreen);
        HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, cx, cx);
        HGDIOBJ hOld = ::SelectObject(hdc, hbm);
        RECT rc = {0, 0, cx, cx};
        HBRUSH hBrush = ::CreateSolidBrush(rgb);
        ::FillRect(hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::ImageList_Add(list.m_hImageList, hbm, NULL);
        ::DeleteObject(hbm);
    }
    ::ReleaseDC(NULL, hScreen);
}
} // namespace

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
}

BOOL NotifyRecorder::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    int nItem = -1;
    if (pHdr->code == SECSHORTCUT_NOTIFY_CLICK)
        nItem = reinterpret_cast<SECShortcutNotify*>(lParam)->iItem;
    if (pHdr->code == NM_CLICK || pHdr->code == SECSHORTCUT_NOTIFY_CLICK)
        notes.emplace_back(pHdr->code, nItem);
    if (onNote && (pHdr->code == NM_CLICK || pHdr->code == SECSHORTCUT_NOTIFY_CLICK))
        onNote(pHdr->code);
    *pResult = 0;
    return TRUE;
}

DROPEFFECT TestShortcutList::RunItemDrag(COleDataSource* pSource) {
    ++drags;
    if (duringDrag) {
        duringDrag();
        return DROPEFFECT_MOVE;
    }
    if (dropInto == NULL)
        return DROPEFFECT_NONE;
    return FeedDrop(dropInto, pSource->GetDataObject(), dropAt);
}

DROPEFFECT FeedDrop(SECShortcutListCtrl* pList, IDataObject* pData, CPoint client) {
    IDropTarget* pTarget = pList->GetListDropTarget()->GetDropTarget();
    CPoint screen = client;
    pList->ClientToScreen(&screen);
    const POINTL pt = {screen.x, screen.y};
    DWORD effect = DROPEFFECT_MOVE;
    pTarget->DragEnter(pData, MK_LBUTTON, pt, &effect);
    if (effect == DROPEFFECT_NONE) {
        pTarget->DragLeave();
        return DROPEFFECT_NONE;
    }
    effect = DROPEFFECT_MOVE;
    pTarget->DragOver(MK_LBUTTON, pt, &effect);
    if (effect == DROPEFFECT_NONE) {
        pTarget->DragLeave();
        return DROPEFFECT_NONE;
    }
    effect = DROPEFFECT_MOVE;
    pTarget->Drop(pData, 0, pt, &effect);
    return effect;
}

COleDataSource* MakeDragData(const void* pBytes, SIZE_T cb) {
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    std::memcpy(::GlobalLock(hData), pBytes, cb);
    ::GlobalUnlock(hData);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData((CLIPFORMAT)SEC_CF_LISTCTRL, hData);
    return pSource;
}

std::vector<BYTE> DragBytes(const GUID& key, LPCWSTR pszText, int nImage, LPARAM lParam) {
    std::vector<BYTE> bytes(SECSHORTCUT_DRAGDATA_SIZE, 0);
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.pszText = const_cast<LPWSTR>(pszText);
    item.iImage = nImage;
    item.lParam = lParam;
    std::memcpy(bytes.data(), &key, sizeof(GUID));
    std::memcpy(bytes.data() + 16, &item, SECSHORTCUT_DRAGITEM_SIZE);
    return bytes;
}

void ShortcutFixture::SetUp() {
    FreeThemeApi(); // classic drawing: the theme entries answer failure
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"shortcut lists", WS_POPUP | WS_VISIBLE, 40, 40, 340, 300,
                                NULL, NULL));
    AddSquares(large, 32);
    AddSquares(small, 16);
    int x = 0;
    for (TestShortcutList* pList : {&left, &right}) {
        ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(x, 0, x + 160, 300),
                                  &parent, 100 + x));
        pList->SetImageList(&large, LVSIL_NORMAL);
        pList->SetImageList(&small, LVSIL_SMALL);
        pList->SetRedrawFlag(TRUE);
        x += 170;
    }
    ::SetForegroundWindow(parent.m_hWnd);
    PumpFor(20);
}

void ShortcutFixture::TearDown() {
    left.DestroyWindow();
    right.DestroyWindow();
    parent.DestroyWindow();
    PumpFor(10);
}

void ShortcutFixture::Fill(TestShortcutList& list, int nItems, LPCWSTR pszPrefix) {
    for (int i = 0; i < nItems; ++i) {
        const std::wstring text = pszPrefix + std::to_wstring(i);
        list.InsertItemImage(list.GetItemCount(), text.c_str(), i % 3);
    }
    list.RecalcLayout();
    list.UpdateWindow();
}

std::vector<std::wstring> ShortcutFixture::Texts(SECShortcutListCtrl& list) {
    std::vector<std::wstring> out;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        wchar_t sz[64] = {};
        list.GetItemText(i, 0, sz, 64);
        out.push_back(sz);
    }
    return out;
}

std::pair<int, int> ShortcutFixture::RowSpan(SECShortcutListCtrl& list, int nRow) {
    int top = -1, bottom = -1;
    for (int y = 0; y < 300; ++y) {
        const int nHit = list.HitTest(2, y, NULL, NULL);
        if (nHit == nRow && top < 0)
            top = y;
        if (nHit == nRow)
            bottom = y + 1;
    }
    return {top, bottom};
}

CPoint ShortcutFixture::IconPoint(SECShortcutListCtrl& list, int nRow) {
    CRect rc;
    list.GetClientRect(&rc);
    for (int y = 0; y < 300; ++y) {
        UINT nFlags = 0;
        if (list.HitTest(rc.CenterPoint().x, y, &nFlags, NULL) == nRow &&
            (nFlags & LVHT_ONITEMICON))
            return CPoint(rc.CenterPoint().x, y + 8);
    }
    return CPoint(-100, -100);
}

void ShortcutFixture::Send(CWnd& wnd, UINT msg, WPARAM wParam, CPoint pt) {
    wnd.SendMessage(msg, wParam, MAKELPARAM(pt.x, pt.y));
}
