#include "framework/dialogs/printdialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    std::memset(&m_pd, 0, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() {
    if (m_hOwnedDevMode != NULL && m_pd.hDevMode == m_hOwnedDevMode)
        ::GlobalFree(m_hOwnedDevMode);
    if (m_hOwnedDevNames != NULL && m_pd.hDevNames == m_hOwnedDevNames)
        ::GlobalFree(m_hOwnedDevNames);
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
}

void CPrintDialog::TakeOwnershipIfNew(HGLOBAL hDevModeBefore, HGLOBAL hDevNamesBefore) {
    if (hDevModeBefore == NULL && m_pd.hDevMode != NULL)
        m_hOwnedDevMode = m_pd.hDevMode;
    if (hDevNamesBefore == NULL && m_pd.hDevNames != NULL)
        m_hOwnedDevNames = m_pd.hDevNames;
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = OwnerHwnd();
    HGLOBAL hDevMode = m_pd.hDevMode, hDevNames = m_pd.hDevNames;
    if (m_pd.hDC != NULL) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = NULL;
    }
    BOOL bOK = ::PrintDlgW(&m_pd);
    TakeOwnershipIfNew(hDevMode, hDevNames);
    return ResultOf(bOK);
}

BOOL CPrintDialog::GetDefaults() {
    HGLOBAL hDevMode = m_pd.hDevMode, hDevNames = m_pd.hDevNames;
    DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags & ~PD_RETURNDC) | PD_RETURNDEFAULT;
    m_pd.hDevMode = NULL; // the system insists on empty handles here
    m_pd.hDevNames = NULL;
    BOOL bOK = ::PrintDlgW(&m_pd);
    m_pd.Flags = flags;
    if (!bOK) {
        m_pd.hDevMode = hDevMode;
        m_pd.hDevNames = hDevNames;
        return FALSE;
    }
    TakeOwnershipIfNew(NULL, NULL);
    return TRUE;
}

HDC CPrintDialog::CreatePrinterDC() {
    CString driver = GetDriverName(), device = GetDeviceName();
    if (device.IsEmpty())
        return NULL;
    LPDEVMODEW pDevMode = GetDevMode();
    HDC hDC = ::CreateDCW(driver.IsEmpty() ? NULL : (LPCWSTR)driver, device, NULL, pDevMode);
    if (pDevMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    return hDC;
}

LPDEVMODEW CPrintDialog::GetDevMode() const {
    return m_pd.hDevMode != NULL ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : NULL;
}

CString CPrintDialog::DevNamesText(WORD DEVNAMES::*offset) const {
    if (m_pd.hDevNames == NULL)
        return CString();
    auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (names == NULL)
        return CString();
    CString text(reinterpret_cast<LPCWSTR>(names) + names->*offset);
    ::GlobalUnlock(m_pd.hDevNames);
    return text;
}

CString CPrintDialog::GetDriverName() const {
    return DevNamesText(&DEVNAMES::wDriverOffset);
}
CString CPrintDialog::GetDeviceName() const {
    return DevNamesText(&DEVNAMES::wDeviceOffset);
}
CString CPrintDialog::GetPortName() const {
    return DevNamesText(&DEVNAMES::wOutputOffset);
}

int CPrintDialog::GetCopies() const {
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODEW pDevMode = GetDevMode();
        if (pDevMode != NULL) {
            int nCopies = pDevMode->dmCopies;
            ::GlobalUnlock(m_pd.hDevMode);
            return nCopies;
        }
    }
    return m_pd.nCopies;
}
