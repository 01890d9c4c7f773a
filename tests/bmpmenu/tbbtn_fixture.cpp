#include "tbbtn_fixture.h"

#include "test_strips.h"

#include <cstring>

NotifyOwner::NotifyOwner() {
    CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 300, 100, NULL, NULL);
}

NotifyOwner::~NotifyOwner() {
    DestroyWindow();
}

BOOL NotifyOwner::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_NOTIFY) {
        NotifySeen s = {};
#ifndef _WIN64
        // The 32-bit record, read at its fixed offsets.
        const BYTE* p = reinterpret_cast<const BYTE*>(lParam);
        std::memcpy(&s.hwnd, p + 0, 4);
        std::memcpy(&s.id, p + 4, 4);
        std::memcpy(&s.code, p + 8, 4);
        std::memcpy(&s.command, p + 12, 4);
        std::memcpy(&s.index, p + 44, 4);
        std::memcpy(&s.a, p + 48, 4);
        std::memcpy(&s.b, p + 52, 4);
#else
        const auto* r = reinterpret_cast<const SECTBNotify*>(lParam);
        s = {r->hdr.hwndFrom,
             static_cast<UINT>(r->hdr.idFrom),
             static_cast<int>(r->hdr.code),
             r->nID,
             r->nIndex,
             r->a,
             r->b,
             FALSE,
             0};
#endif
        s.sending = IsBtnCommandBeingSent();
        s.style = bar != nullptr && !bar->buttons.empty() ? bar->buttons[0]->GetStyle() : 0;
        seen.push_back(s);
        if (onNotify)
            onNotify();
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

TestBar::TestBar(NotifyOwner& owner, SECBmpMgr* pStore, UINT nID) : m_pStore(pStore) {
    m_pStore->AddRef();
    m_wnd.CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, 0, 0, 300, 40,
                   owner.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

TestBar::~TestBar() {
    buttons.clear();
    m_wnd.DestroyWindow();
    m_pStore->Release();
}

int TestBar::IndexOfButton(const SECStdBtn* pBtn) const {
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].get() == pBtn)
            return static_cast<int>(i);
    return -1;
}

void TestBar::NotifyButtons(UINT nID, UINT nCode, void* pData, BOOL bAllBars) {
    for (auto& pBtn : buttons)
        if (pBtn->m_nID == nID)
            pBtn->OnNotify(nCode, pData);
    if (bAllBars && otherBar != nullptr)
        otherBar->NotifyButtons(nID, nCode, pData, FALSE);
}

SECStdBtn* TestBar::Add(const SECButtonClass& cls, UINT nID, DWORD dwStyle, int x, int y,
                        const UINT_PTR* pData) {
    std::unique_ptr<SECStdBtn> pBtn(cls.CreateButton());
    pBtn->m_nID = nID;
    pBtn->SetStyle(dwStyle);
    pBtn->Init(this, pData);
    pBtn->SetPos(x, y);
    buttons.push_back(std::move(pBtn));
    return buttons.back().get();
}

SECBmpMgr* MakeButtonStore(HBITMAP& hStrip) {
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0)};
    hStrip = MakeSquareStrip(colours, 2);
    auto* pStore = new SECBmpMgr;
    const UINT ids[] = {100, 101};
    pStore->AddBitmap(hStrip, NULL, ids, 2);
    return pStore;
}
