#include "list_fixture.h"

#include "toolbars/drawing/themeapi.h"

#include <string>

void PumpPending() {
    MSG msg;
    for (int i = 0; i < 200 && ::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE); ++i) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL RecordingParent::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    codes.push_back(pHdr->code);
    *pResult = answer ? answer(pHdr) : 0;
    return TRUE;
}

std::vector<UINT> RecordingParent::Interesting() const {
    std::vector<UINT> out;
    for (UINT c : codes)
        if (c != NM_KILLFOCUS && c != LVN_GETDISPINFOW)
            out.push_back(c);
    return out;
}

void ListFixture::SetUp() {
    // Classic drawing: the theme entries answer failure.
    FreeThemeApi();
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"list parent", WS_POPUP | WS_VISIBLE, 40, 40, 560, 300,
                                NULL, NULL));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                            CRect(0, 0, 560, 300), &parent, 100));
    list.SetRedrawFlag(TRUE);
    const wchar_t* headings[kColumns] = {L"Name", L"Value", L"Type", L"Address", L"Notes"};
    for (int i = 0; i < kColumns; ++i)
        list.InsertColumnArgs(i, headings[i], LVCFMT_LEFT, i == 0 ? 120 : 100, -1, -1, TRUE);
    ::SetForegroundWindow(parent.m_hWnd);
    PumpPending();
}

void ListFixture::TearDown() {
    list.DestroyWindow();
    parent.DestroyWindow();
    PumpPending();
}

void ListFixture::Fill(int nRows) {
    list.SetRedrawFlag(FALSE);
    for (int r = 0; r < nRows; ++r) {
        const std::wstring name = L"row " + std::to_wstring(r);
        list.InsertItemText(r, name.c_str());
        for (int k = 1; k < kColumns; ++k) {
            const std::wstring text = std::to_wstring(r) + L"." + std::to_wstring(k);
            LVITEM item = {};
            item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
            item.iItem = r;
            item.iSubItem = k;
            item.pszText = const_cast<LPWSTR>(text.c_str());
            list.SetItem(&item, FALSE);
        }
    }
    list.SetRedrawFlag(TRUE);
    list.RecalcLayout();
    list.Invalidate();
    PumpPending();
}

void ListFixture::Click(int x, int y, UINT nFlags) {
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(x, y));
    list.SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(x, y));
}

void ListFixture::PressKey(UINT vk, bool bShift, bool bCtrl) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = bShift ? 0x80 : 0;
    keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    list.SendMessage(WM_KEYDOWN, vk, 1);
    keys[VK_SHIFT] = 0;
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

CPoint ListFixture::CellPoint(int nRow, int nCol) {
    CRect rc;
    EXPECT_TRUE(list.GetSubItemRect(nRow, nCol, &rc, LVIR_LABEL));
    return CPoint(rc.left + 2, (rc.top + rc.bottom) / 2);
}

std::vector<int> ListFixture::SelectedRows() const {
    std::vector<int> out;
    const CDWordArray& sel = list.GetSelectedRows();
    for (INT_PTR i = 0; i < sel.GetSize(); ++i)
        out.push_back((int)sel[i]);
    return out;
}
