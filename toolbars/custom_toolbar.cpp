// SECCustomToolBar: its buttons, creation, painting, update-UI and saved form.
#include "toolbars/custom_toolbar.h"

#include "toolbars/drawing/toolkitcolors.h"
#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

namespace {
// Posted to a user bar emptied during a button drag: it goes once the drag is over.
const UINT SEC_WM_DESTROYIFEMPTY = WM_APP + 0x3A0;
// The remembered floating width of a bar that never floated: one row, however long.
constexpr int kUnboundedWidth = 32767;
} // namespace

BEGIN_MESSAGE_MAP(SECCustomToolBar, SECControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_CANCELMODE()
ON_WM_MOUSEACTIVATE()
ON_WM_SHOWWINDOW()
ON_WM_WINDOWPOSCHANGING()
ON_WM_SYSCOLORCHANGE()
ON_WM_DESTROY()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_REGISTERED_MESSAGE(WM_NODELAYHIDE, OnNoDelayHide)
ON_MESSAGE(TB_ADDBUTTONSW, OnAddButtons)
ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
ON_MESSAGE(SEC_WM_DESTROYIFEMPTY, OnDestroyIfEmpty)
END_MESSAGE_MAP()

SECCustomToolBar::SECCustomToolBar() : m_pBmpMgr(new SECBmpMgr) {
    // A new store is born with the bar's reference.
    m_cyTopBorder = m_cyBottomBorder = 3;
    m_cxLeftBorder = 3;
    m_cxRightBorder = 2;
}

SECCustomToolBar::~SECCustomToolBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
    m_btns.clear();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
}

SECToolBarManager* SECCustomToolBar::GetToolBarManager() const {
    return dynamic_cast<SECToolBarManager*>(m_pManager);
}

void SECCustomToolBar::SetManager(SECToolBarManager* pManager) {
    m_pManager = pManager;
}

BOOL SECCustomToolBar::IsUserBar() const {
    // Only the bars a manager hands out as user bars go when emptied; host bars stay.
    const UINT nID = m_hWnd != NULL ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0;
    return GetToolBarManager() != nullptr && nID >= SEC_IDW_FIRST_USERBAR &&
           nID < SEC_IDW_END_USERBAR;
}

BOOL SECCustomToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle) {
    return CreateEx(0, pParentWnd, dwStyle, nID, lpszTitle);
}

BOOL SECCustomToolBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                                LPCTSTR lpszTitle) {
    m_dwStyle = dwStyle & 0x40FFFF;
    if (dwExStyle & 0x8000) {
        m_cyTopBorder = m_cyBottomBorder = 1;
        m_cxLeftBorder = 1;
        m_cxRightBorder = 1;
    }
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    const DWORD dwWindow = (dwStyle & ~0x0040FFFF) | WS_CHILD | WS_CLIPSIBLINGS;
    if (!CWnd::CreateEx(0, lpszClass, lpszTitle, dwWindow, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    if (SECToolBarManager* pManager = GetToolBarManager())
        pManager->BroadcastBarNotify(nID, SEC_BARNOTIFY_CREATED);
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    m_dwExStyle = dwExStyle | 0x20004;
    RecalcButtonSizes();
    return TRUE;
}

SECStdBtn* SECCustomToolBar::GetButton(int nIndex) const {
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_btns[nIndex].get() : nullptr;
}

int SECCustomToolBar::IndexOfButton(const SECStdBtn* pBtn) const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (m_btns[i].get() == pBtn)
            return i;
    return -1;
}

void SECCustomToolBar::SetButtonStyle(int nIndex, DWORD dwStyle) {
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn != nullptr && pBtn->GetStyle() != dwStyle) {
        pBtn->SetStyle(dwStyle);
        InvalidateButton(nIndex);
    }
}

DWORD SECCustomToolBar::GetButtonStyle(int nIndex) const {
    SECStdBtn* pBtn = GetButton(nIndex);
    return pBtn != nullptr ? pBtn->GetStyle() : 0;
}

UINT SECCustomToolBar::GetButtonId(int nIndex) const {
    SECStdBtn* pBtn = GetButton(nIndex);
    return pBtn != nullptr ? pBtn->m_nID : 0;
}

void SECCustomToolBar::GetButtonRect(int nIndex, CRect& rect) const {
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn != nullptr)
        pBtn->GetRect(rect);
    else
        rect.SetRectEmpty();
}

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* pMgr) {
    if (pMgr == nullptr || pMgr == m_pBmpMgr)
        return;
    pMgr->AddRef();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
    m_pBmpMgr = pMgr;
}

int SECCustomToolBar::GetButtonImage(UINT nID, UINT& nOutID) {
    HBITMAP hBitmap = NULL;
    int nIndex = 0;
    if (m_pBmpMgr != nullptr && m_pBmpMgr->GetImage(nID, hBitmap, nIndex)) {
        nOutID = nID;
        return nIndex;
    }
    nOutID = 0;
    return 0;
}

void SECCustomToolBar::RecalcButtonSizes(int, int) {
    m_cxLargest = GetButtonWidth();
    m_cyLargest = GetButtonHeight();
    for (auto& pBtn : m_btns)
        pBtn->RecalcSize();
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
}

std::unique_ptr<SECStdBtn> SECCustomToolBar::CreateButtonForId(UINT nID, SECBtnHost* pOwner) {
    SECToolBarManager* pManager = GetToolBarManager();
    const SECBtnMapEntry* maps[2] = {pManager != nullptr ? pManager->GetButtonMap() : m_pBtnMap,
                                     pManager != nullptr ? pManager->GetButtonMap2() : m_pBtnMap2};
    const SECBtnMapEntry* pFound = nullptr;
    for (const SECBtnMapEntry* pMap : maps) {
        for (const SECBtnMapEntry* p = pMap; p != nullptr && p->m_pClass != nullptr; ++p)
            if (p->m_nID == nID)
                pFound = p; // the last match wins
        if (pFound != nullptr)
            break;
    }
    std::unique_ptr<SECStdBtn> pBtn(pFound != nullptr ? pFound->m_pClass->CreateButton()
                                                      : new SECStdBtn);
    pBtn->m_nStyle = pFound != nullptr ? pFound->m_nStyle : 0;
    pBtn->m_nID = nID;
    UINT nOut = 0;
    pBtn->m_nImage = pBtn->m_nType == SEC_BTNKIND_MENU ? 0 : GetButtonImage(nID, nOut);
    SECBtnHost* pHost = pOwner != nullptr ? pOwner : this;
    pBtn->Init(pHost, pFound != nullptr ? pFound->m_data : nullptr);
    pBtn->SetVertical(pHost->IsVertical());
    return pBtn;
}

std::unique_ptr<SECStdBtn> SECCustomToolBar::CreateSeparatorButton(SECBtnHost* pOwner) {
    std::unique_ptr<SECStdBtn> pBtn(new SECStdBtn);
    pBtn->m_nStyle = SEC_TBBS_SEPARATOR;
    pBtn->Init(pOwner != nullptr ? pOwner : this, nullptr);
    pBtn->m_cx = GetSeparatorWidth();
    pBtn->m_cy = GetButtonHeight();
    return pBtn;
}

void SECCustomToolBar::ResetButtons() {
    m_nHotBtn = -1;
    if (m_hWnd != NULL)
        KillTimer(SEC_HOT_TIMER);
    m_btns.clear();
}

BOOL SECCustomToolBar::SetButtons(const UINT* pIDs, int nCount) {
    ResetButtons();
    ClearSelection(FALSE);
    for (int i = 0; pIDs != nullptr && i < nCount; ++i) {
        std::unique_ptr<SECStdBtn> pBtn =
            pIDs[i] == 0 ? CreateSeparatorButton() : CreateButtonForId(pIDs[i]);
        pBtn->RecalcSize();
        m_btns.push_back(std::move(pBtn));
    }
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    return TRUE;
}

BOOL SECCustomToolBar::LoadToolBar(LPCTSTR lpszResource) {
    std::vector<UINT> ids;
    int cx = 0, cy = 0;
    if (m_pBmpMgr == nullptr || !SECBmpMgr::ReadToolBarResource(lpszResource, ids, cx, cy) ||
        !m_pBmpMgr->LoadToolBar(lpszResource))
        return FALSE;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL SECCustomToolBar::SetButtonsWithBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount) {
    if (m_pBmpMgr == nullptr || !m_pBmpMgr->AddBitmap(hBitmap, NULL, pIDs, nCount))
        return FALSE;
    return SetButtons(pIDs, nCount);
}

// The tallest real button of the row through nFrom, walking by nStep until a row end, and the
// separators met on the way.
void SECCustomToolBar::RowExtent(int nFrom, int nStep, int& nTallest,
                                 std::vector<SECStdBtn*>& seps) const {
    for (int i = nFrom; i >= 0 && i < GetButtonCount(); i += nStep) {
        SECStdBtn* pBtn = m_btns[i].get();
        if (nStep < 0 && (pBtn->m_nStyle & SEC_TBBS_WRAPPED))
            break;
        if (!(pBtn->m_nStyle & SEC_TBBS_SEPARATOR))
            nTallest = std::max(nTallest, pBtn->m_cy);
        else
            seps.push_back(pBtn);
        if (nStep > 0 && (pBtn->m_nStyle & SEC_TBBS_WRAPPED))
            break;
    }
}

void SECCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate) {
    nIndex = std::max(0, std::min(nIndex, GetButtonCount()));
    // Id 0 is a separator whatever the flag says: a button of command 0 would do nothing.
    bSeparator = bSeparator || nID == 0;
    std::unique_ptr<SECStdBtn> pNew = bSeparator ? CreateSeparatorButton() : CreateButtonForId(nID);
    if (!bSeparator)
        pNew->RecalcSize();
    SECStdBtn* pBtn = pNew.get();
    m_btns.insert(m_btns.begin() + nIndex, std::move(pNew));
    int nTallest = 0;
    std::vector<SECStdBtn*> seps;
    RowExtent(nIndex + 1, 1, nTallest, seps);
    const bool bNextWraps =
        nIndex + 1 < GetButtonCount() && (m_btns[nIndex + 1]->m_nStyle & SEC_TBBS_WRAPPED);
    if (!bNextWraps)
        RowExtent(nIndex - 1, -1, nTallest, seps);
    if (bSeparator) {
        if (nTallest > 0)
            pBtn->m_cy = nTallest;
    } else {
        for (SECStdBtn* p : seps)
            p->m_cy = std::max(p->m_cy, pBtn->m_cy);
    }
    // A floating row keeps its buttons in one row by growing with them; the unbounded width of
    // a bar that never floated stays unbounded (it would otherwise creep with every button
    // added again after a restart, and be saved so).
    if (m_nMRUWidth < kUnboundedWidth)
        m_nMRUWidth = std::min(kUnboundedWidth, m_nMRUWidth + pBtn->m_cx);
    if (m_nCurBtn >= nIndex) {
        ++m_nCurBtn;
        if (m_bCustomize && m_hWnd != NULL)
            Invalidate();
    }
    if (m_nHotBtn >= nIndex)
        ++m_nHotBtn;
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    UpdateButtonUI(nIndex);
    if (!bNoUpdate)
        AfterLayoutChange();
}

void SECCustomToolBar::AfterLayoutChange() {
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    if (m_hWnd == NULL)
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout(TRUE);
    if (CFrameWnd* pDocking = GetDockingFrame())
        pDocking->RecalcLayout(TRUE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL SECCustomToolBar::RemoveButton(int nIndex, BOOL bNoUpdate) {
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return FALSE;
    std::unique_ptr<SECStdBtn> pGone = std::move(m_btns[nIndex]);
    m_btns.erase(m_btns.begin() + nIndex);
    const bool bWasSep = (pGone->m_nStyle & SEC_TBBS_SEPARATOR) != 0;
    int nTallest = 0;
    std::vector<SECStdBtn*> seps;
    RowExtent(nIndex, 1, nTallest, seps);
    if (!(pGone->m_nStyle & SEC_TBBS_WRAPPED))
        RowExtent(nIndex - 1, -1, nTallest, seps);
    if (nTallest == 0)
        nTallest = 2 * GetSeparatorWidth() / 3;
    if (!bWasSep)
        for (SECStdBtn* p : seps)
            p->m_cy = nTallest;
    pGone.reset();
    // One superfluous separator goes with it: the trailing one when this button was the last,
    // else the one that now doubles the separator before it, else a separator left at the
    // front; a trailing separator that stood there already goes only when nothing doubles.
    // Taking the trailing one first would leave the double separator that this removal made.
    int nExtra = -1;
    const int nCount = GetButtonCount();
    auto isSep = [this](int i) { return (m_btns[i]->m_nStyle & SEC_TBBS_SEPARATOR) != 0; };
    if (nCount > 0) {
        if (nIndex != 0 && isSep(nCount - 1) && nIndex >= nCount)
            nExtra = nCount - 1;
        else if (nIndex > 0 && nIndex < nCount && isSep(nIndex) && isSep(nIndex - 1))
            nExtra = nIndex;
        else if (nIndex == 0 && isSep(0))
            nExtra = 0;
        else if (nIndex != 0 && isSep(nCount - 1))
            nExtra = nCount - 1;
    }
    if (nExtra >= 0)
        m_btns.erase(m_btns.begin() + nExtra);
    // An index follows its button: it moves back past each removed button that stood before
    // it, and goes (-1) with the button it stood on. The extra separator may stand after it.
    auto follow = [nIndex, nExtra](int i) {
        for (const int nGone : {nIndex, nExtra}) {
            if (nGone < 0 || i < nGone)
                continue;
            if (i == nGone)
                return -1;
            --i;
        }
        return i;
    };
    if (m_nCurBtn >= 0) {
        m_nCurBtn = follow(m_nCurBtn);
        if (m_nCurBtn < 0)
            if (SECToolBarManager* pManager = GetToolBarManager())
                if (pManager->GetSelectionBar() == this)
                    pManager->SetSelectionBar(nullptr);
    }
    if (m_nHotBtn >= 0) {
        m_nHotBtn = follow(m_nHotBtn);
        if (m_nHotBtn < 0 && m_hWnd != NULL)
            KillTimer(SEC_HOT_TIMER);
    }
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    if (bNoUpdate)
        return !m_btns.empty();
    if (m_btns.empty() && IsUserBar()) {
        // A drag may still run inside this bar's own handler: it goes after the drag.
        if (IsButtonDragRunning())
            PostMessage(SEC_WM_DESTROYIFEMPTY);
        else
            DestroyWindow();
        return FALSE;
    }
    AfterLayoutChange();
    return !m_btns.empty();
}

void SECCustomToolBar::HideButton(int nIndex, BOOL bHide) {
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn == nullptr)
        return;
    if (bHide)
        pBtn->m_nStyle |= SEC_TBBS_HIDDEN;
    else
        pBtn->m_nStyle &= ~SEC_TBBS_HIDDEN;
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    pBtn->OnHiddenChanged();
}

void SECCustomToolBar::InvalidateButton(int nIndex) {
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn != nullptr && m_hWnd != NULL) {
        CRect rect = pBtn->GetRect();
        InvalidateRect(&rect, FALSE);
    }
}

void SECCustomToolBar::NotifyButtons(UINT nID, UINT nCode, void* pData, BOOL bAllBars) {
    SECToolBarManager* pManager = GetToolBarManager();
    if (bAllBars && pManager != nullptr) {
        pManager->NotifyButtons(nID, nCode, pData);
        return;
    }
    for (size_t i = 0; i < m_btns.size(); ++i)
        if (m_btns[i]->m_nID == nID && !(m_btns[i]->m_nStyle & SEC_TBBS_SEPARATOR))
            m_btns[i]->OnNotify(nCode, pData);
}

void SECCustomToolBar::SetCustomizeMode(BOOL bCustomize) {
    if (!bCustomize == !m_bCustomize)
        return;
    ClearSelection(FALSE);
    m_bCustomize = bCustomize;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void SECCustomToolBar::SelectButton(int nIndex, BOOL bRepaint) {
    SECToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->GetSelectionBar() != nullptr &&
        pManager->GetSelectionBar() != this)
        pManager->GetSelectionBar()->ClearSelection(TRUE);
    if (m_nCurBtn >= 0 && m_nCurBtn != nIndex && GetButton(m_nCurBtn) != nullptr) {
        m_btns[m_nCurBtn]->m_nStyle &= ~SEC_TBBS_SELECTED;
        InvalidateButton(m_nCurBtn);
    }
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn == nullptr)
        return;
    m_nCurBtn = nIndex;
    pBtn->m_nStyle |= SEC_TBBS_SELECTED;
    if (bRepaint)
        InvalidateButton(nIndex);
    if (pManager != nullptr) {
        pManager->SetSelectionBar(this);
        pManager->BroadcastBarNotify(GetDlgCtrlID(), SEC_BARNOTIFY_SELECTION);
    }
}

void SECCustomToolBar::ClearSelection(BOOL bRepaint) {
    SECToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->GetSelectionBar() == this)
        pManager->SetSelectionBar(nullptr);
    if (!m_bCustomize || m_nCurBtn < 0)
        return;
    if (SECStdBtn* pBtn = GetButton(m_nCurBtn)) {
        pBtn->m_nStyle &= ~SEC_TBBS_SELECTED;
        if (bRepaint)
            InvalidateButton(m_nCurBtn);
    }
    m_nCurBtn = -1;
    if (pManager != nullptr && m_hWnd != NULL)
        pManager->BroadcastBarNotify(GetDlgCtrlID(), SEC_BARNOTIFY_SELECTION);
}

SECBtnDrawingCache* SECCustomToolBar::DrawingCache() {
    if (SECToolBarManager* pManager = GetToolBarManager())
        return &pManager->GetDrawingCache();
    if (!m_pOwnCache)
        m_pOwnCache.reset(new SECBtnDrawingCache);
    return m_pOwnCache.get();
}

void SECCustomToolBar::DoPaint(CDC* pDC) {
    if (IsFlatLook()) {
        DrawFlatBackground(pDC);
    } else {
        // The background erase leaves the space inside the borders to the bar, and neither the
        // borders nor the buttons cover all of it: what a switch of the look or of the button
        // size moved away would stay there.
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
        SECControlBar::DoPaint(pDC);
    }
    if (m_btns.empty())
        return;
    SECBtnDrawingCache* pCache = DrawingCache();
    if (!pCache->Prepare(pDC, m_cxLargest, m_cyLargest))
        return;
    for (auto& pBtn : m_btns)
        if (!(pBtn->m_nStyle & SEC_TBBS_HIDDEN))
            pBtn->Draw(pDC, *pCache);
    pCache->Release();
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    INT_PTR nHit = SECControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    auto* pThis = const_cast<SECCustomToolBar*>(this);
    const int nIndex = pThis->HitTest(point.x, point.y);
    if (nIndex < 0)
        return -1;
    return static_cast<INT_PTR>(m_btns[nIndex]->ToolHitTest(point.x, point.y, pTI));
}

void SECCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
    SECControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    // Borders, side and floating shape the inside rectangle: a size measured before the bar
    // joined a dock bar (the frame lays out every child, docked or not) is stale after it.
    const DWORD dwShape = CBRS_BORDER_ANY | CBRS_ALIGN_ANY | CBRS_FLOATING;
    if ((dwOldStyle ^ dwNewStyle) & dwShape)
        m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    for (auto& pBtn : m_btns)
        pBtn->OnBarStyleChanged(dwNewStyle);
}

void SECCustomToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    SECStdBtn* pBtn = m_pBar != nullptr ? m_pBar->GetButton(static_cast<int>(m_nIndex)) : nullptr;
    if (pBtn == nullptr)
        return;
    DWORD dwStyle = pBtn->m_nStyle;
    // A handler's answer holds for every button: the no-disable bit only spares a button that
    // has no handler at all (OnUpdateCmdUI).
    if (bOn)
        dwStyle &= ~SEC_TBBS_DISABLED;
    else
        dwStyle |= SEC_TBBS_DISABLED;
    m_pBar->SetButtonStyle(static_cast<int>(m_nIndex), dwStyle);
}

void SECCustomToolCmdUI::SetCheck(int nCheck) {
    SECStdBtn* pBtn = m_pBar != nullptr ? m_pBar->GetButton(static_cast<int>(m_nIndex)) : nullptr;
    if (pBtn == nullptr)
        return;
    DWORD dwStyle =
        (pBtn->m_nStyle | SEC_TBBS_CHECKBOX) & ~(SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE);
    if (nCheck == 1)
        dwStyle |= SEC_TBBS_CHECKED;
    else if (nCheck == 2)
        dwStyle |= SEC_TBBS_INDETERMINATE;
    m_pBar->SetButtonStyle(static_cast<int>(m_nIndex), dwStyle);
}

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    SECCustomToolCmdUI state;
    state.m_pBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    for (int i = 0; i < GetButtonCount(); ++i) {
        SECStdBtn* pBtn = m_btns[i].get();
        if (pBtn->m_nStyle & SEC_TBBS_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pBtn->m_nID;
        // A button that may not be disabled for lack of a handler is updated without that rule.
        const BOOL bDisable = bDisableIfNoHndler && !(pBtn->m_nStyle & SEC_TBBS_NODISABLE);
        if (pTarget != nullptr)
            state.DoUpdate(pTarget, bDisable);
        state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    }
}

void SECCustomToolBar::UpdateButtonUI(int nIndex) {
    SECStdBtn* pBtn = GetButton(nIndex);
    CFrameWnd* pTarget = m_hWnd != NULL ? GetFrameForCommands() : nullptr;
    if (pBtn == nullptr || pTarget == nullptr || (pBtn->m_nStyle & SEC_TBBS_SEPARATOR))
        return;
    SECCustomToolCmdUI state;
    state.m_pBar = this;
    state.m_pOther = this;
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    state.m_nID = pBtn->m_nID;
    state.DoUpdate(pTarget, !(pBtn->m_nStyle & SEC_TBBS_NODISABLE));
}

void SECCustomToolBar::OnGetBarInfoEx(SECControlBarInfo* pInfo) {
    auto* pEx =
        dynamic_cast<SECCustomToolBarInfoEx*>(pInfo != nullptr ? pInfo->m_pBarInfoEx : nullptr);
    if (pEx == nullptr)
        return;
    if (m_hWnd != NULL)
        GetWindowText(pEx->m_strTitle);
    pEx->m_btnInfo.clear();
    for (auto& pBtn : m_btns) {
        SECBtnInfo info;
        const bool bSep = (pBtn->m_nStyle & SEC_TBBS_SEPARATOR) != 0;
        info.m_nID = bSep ? 0 : pBtn->m_nID;
        int n = 0;
        BYTE* pData = nullptr;
        if (!bSep)
            pBtn->GetPersistData(n, pData);
        if (pData != nullptr && n > 0)
            info.m_data.assign(pData, pData + std::min(n, 255));
        pEx->m_btnInfo.push_back(std::move(info));
    }
}

void SECCustomToolBar::OnSetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd*) {
    auto* pEx =
        dynamic_cast<SECCustomToolBarInfoEx*>(pInfo != nullptr ? pInfo->m_pBarInfoEx : nullptr);
    if (pEx == nullptr)
        return;
    ResetButtons();
    if (!pEx->m_strTitle.IsEmpty() && m_hWnd != NULL)
        SetWindowText(pEx->m_strTitle);
    for (const SECBtnInfo& info : pEx->m_btnInfo) {
        std::unique_ptr<SECStdBtn> pBtn =
            info.m_nID == 0 ? CreateSeparatorButton() : CreateButtonForId(info.m_nID);
        pBtn->SetPersistData(static_cast<int>(info.m_data.size()), info.m_data.data());
        pBtn->RecalcSize();
        m_btns.push_back(std::move(pBtn));
    }
    m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
}

LRESULT SECCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam) {
    const auto* pButtons = reinterpret_cast<const TBBUTTON*>(lParam);
    const int nCount = static_cast<int>(wParam);
    if (pButtons == nullptr || nCount <= 0)
        return FALSE;
    for (int i = 0; i < nCount; ++i) {
        const TBBUTTON& b = pButtons[i];
        const int nAt = GetButtonCount();
        InsertButton(nAt, static_cast<UINT>(b.idCommand), b.idCommand == 0, i + 1 < nCount);
        if (SECStdBtn* pBtn = GetButton(nAt))
            pBtn->m_nStyle |= (static_cast<DWORD>(b.fsState) << 16) | b.fsStyle;
    }
    return TRUE;
}

LRESULT SECCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM) {
    RemoveButton(static_cast<int>(wParam), FALSE);
    return TRUE;
}

LRESULT SECCustomToolBar::OnDestroyIfEmpty(WPARAM, LPARAM) {
    if (m_btns.empty() && IsUserBar() && !IsButtonDragRunning())
        DestroyWindow();
    return 0;
}
