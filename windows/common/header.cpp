#include "windows/common/header.h"

IMPLEMENT_DYNAMIC(CHeader, CButton)

BOOL CHeader::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT) {
    if (!CButton::Create(lpszCaption, dwStyle, rect, pParentWnd, kControlId))
        return FALSE;
    // The system's interface font, kept for the header's whole life.
    if (m_font.GetSafeHandle() == NULL) {
        LOGFONTW lf{};
        if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) == sizeof lf)
            m_font.CreateFontIndirect(&lf);
    }
    if (m_font.GetSafeHandle() != NULL)
        SetFont(&m_font, FALSE);
    return TRUE;
}
