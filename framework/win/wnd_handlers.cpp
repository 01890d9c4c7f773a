// Default handlers of the ON_WM_ entries: default processing, with owner-draw, colour and
// scroll messages offered to the control they concern first.
#include "framework/win/wnd.h"

int CWnd::OnCreate(LPCREATESTRUCT) {
    return (int)Default();
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) {
    return (BOOL)Default();
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnNcPaint() {
    Default();
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnSysColorChange() {
    Default();
}
void CWnd::OnChildActivate() {
    Default();
}
void CWnd::OnMouseLeave() {
    Default();
}
void CWnd::OnNcMouseLeave() {
    Default();
}
void CWnd::OnEnterSizeMove() {
    Default();
}
void CWnd::OnExitSizeMove() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnSizing(UINT, LPRECT) {
    Default();
}
void CWnd::OnMoving(UINT, LPRECT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return (BOOL)Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseHover(UINT, CPoint) {
    Default();
}
void CWnd::OnNcMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnNcRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnNcRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnNcMButtonDown(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return (BOOL)Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return (BOOL)Default();
}
LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return (int)Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnActivateApp(BOOL, DWORD) {
    Default();
}
BOOL CWnd::OnNcActivate(BOOL) {
    return (BOOL)Default();
}
UINT CWnd::OnGetDlgCode() {
    return (UINT)Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnSettingChange(UINT, LPCTSTR) {
    Default();
}
void CWnd::OnInitMenu(CMenu*) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU) {
    Default();
}
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) {
    return Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnEnterIdle(UINT, CWnd*) {
    Default();
}
void CWnd::OnParentNotify(UINT, LPARAM) {
    Default();
}
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) {
    Default();
}
void CWnd::OnDropFiles(HDROP) {
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*) {
    return (BOOL)Default();
}
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) {
    Default();
}
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) {
    Default();
}
void CWnd::OnEnterMenuLoop(BOOL) {
    Default();
}
void CWnd::OnExitMenuLoop(BOOL) {
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct != NULL && lpDrawItemStruct->CtlType != ODT_MENU &&
        ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct != NULL && lpMeasureItemStruct->CtlType != ODT_MENU && nIDCtl != 0)
        if (ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
            return;
    Default();
}

// The control's object answers first; a control without one gets the default answer.
namespace {
int ReflectedOrDefault(CWnd* pParent, HWND hWndControl) {
    LRESULT lResult = 0;
    if (hWndControl != NULL && CWnd::ReflectLastMsg(hWndControl, &lResult))
        return (int)lResult;
    return (int)pParent->Default();
}
HWND ControlOf(CListBox* pListBox) {
    return pListBox != NULL ? reinterpret_cast<CWnd*>(pListBox)->m_hWnd : NULL;
}
} // namespace

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
    return ReflectedOrDefault(this, lpCompareItemStruct ? lpCompareItemStruct->hwndItem : NULL);
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
    ReflectedOrDefault(this, lpDeleteItemStruct ? lpDeleteItemStruct->hwndItem : NULL);
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT) {
    return ReflectedOrDefault(this, ControlOf(pListBox));
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT) {
    return ReflectedOrDefault(this, ControlOf(pListBox));
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT lResult = 0;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnFontChange() {
    Default();
}
void CWnd::OnNcRButtonDblClk(UINT, CPoint) {
    Default();
}
