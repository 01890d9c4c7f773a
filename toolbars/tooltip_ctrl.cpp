// COXToolTipCtrl: creation, the tool list and its queries.
#include "toolbars/tooltip_ctrl.h"

#include <memory>

IMPLEMENT_DYNAMIC(COXToolTipInfo, CObject)
IMPLEMENT_DYNAMIC(COXToolTipCtrl, CWnd)

BEGIN_MESSAGE_MAP(COXToolTipCtrl, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_SETTINGCHANGE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SETFONT, OnSetFont)
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

COXToolTipCtrl::COXToolTipCtrl() {}

COXToolTipCtrl::~COXToolTipCtrl() {
    m_pCurrentToolTip = nullptr;
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
        delete static_cast<COXToolTipInfo*>(m_arrTools[i]);
    m_arrTools.RemoveAll();
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    m_Font.DeleteObject();
}

BOOL COXToolTipCtrl::Create(CWnd* pParentWnd) {
    m_pParentWnd = pParentWnd;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursorW(NULL, IDC_ARROW), NULL, NULL);
    if (!CreateEx(WS_EX_TOPMOST, lpszClass, L"", WS_POPUP, 0, 0, 10, 10, pParentWnd->GetSafeHwnd(),
                  NULL))
        return FALSE;
    SetLogFont(GetSystemToolTipFont(), FALSE);
    return TRUE;
}

BOOL COXToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT nIDTool) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    auto pInfo = std::make_unique<COXToolTipInfo>();
    pInfo->hWnd = pWnd->m_hWnd;
    pInfo->nIDTool = nIDTool;
    if (lpszText == LPSTR_TEXTCALLBACK)
        pInfo->nCallback = -1;
    else if (lpszText != nullptr)
        pInfo->strText = lpszText;
    pInfo->nWidth = m_nMaxWidth;
    pInfo->clrBackColor = m_crBackColor;
    pInfo->clrTextColor = m_crTextColor;
    CRect rect;
    if (lpRectTool != nullptr) {
        rect = *lpRectTool;
        pWnd->ClientToScreen(&rect);
    } else {
        pWnd->GetWindowRect(&rect);
    }
    if (m_pParentWnd->GetSafeHwnd() != NULL)
        m_pParentWnd->ScreenToClient(&rect);
    pInfo->rectBounds = rect;
    m_arrTools.Add(pInfo.release());
    return TRUE;
}

BOOL COXToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT nIDTool) {
    CString strText;
    strText.LoadString(nIDText);
    return AddTool(pWnd, strText.GetString(), lpRectTool, nIDTool);
}

void COXToolTipCtrl::DelTool(CWnd* pWnd, UINT nIDTool) {
    HWND hWnd = pWnd->GetSafeHwnd();
    if (m_pCurrentToolTip != nullptr && m_pCurrentToolTip->hWnd == hWnd &&
        m_pCurrentToolTip->nIDTool == nIDTool)
        Hide();
    // Hiding tells the owner, which may change the list: scan it afresh.
    for (INT_PTR i = m_arrTools.GetSize() - 1; i >= 0; i--) {
        auto* pInfo = static_cast<COXToolTipInfo*>(m_arrTools[i]);
        if (pInfo->hWnd != hWnd || pInfo->nIDTool != nIDTool)
            continue;
        if (pInfo == m_pCurrentToolTip)
            m_pCurrentToolTip = nullptr;
        m_arrTools.RemoveAt(i);
        delete pInfo;
    }
}

void COXToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
    if (dwDuration == TTDT_AUTOPOP)
        m_nDisplayTime = (UINT)iTime;
    else if (dwDuration == TTDT_INITIAL)
        m_nDisplayDelay = (UINT)iTime;
}

int COXToolTipCtrl::GetDelayTime(DWORD dwDuration) const {
    if (dwDuration == TTDT_AUTOPOP)
        return (int)m_nDisplayTime;
    if (dwDuration == TTDT_INITIAL)
        return (int)m_nDisplayDelay;
    return 0;
}

namespace {
// A new default reaches every tool that still follows the old one.
template <class T>
void ReplaceDefault(const CObArray& tools, T COXToolTipInfo::*pField, T oldValue, T newValue) {
    for (INT_PTR i = 0; i < tools.GetSize(); i++) {
        auto* pInfo = static_cast<COXToolTipInfo*>(tools[i]);
        if (pInfo->*pField == oldValue)
            pInfo->*pField = newValue;
    }
}
} // namespace

int COXToolTipCtrl::SetMaxTipWidth(int iWidth) {
    int nOld = m_nMaxWidth;
    ReplaceDefault(m_arrTools, &COXToolTipInfo::nWidth, nOld, iWidth);
    m_nMaxWidth = iWidth;
    return nOld;
}

COLORREF COXToolTipCtrl::SetTipBkColor(COLORREF clr) {
    ReplaceDefault(m_arrTools, &COXToolTipInfo::clrBackColor, m_crBackColor, clr);
    m_crBackColor = clr;
    return m_crBackColor;
}

COLORREF COXToolTipCtrl::SetTipTextColor(COLORREF clr) {
    ReplaceDefault(m_arrTools, &COXToolTipInfo::clrTextColor, m_crTextColor, clr);
    m_crTextColor = clr;
    return m_crTextColor;
}

COXToolTipInfo* COXToolTipCtrl::FindTool(HWND hWnd, UINT nIDTool) const {
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++) {
        auto* pInfo = static_cast<COXToolTipInfo*>(m_arrTools[i]);
        if (pInfo->hWnd == hWnd && pInfo->nIDTool == nIDTool)
            return pInfo;
    }
    return nullptr;
}

void COXToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT nIDTool) {
    COXToolTipInfo* pInfo = FindTool(pWnd->GetSafeHwnd(), nIDTool);
    if (pInfo != nullptr)
        str = FetchText(*pInfo, 0);
}

void COXToolTipCtrl::FillRecord(COXToolTipRecord& record, const COXToolTipInfo& info) const {
    record.cbSize = sizeof(COXToolTipRecord);
    record.uFlags = info.uFlags;
    record.hwnd = info.hWnd;
    record.uId = info.nIDTool;
    record.rect = info.rectBounds;
    record.hinst = AfxGetResourceHandle();
    record.lpszText =
        info.nCallback == -1 ? LPSTR_TEXTCALLBACK : const_cast<LPTSTR>(info.strText.GetString());
    record.lParam = info.lParam;
    record.nWidth = info.nWidth;
    record.clrTextColor = info.clrTextColor;
    record.clrBackColor = info.clrBackColor;
}

BOOL COXToolTipCtrl::GetToolInfo(COXToolTipRecord& record, CWnd* pWnd, UINT nIDTool) const {
    const COXToolTipInfo* pInfo = FindTool(pWnd->GetSafeHwnd(), nIDTool);
    if (pInfo == nullptr)
        return FALSE;
    FillRecord(record, *pInfo);
    return TRUE;
}

void COXToolTipCtrl::SetToolInfo(const COXToolTipRecord* pRecord) {
    if (pRecord == nullptr)
        return;
    COXToolTipInfo* pInfo = FindTool(pRecord->hwnd, pRecord->uId);
    if (pInfo == nullptr)
        return;
    pInfo->uFlags = pRecord->uFlags;
    pInfo->rectBounds = pRecord->rect;
    if (pRecord->lpszText == LPSTR_TEXTCALLBACK) {
        pInfo->nCallback = -1;
        pInfo->strText.Empty();
    } else {
        pInfo->nCallback = 0;
        pInfo->strText = pRecord->lpszText != nullptr ? pRecord->lpszText : L"";
    }
    pInfo->lParam = pRecord->lParam;
    pInfo->nWidth = pRecord->nWidth;
    pInfo->clrTextColor = pRecord->clrTextColor;
    pInfo->clrBackColor = pRecord->clrBackColor;
}

HWND COXToolTipCtrl::WindowUnder(CPoint point) const {
    HWND hOwner = m_pParentWnd->GetSafeHwnd();
    if (hOwner == NULL)
        return NULL;
    CPoint ptScreen = point;
    ::ClientToScreen(hOwner, &ptScreen);
    HWND hWnd = ::WindowFromPoint(ptScreen);
    if (hWnd == hOwner)
        hWnd = ::ChildWindowFromPointEx(hOwner, point, CWP_ALL);
    if (hWnd == NULL || hWnd == hOwner || !::IsChild(hOwner, hWnd))
        return NULL;
    return hWnd;
}

BOOL COXToolTipCtrl::HitTest(CWnd* pWnd, CPoint point, COXToolTipRecord* pRecord) const {
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == NULL)
        return FALSE;
    const COXToolTipInfo* pFound = nullptr;
    for (INT_PTR i = 0; i < m_arrTools.GetSize() && pFound == nullptr; i++) {
        auto* pInfo = static_cast<const COXToolTipInfo*>(m_arrTools[i]);
        if (pInfo->hWnd == hWnd || ::IsChild(pInfo->hWnd, hWnd))
            pFound = pInfo;
    }
    if (pFound == nullptr)
        return FALSE;
    if (pRecord != nullptr)
        FillRecord(*pRecord, *pFound);
    HWND hUnder = WindowUnder(point);
    if (hUnder == NULL || (hUnder != pFound->hWnd && !::IsChild(pFound->hWnd, hUnder)))
        return FALSE;
    return pFound->rectBounds.PtInRect(point);
}

COXToolTipInfo* COXToolTipCtrl::ToolAt(CPoint point) const {
    HWND hWnd = WindowUnder(point);
    if (hWnd == NULL)
        return nullptr;
    COXToolTipRecord record{};
    if (!HitTest(CWnd::FromHandle(hWnd), point, &record))
        return nullptr;
    return FindTool(record.hwnd, record.uId);
}

void COXToolTipCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    if (m_pCurrentToolTip != nullptr && !m_bTipCancelled) {
        if (m_bHasExtendedText) {
            CRect rect;
            GetWindowRect(&rect);
            Show(rect.TopLeft(), !m_bExtended);
        }
        if (m_hOldFocusWnd != NULL && ::IsWindow(m_hOldFocusWnd))
            ::SetFocus(m_hOldFocusWnd);
    }
}

void COXToolTipCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {
    Default();
}

void COXToolTipCtrl::OnSetFocus(CWnd* pOldWnd) {
    m_hOldFocusWnd = pOldWnd->GetSafeHwnd();
}

void COXToolTipCtrl::OnDestroy() {
    KillTimer(kTimerShow);
    KillTimer(kTimerPoll);
    CWnd::OnDestroy();
}

int COXToolTipCtrl::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    return MA_NOACTIVATE;
}
