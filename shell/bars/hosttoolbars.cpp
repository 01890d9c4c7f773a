#include "shell/bars/hosttoolbars.h"

#include <algorithm>
#include <commctrl.h>

IMPLEMENT_DYNCREATE(CGuiTB, SECCustomToolBar)
IMPLEMENT_DYNCREATE(CBaseTB, SECToolBar)
IMPLEMENT_DYNCREATE(CUserTB, CBaseTB)

int CHostButtonList::Add(UINT nID, LPCTSTR lpszTooltip) {
    m_ids.push_back(nID);
    m_numbers.push_back(m_nNextNumber);
    m_tooltips.emplace_back(lpszTooltip ? lpszTooltip : L"");
    return m_nNextNumber++;
}

int CHostButtonList::Find(int nNumber) const {
    auto found = std::find(m_numbers.begin(), m_numbers.end(), nNumber);
    return found == m_numbers.end() ? -1 : static_cast<int>(found - m_numbers.begin());
}

void CHostButtonList::RemoveAt(int nPosition) {
    m_ids.erase(m_ids.begin() + nPosition);
    m_numbers.erase(m_numbers.begin() + nPosition);
    m_tooltips.erase(m_tooltips.begin() + nPosition);
}

BOOL CHostButtonList::CopyTooltip(UINT nID, wchar_t* pszText) const {
    auto found = std::find(m_ids.begin(), m_ids.end(), nID);
    if (found == m_ids.end())
        return FALSE;
    const CString& text = m_tooltips[found - m_ids.begin()];
    const int length = std::min(text.GetLength(), kMaxTooltipChars);
    wmemcpy(pszText, text.GetString(), length);
    pszText[length] = 0;
    return TRUE;
}

namespace {
// The command id of a tooltip request: an id, or a window handle with TTF_IDISHWND.
UINT TooltipCommandId(const NMTTDISPINFOW* pInfo) {
    if (pInfo->uFlags & TTF_IDISHWND)
        return static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pInfo->hdr.idFrom)));
    return static_cast<UINT>(pInfo->hdr.idFrom);
}
} // namespace

int CGuiTB::AddButton(LPCTSTR lpszTooltip, UINT nID) {
    if (nID == 0 || nID > 0xFFFF)
        return -1; // a button of command 0 is a separator; the bar's ids are 16-bit
    const int width = m_nMRUWidth;
    InsertButton(GetButtonCount(), nID, FALSE, TRUE);
    if (m_bRestoredWidth)
        m_nMRUWidth = width;
    AfterLayoutChange();
    return m_buttons.Add(nID, lpszTooltip);
}

BOOL CGuiTB::RemoveButton(int nNumber) {
    const int position = m_buttons.Find(nNumber);
    if (position < 0)
        return FALSE;
    const UINT nID = m_buttons.IdAt(position);
    m_buttons.RemoveAt(position);
    // The user may have moved buttons or added separators: the bar's own index of the command.
    for (int i = 0; i < GetButtonCount(); ++i)
        if (m_btns[i]->m_nID == nID)
            return SECCustomToolBar::RemoveButton(i, FALSE);
    return FALSE;
}

BOOL CGuiTB::GetTooltip(NMTTDISPINFOW* pInfo) const {
    if (!m_bToolTipsOn || pInfo == nullptr)
        return FALSE;
    return m_buttons.CopyTooltip(TooltipCommandId(pInfo), pInfo->szText);
}

int CBaseTB::AddButton(LPCTSTR, LPCTSTR, UINT) {
    return 0;
}

BOOL CBaseTB::RemoveButton(int nNumber) {
    const int position = m_buttons.Find(nNumber);
    if (position < 0)
        return FALSE;
    const UINT nID = m_buttons.IdAt(position);
    m_buttons.RemoveAt(position);
    const int index = static_cast<int>(::SendMessageW(m_hWnd, TB_COMMANDTOINDEX, nID, 0));
    if (index < 0)
        return FALSE;
    return static_cast<BOOL>(::SendMessageW(m_hWnd, TB_DELETEBUTTON, index, 0));
}

BOOL CBaseTB::GetTooltip(NMTTDISPINFOW* pInfo) const {
    if (!m_bToolTipsOn || pInfo == nullptr)
        return FALSE;
    return m_buttons.CopyTooltip(TooltipCommandId(pInfo), pInfo->szText);
}

int CUserTB::AddButton(LPCTSTR lpszLabel, LPCTSTR lpszTooltip, UINT) {
    const UINT nID = kUserButtonFirstId + m_buttons.NextNumber();
    if (nID > kUserButtonLastId || m_hWnd == NULL)
        return -1; // beyond the range the frame routes, the button would do nothing
    // The label goes into the control's string list; a null label is an empty one (0 would be
    // taken for a resource id). The list takes a double-zero-terminated block.
    CString label(lpszLabel ? lpszLabel : L"");
    std::vector<wchar_t> block(label.GetString(), label.GetString() + label.GetLength());
    block.push_back(0);
    block.push_back(0);
    const int string =
        static_cast<int>(::SendMessageW(m_hWnd, TB_ADDSTRINGW, 0, (LPARAM)block.data()));
    const int position = static_cast<int>(::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0));
    TBBUTTON button{};
    button.iBitmap = 0;
    button.idCommand = static_cast<int>(nID);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.iString = string;
    ::SendMessageW(m_hWnd, TB_INSERTBUTTONW, position, (LPARAM)&button);
    const int number = m_buttons.Add(nID, lpszTooltip);
    SIZE total{};
    ::SendMessageW(m_hWnd, TB_GETMAXSIZE, 0, (LPARAM)&total);
    const int count = m_buttons.Count();
    int width = total.cx;
    if (width < 1)
        width = 40 * count;
    SetSizes(CSize(std::max(1, width / count), 22), CSize(1, 1));
    return number;
}

int CToolbarArray::Add(CGuiTB* pBar) {
    m_bars.push_back(pBar);
    return static_cast<int>(m_bars.size()) - 1;
}

CGuiTB* CToolbarArray::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetSize() ? m_bars[nIndex] : nullptr;
}

void CToolbarArray::RemoveAt(int nIndex) {
    if (nIndex >= 0 && nIndex < GetSize())
        m_bars.erase(m_bars.begin() + nIndex);
}

int CToolbarArray::FindByTitle(LPCTSTR lpszTitle) const {
    for (int i = 0; i < GetSize(); ++i) {
        if (m_bars[i] == nullptr || !::IsWindow(m_bars[i]->GetSafeHwnd()))
            continue;
        CString text;
        m_bars[i]->GetWindowText(text);
        if (lpszTitle != nullptr && text == lpszTitle)
            return i;
    }
    return -1;
}
