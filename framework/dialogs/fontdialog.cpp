#include "framework/dialogs/fontdialog.h"

#include <cstring>

#include "framework/win/dc.h"
#include "framework/win/resources.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    std::memset(&m_cf, 0, sizeof(m_cf));
    std::memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL && pdcPrinter->GetSafeHdc() != NULL) {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal() {
    m_cf.hwndOwner = OwnerHwnd();
    if ((m_cf.Flags & CF_ENABLETEMPLATE) && m_cf.hInstance == NULL)
        m_cf.hInstance = AfxFindResourceHandle(m_cf.lpTemplateName, RT_DIALOG);
    m_cf.lpLogFont = &m_lf;
    return ResultOf(::ChooseFontW(&m_cf));
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf) {
    if (lplf == NULL)
        return;
    if (m_hWnd != NULL)
        SendMessage(WM_CHOOSEFONT_GETLOGFONT, 0, (LPARAM)lplf);
    else
        *lplf = m_lf;
}
