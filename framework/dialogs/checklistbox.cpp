#include "framework/dialogs/checklistbox.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {
const int kMargin = 2; // around the box, in pixels
} // namespace

CCheckListBox::CCheckListBox() {}

CCheckListBox::~CCheckListBox() {}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    dwStyle &= ~(DWORD)LBS_OWNERDRAWVARIABLE;
    return CListBox::Create(dwStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::SetCheckStyle(UINT nStyle) {
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE ||
        nStyle == BS_AUTO3STATE)
        m_nStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
    ItemState* pState = StateOf(nIndex);
    if (pState == NULL || nCheck < 0 || nCheck > 2)
        return;
    pState->check = nCheck;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const {
    ItemState* pState = StateOf(nIndex);
    return pState != NULL ? pState->check : LB_ERR;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
    ItemState* pState = StateOf(nIndex);
    if (pState == NULL)
        return;
    pState->enabled = bEnabled;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const {
    ItemState* pState = StateOf(nIndex);
    return pState != NULL && pState->enabled;
}

// The state lives in the control's own item data; the caller's data is kept inside it.
CCheckListBox::ItemState* CCheckListBox::StateOf(int nIndex) const {
    if (m_hWnd == NULL || m_pfnSuper == NULL || nIndex < 0)
        return NULL;
    LRESULT data = ::CallWindowProcW(m_pfnSuper, m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0);
    if (data == LB_ERR)
        return NULL;
    auto* pState = reinterpret_cast<ItemState*>(data);
    for (const auto& owned : m_states)
        if (owned.get() == pState)
            return pState;
    return NULL;
}

CCheckListBox::ItemState* CCheckListBox::AttachState(int nIndex, DWORD_PTR userData) {
    auto state = std::make_unique<ItemState>();
    state->userData = userData;
    ItemState* pState = state.get();
    m_states.push_back(std::move(state));
    if (m_pfnSuper != NULL)
        ::CallWindowProcW(m_pfnSuper, m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)pState);
    return pState;
}

void CCheckListBox::ForgetState(ItemState* pState) {
    m_states.erase(std::remove_if(m_states.begin(), m_states.end(),
                                  [pState](const auto& owned) { return owned.get() == pState; }),
                   m_states.end());
}

void CCheckListBox::ForgetAll() {
    m_states.clear();
}

// Items the list box had before it came to this object get their state here (the window
// procedure is not ours yet, so the list box's own messages are used).
void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    int nCount = (int)::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        auto state = std::make_unique<ItemState>();
        state->userData = (DWORD_PTR)::SendMessageW(m_hWnd, LB_GETITEMDATA, (WPARAM)i, 0);
        ::SendMessageW(m_hWnd, LB_SETITEMDATA, (WPARAM)i, (LPARAM)state.get());
        m_states.push_back(std::move(state));
    }
    if (::SendMessageW(m_hWnd, LB_GETITEMHEIGHT, 0, 0) < 13 + 2 * kMargin)
        ::SendMessageW(m_hWnd, LB_SETITEMHEIGHT, 0, MAKELPARAM(13 + 2 * kMargin, 0));
}

int CCheckListBox::CheckBoxSize() const {
    int nHeight = GetItemHeight(0);
    int nSize = nHeight - 2 * kMargin;
    return nSize > 13 ? 13 : (nSize < 8 ? 8 : nSize);
}

void CCheckListBox::ToggleFromUser(int nIndex) {
    ItemState* pState = StateOf(nIndex);
    if (pState == NULL || !pState->enabled)
        return;
    if (m_nStyle == BS_AUTOCHECKBOX)
        SetCheck(nIndex, pState->check == 1 ? 0 : 1);
    else if (m_nStyle == BS_AUTO3STATE)
        SetCheck(nIndex, (pState->check + 1) % 3);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                       (LPARAM)m_hWnd);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        LRESULT index = CListBox::WindowProc(message, wParam, lParam);
        if (index >= 0)
            AttachState((int)index, 0);
        return index;
    }
    case LB_DELETESTRING: {
        ItemState* pState = StateOf((int)wParam);
        LRESULT result = CListBox::WindowProc(message, wParam, lParam);
        if (result != LB_ERR && pState != NULL)
            ForgetState(pState);
        return result;
    }
    case LB_RESETCONTENT:
    case WM_NCDESTROY: {
        LRESULT result = CListBox::WindowProc(message, wParam, lParam);
        ForgetAll();
        return result;
    }
    case LB_GETITEMDATA: {
        ItemState* pState = StateOf((int)wParam);
        if (pState != NULL)
            return (LRESULT)pState->userData;
        return CListBox::WindowProc(message, wParam, lParam);
    }
    case LB_SETITEMDATA: {
        ItemState* pState = StateOf((int)wParam);
        if (pState == NULL)
            return CListBox::WindowProc(message, wParam, lParam);
        pState->userData = (DWORD_PTR)lParam;
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
        BOOL bOutside = TRUE;
        int nIndex = (int)ItemFromPoint(point, bOutside);
        CRect rect;
        if (!bOutside && GetItemRect(nIndex, &rect) != LB_ERR &&
            point.x < rect.left + CheckBoxSize() + 2 * kMargin) {
            LRESULT result = CListBox::WindowProc(message, wParam, lParam);
            ToggleFromUser(nIndex);
            return result;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            int nIndex = GetCaretIndex();
            if (nIndex >= 0)
                ToggleFromUser(nIndex);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ')
            return 0;
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct != NULL && lpMeasureItemStruct->itemHeight < 13 + 2 * kMargin)
        lpMeasureItemStruct->itemHeight = 13 + 2 * kMargin;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS == NULL || lpDIS->itemID == (UINT)-1)
        return;
    HDC hDC = lpDIS->hDC;
    const int nIndex = (int)lpDIS->itemID;
    ItemState* pState = StateOf(nIndex);
    const int nBox = CheckBoxSize();
    CRect item(lpDIS->rcItem);
    CRect box(item.left + kMargin, item.top + (item.Height() - nBox) / 2,
              item.left + kMargin + nBox, item.top + (item.Height() - nBox) / 2 + nBox);
    ::FillRect(hDC, &item, ::GetSysColorBrush(COLOR_WINDOW));
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (pState != NULL && pState->check == 1)
        state |= DFCS_CHECKED;
    else if (pState != NULL && pState->check == 2)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    const BOOL bEnabled = pState == NULL || pState->enabled;
    if (!bEnabled || (lpDIS->itemState & ODS_DISABLED))
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(hDC, &box, DFC_BUTTON, state);

    CRect text(box.right + kMargin, item.top, item.right, item.bottom);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    ::FillRect(hDC, &text, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString label;
    GetText(nIndex, label);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(!bEnabled   ? COLOR_GRAYTEXT
                                      : bSelected ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_WINDOWTEXT));
    CRect textArea = text;
    textArea.left += kMargin;
    ::DrawTextW(hDC, label, label.GetLength(), &textArea,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (lpDIS->itemState & ODS_FOCUS)
        ::DrawFocusRect(hDC, &text);
}
