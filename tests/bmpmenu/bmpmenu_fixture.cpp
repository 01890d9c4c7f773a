#include "bmpmenu_fixture.h"

#include "test_strips.h"

MenuHost::MenuHost() {
    CreateEx(0, AfxRegisterWndClass(0), L"menu host", WS_OVERLAPPEDWINDOW, 50, 50, 400, 300, NULL,
             NULL);
}

MenuHost::~MenuHost() {
    DestroyWindow();
}

BOOL MenuHost::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (plugIn != nullptr) {
        LRESULT result = 0;
        plugIn->OnWndMsg(message, wParam, lParam, &result);
        if (plugIn->GetExitFlag()) {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && onMenuIdle)
        onMenuIdle(reinterpret_cast<HWND>(lParam));
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM || message == WM_MENUCHAR ||
        message == WM_INITMENUPOPUP || message == WM_IDLEUPDATECMDUI)
        reached.push_back(message);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

TestImages::TestImages() : store(new SECBmpMgr), strip(MakeSquareStrip(kImageColors, 3)) {
    store->AddBitmap(strip, NULL, kImageIds, 3);
}

TestImages::~TestImages() {
    store->Release();
    ::DeleteObject(strip);
}

ItemState ReadItemState(HMENU hMenu, int nPos) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoW(hMenu, nPos, TRUE, &mii);
    return {mii.fType, mii.dwItemData};
}
