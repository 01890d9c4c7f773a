// The command categories of the Commands page and the windows that show them.
#include "toolbars/btn_groups.h"

#include "toolbars/toolbar_cmd_page.h"
#include "toolbars/toolbar_manager.h"

IMPLEMENT_DYNCREATE(SECCustomizeToolBar, SECCustomToolBar)
IMPLEMENT_DYNAMIC(SECMenuListBox, CListBox)
IMPLEMENT_DYNAMIC(SECBtnGroup, CObject)
IMPLEMENT_DYNAMIC(SECTBBtnGroup, SECBtnGroup)
IMPLEMENT_DYNAMIC(SECMenuBtnGroup, SECBtnGroup)

namespace {
// The palette's window style: child, visible, 3-D border, dynamic size, floating.
const DWORD kPaletteStyle = 0x50000085;
const int kMenuListOffset = 2;
const CSize kDraggedButton(23, 22);
} // namespace

// ---- Texts.

CString SECMenuCommandText(CFrameWnd* pFrame, UINT nID) {
    CString strText;
    HMENU hMenu = pFrame != nullptr && pFrame->m_hWnd != NULL ? ::GetMenu(pFrame->m_hWnd) : NULL;
    wchar_t text[256] = L"";
    if (hMenu == NULL || ::GetMenuStringW(hMenu, nID, text, 256, MF_BYCOMMAND) <= 0)
        return strText;
    for (const wchar_t* p = text; *p != 0 && *p != L'\t'; ++p)
        if (*p != L'&')
            strText += *p;
    return strText;
}

CString SECCommandPrompt(UINT nID) {
    CString strPrompt;
    if (nID == 0 || !strPrompt.LoadString(nID))
        return CString();
    const int nBreak = strPrompt.Find(L'\n');
    return nBreak >= 0 ? strPrompt.Left(nBreak) : strPrompt;
}

// ---- The palette.

BEGIN_MESSAGE_MAP(SECCustomizeToolBar, SECCustomToolBar)
ON_WM_SHOWWINDOW()
ON_WM_WINDOWPOSCHANGING()
ON_WM_DESTROY()
END_MESSAGE_MAP()

void SECCustomizeToolBar::OnShowWindow(BOOL bShow, UINT nStatus) {
    SECControlBar::OnShowWindow(bShow, nStatus);
}

void SECCustomizeToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    SECControlBar::OnWindowPosChanging(lpwndpos);
}

void SECCustomizeToolBar::OnDestroy() {
    ClearSelection(FALSE);
    KillTimer(SEC_HOT_TIMER);
    SECControlBar::OnDestroy();
}

// ---- The menu list.

BEGIN_MESSAGE_MAP(SECMenuListBox, CListBox)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

SECMenuListBox::SECMenuListBox() : m_bOldWindows(LOBYTE(LOWORD(::GetVersion())) < 4) {}

BOOL SECMenuListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void SECMenuListBox::OnLButtonDown(UINT, CPoint point) {
    BOOL bOutside = TRUE;
    const int nRow = static_cast<int>(ItemFromPoint(point, bOutside));
    if (bOutside || nRow < 0 || nRow >= GetCount())
        return;
    SetFocus();
    SetCurSel(nRow);
    const UINT nID = static_cast<UINT>(GetItemData(nRow));
    if (auto* pPage = dynamic_cast<SECToolBarCmdPage*>(GetParent()))
        pPage->ShowDescription(nID);
    // A new button for the command, under the pointer, copied wherever it is dropped.
    SECStdBtn button;
    button.m_nID = nID;
    button.m_x = point.x - kDraggedButton.cx / 2;
    button.m_y = point.y - kDraggedButton.cy / 2;
    button.m_cx = kDraggedButton.cx;
    button.m_cy = kDraggedButton.cy;
    SECCustomToolBar::DragButton(m_pManager, &button, -1, point.x, point.y, nullptr, this, TRUE);
}

// ---- Groups.

SECBtnGroup::SECBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs)
    : m_strTitle(lpszTitle != nullptr ? lpszTitle : L"") {
    if (pIDs != nullptr && nCount > 0)
        m_ids.assign(pIDs, pIDs + nCount);
}

SECBtnGroup::~SECBtnGroup() = default;

void SECBtnGroup::Activate(BOOL bActive) {
    if (CWnd* pWnd = GetWnd())
        if (pWnd->m_hWnd != NULL)
            pWnd->ShowWindow(bActive ? SW_SHOW : SW_HIDE);
}

SECTBBtnGroup::~SECTBBtnGroup() {
    if (m_pBar && m_pBar->m_hWnd != NULL)
        m_pBar->DestroyWindow();
}

BOOL SECTBBtnGroup::Create(CWnd* pPage, SECToolBarManager* pManager, UINT nID) {
    if (pManager == nullptr)
        return FALSE;
    auto pBar = std::make_unique<SECCustomizeToolBar>();
    DWORD dwStyle = kPaletteStyle;
    if (pManager->GetFlyBy())
        dwStyle |= CBRS_FLYBY;
    if (pManager->GetToolTips())
        dwStyle |= CBRS_TOOLTIPS;
    pBar->SetBmpMgr(pManager->GetBmpMgr());
    if (!pBar->CreateEx(pManager->GetCoolLook() ? 0x300 : 0, pPage, dwStyle, nID, m_strTitle))
        return FALSE;
    // The manager only now: the palette is made without announcing itself as a toolbar.
    pBar->SetManager(pManager);
    pManager->ApplyImageSize(pBar.get());
    if (CFrameWnd* pFrame = pManager->GetFrameWnd())
        pBar->SetOwner(pFrame);
    pBar->SetButtons(m_ids.data(), static_cast<int>(m_ids.size()));
    pBar->SetCustomizeMode(TRUE);
    m_pBar = std::move(pBar);
    return TRUE;
}

void SECTBBtnGroup::Fit(const CRect& rect) {
    if (!m_pBar || m_pBar->m_hWnd == NULL)
        return;
    m_rcFit = rect;
    m_pBar->CalcLayout(rect.Width(), LM_HORZ | LM_COMMIT);
    m_pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->Invalidate();
}

SECMenuBtnGroup::~SECMenuBtnGroup() {
    if (m_pList && m_pList->m_hWnd != NULL)
        m_pList->DestroyWindow();
}

BOOL SECMenuBtnGroup::Create(CWnd* pPage, SECToolBarManager* pManager, UINT nID) {
    auto pList = std::make_unique<SECMenuListBox>();
    const DWORD dwStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (!pList->Create(dwStyle, CRect(0, 0, 10, 10), pPage, nID))
        return FALSE;
    pList->SetFont(pPage->GetFont());
    pList->SetManager(pManager);
    CFrameWnd* pFrame = pManager != nullptr ? pManager->GetFrameWnd() : nullptr;
    for (UINT nCommand : m_ids) {
        if (nCommand == 0)
            continue;
        CString strText = SECMenuCommandText(pFrame, nCommand);
        if (strText.IsEmpty())
            continue; // not a menu command
        const int nRow = pList->AddString(strText);
        if (nRow >= 0)
            pList->SetItemData(nRow, nCommand);
    }
    m_pList = std::move(pList);
    return TRUE;
}

void SECMenuBtnGroup::Fit(const CRect& rect) {
    if (m_pList && m_pList->m_hWnd != NULL)
        m_pList->SetWindowPos(NULL, rect.left, rect.top + kMenuListOffset, rect.Width(),
                              rect.Height() - kMenuListOffset, SWP_NOZORDER | SWP_NOACTIVATE);
}
