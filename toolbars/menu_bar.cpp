// SECMenuBar: its buttons made from a menu, mnemonics, enabling by mask and the menu font.
#include "toolbars/menu_bar.h"

#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"

#include <algorithm>
#include <cwctype>

IMPLEMENT_DYNCREATE(SECMenuBar, SECCustomToolBar)

BEGIN_MESSAGE_MAP(SECMenuBar, SECCustomToolBar)
ON_WM_SYSCOMMAND()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(WM_SEC_MENUPROD, OnMenuProd)
END_MESSAGE_MAP()

SECMenuBar* SECMenuBar::s_pTracking = nullptr;

CString MenuButtonText(const CString& strItem) {
    const int nTab = strItem.Find(L'\t');
    return nTab >= 0 ? strItem.Left(nTab) : strItem;
}

SECMenuBar::SECMenuBar() = default;

SECMenuBar::~SECMenuBar() {
    if (s_pTracking == this)
        s_pTracking = nullptr;
    if (m_pMessages != nullptr)
        m_pMessages->SetMenuBar(nullptr);
}

BOOL SECMenuBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                          LPCTSTR lpszTitle) {
    // A row of its own, and hidden while a document is active in place.
    return SECCustomToolBar::CreateEx(dwExStyle | CBRS_EX_OWNROW, pParentWnd,
                                      dwStyle | CBRS_HIDE_INPLACE, nID, lpszTitle);
}

CFont* SECMenuBar::GetButtonFont() {
    if (m_menuFont.GetSafeHandle() == NULL) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) ||
            !m_menuFont.CreateFontIndirect(&metrics.lfMenuFont))
            return GetBarFont();
    }
    return &m_menuFont;
}

CSize SECMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = SECCustomToolBar::CalcFixedLayout(bStretch, bHorz);
    if (bStretch && (m_dwExStyle & CBRS_EX_OWNROW)) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize SECMenuBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    CSize size = SECCustomToolBar::CalcDynamicLayout(nLength, nMode);
    // Docked, the bar takes the whole length of its row, as a frame's own menu does: the
    // length of the frame's client area that its dock bar runs along.
    CFrameWnd* pFrame = GetDockingFrame();
    if (!(m_dwExStyle & CBRS_EX_OWNROW) || pFrame == nullptr || pFrame->m_hWnd == NULL ||
        IsFloating())
        return size;
    CRect client;
    pFrame->GetClientRect(&client);
    if (nMode & LM_HORZDOCK)
        size.cx = std::max<int>(size.cx, client.Width());
    else if (nMode & LM_VERTDOCK)
        size.cy = std::max<int>(size.cy, client.Height());
    return size;
}

void SECMenuBar::AttachToDockBar(SECDockBar* pDockBar) {
    SECCustomToolBar::AttachToDockBar(pDockBar);
    if (pDockBar == nullptr || !IsFloating())
        return;
    if (CFrameWnd* pFloating = GetParentFrame())
        if (pFloating->GetStyle() & WS_SYSMENU)
            pFloating->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
}

BOOL SECMenuBar::QueryNegotiatedBorder() {
    const BOOL bOnce = m_bNegotiatedBorder;
    m_bNegotiatedBorder = FALSE;
    return bOnce;
}

int SECMenuBar::FindMnemonic(WCHAR c) {
    const WCHAR upper = static_cast<WCHAR>(std::towupper(c));
    if (upper == 0)
        return -1;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const auto* pBtn = dynamic_cast<const SECTBMenuBtn*>(m_btns[i].get());
        if (pBtn != nullptr && !(pBtn->m_nStyle & SEC_TBBS_HIDDEN) && pBtn->m_cMnemonic == upper)
            return i;
    }
    return -1;
}

void SECMenuBar::EnableMenuButtons(DWORD dwMask, BOOL bRelayout) {
    m_dwEnableMask = dwMask;
    for (int i = 0; i < GetButtonCount(); ++i) {
        auto* pBtn = dynamic_cast<SECTBMenuBtn*>(m_btns[i].get());
        if (pBtn == nullptr)
            continue;
        const DWORD dwOld = pBtn->m_nStyle;
        if (pBtn->m_dwFlag & dwMask)
            pBtn->m_nStyle &= ~SEC_TBBS_DISABLED;
        else
            pBtn->m_nStyle |= SEC_TBBS_DISABLED;
        if (pBtn->m_nStyle != dwOld && !bRelayout)
            InvalidateButton(i);
    }
    if (bRelayout)
        AfterLayoutChange();
}

void SECMenuBar::ClearButtons() {
    ExitTrackingMode();
    ResetButtons();
    ClearSelection(FALSE);
}

BOOL SECMenuBar::SetMenu(HMENU hMenu, UINT nMenuId) {
    if (hMenu != NULL && !::IsMenu(hMenu))
        return FALSE;
    if (s_pTracking == this)
        ::EndMenu(); // the open popup may belong to the menu going away
    ClearButtons();
    m_hMenu = hMenu;
    m_nMenuId = nMenuId;
    const int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &mii) ||
            (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) || mii.cch == 0)
            continue; // only text items make buttons
        CString text;
        std::vector<wchar_t> buffer(mii.cch + 1);
        mii.dwTypeData = buffer.data();
        mii.cch = static_cast<UINT>(buffer.size());
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        text = MenuButtonText(buffer.data());
        // The button keeps a copy of the text.
        const UINT_PTR data[5] = {nMenuId, static_cast<UINT_PTR>(i),
                                  reinterpret_cast<UINT_PTR>(text.GetString()), SEC_MENUBTN_ALWAYS,
                                  0};
        std::unique_ptr<SECTBMenuBtn> pBtn(new SECTBMenuBtn);
        pBtn->m_nID = mii.hSubMenu != NULL ? 0 : mii.wID;
        pBtn->Init(this, data);
        if (mii.fState & MFS_GRAYED)
            pBtn->m_dwFlag = 0; // never enabled by a mask
        m_btns.push_back(std::move(pBtn));
    }
    EnableMenuButtons(m_dwEnableMask, FALSE);
    AfterLayoutChange();
    return TRUE;
}

void SECMenuBar::ResetMenu(BOOL bKeepLayout) {
    const UINT* pIDs = nullptr;
    int nCount = 0;
    if (SECToolBarManager* pManager = GetToolBarManager())
        pManager->GetMenuBarIds(pIDs, nCount);
    if (pIDs != nullptr && nCount > 0) {
        ClearButtons();
        for (int i = 0; i < nCount; ++i)
            InsertButton(GetButtonCount(), pIDs[i], FALSE, TRUE);
        EnableMenuButtons(m_dwEnableMask, FALSE);
        if (!bKeepLayout)
            AfterLayoutChange();
        return;
    }
    SetMenu(m_hMenu, m_nMenuId);
}

void SECMenuBar::OnSetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    // Saved drop-down buttons carry no command (they would come back as separators): the menu
    // shown, or the manager's menu-bar ids, make them again.
    SECCustomToolBar::OnSetBarInfoEx(pInfo, pFrameWnd);
    ResetMenu(TRUE);
}

void SECMenuBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate) {
    SECCustomToolBar::InsertButton(nIndex, nID, bSeparator, TRUE);
    EnableMenuButtons(m_dwEnableMask, FALSE);
    if (!bNoUpdate)
        AfterLayoutChange();
}

void SECMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    // The popups' items are updated when they open; the buttons follow the enable mask.
}

void SECMenuBar::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) != SC_KEYMENU || lParam == 0 || lParam == ' ') {
        Default();
        return;
    }
    const int nIndex = FindMnemonic(static_cast<WCHAR>(lParam));
    if (nIndex >= 0) {
        PostMessage(WM_SEC_MENUPROD, static_cast<WPARAM>(nIndex), TRUE);
        return;
    }
    ::MessageBeep(0);
    if (m_pMessages != nullptr)
        m_pMessages->LeaveKeyboardMode();
}

LRESULT SECMenuBar::OnMenuProd(WPARAM wParam, LPARAM lParam) {
    TrackPopup(static_cast<int>(wParam), lParam != 0);
    return 0;
}

void SECMenuBar::OnDestroy() {
    if (s_pTracking == this)
        ::EndMenu();
    if (m_pMessages != nullptr)
        m_pMessages->LeaveKeyboardMode();
    SECCustomToolBar::OnDestroy();
}
