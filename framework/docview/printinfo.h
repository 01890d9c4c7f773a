// CPrintInfo: the state of one print job that the view's printing hooks share.
#pragma once

#include <windows.h>

#include "framework/core/cstring.h"
#include "framework/core/geometry.h"

class CPrintInfo {
public:
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage; }
    UINT GetToPage() const { return m_nToPage; }

    BOOL m_bPreview = FALSE; // the job renders a print preview
    BOOL m_bDirect = FALSE;  // print without asking the user
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    CRect m_rectDraw; // the printable area of the current page
    LPVOID m_lpUserData = nullptr;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 1;
    UINT m_nToPage = 0xFFFF;
    HDC m_hPrinterDC = NULL; // the printer chosen by DoPreparePrinting; the print job frees it
};
