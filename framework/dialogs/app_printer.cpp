// CWinApp's kept printer choice: Print Setup, the print dialogs that start from it, and the
// default printer taken when nothing was chosen yet.
#include "framework/win/winapp.h"

#include "framework/dialogs/printdialog.h"

namespace {
// A kept choice that names a printer no longer there, or whose settings no longer fit it.
bool StaleChoice(DWORD dwError) {
    return dwError == PDERR_PRINTERNOTFOUND || dwError == PDERR_DNDMMISMATCH;
}

// The system may hand back other handles than it was given (reallocating the ones it got), so
// whatever the dialog ends with becomes the kept choice, and nothing it was given is freed here.
INT_PTR RunSeeded(CWinApp& app, CPrintDialog& dialog, DWORD& dwError) {
    PRINTDLGW seed = {};
    app.GetPrinterDeviceDefaults(&seed);
    dialog.m_pd.hDevNames = seed.hDevNames;
    dialog.m_pd.hDevMode = seed.hDevMode;
    const INT_PTR nResult = dialog.DoModal();
    dwError = nResult == IDOK ? 0 : ::CommDlgExtendedError();
    dialog.ReleaseDeviceHandles();
    app.SelectPrinter(dialog.m_pd.hDevNames, dialog.m_pd.hDevMode);
    return nResult;
}
} // namespace

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode) {
    if (m_hDevNames != NULL && m_hDevNames != hDevNames && m_hDevNames != hDevMode)
        ::GlobalFree(m_hDevNames);
    if (m_hDevMode != NULL && m_hDevMode != hDevMode && m_hDevMode != hDevNames)
        ::GlobalFree(m_hDevMode);
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg) {
    if (pPrintDlg == NULL)
        return FALSE;
    if (m_hDevNames == NULL) {
        CPrintDialog defaults(TRUE);
        if (!defaults.GetDefaults())
            return FALSE;
        defaults.ReleaseDeviceHandles();
        SelectPrinter(defaults.m_pd.hDevNames, defaults.m_pd.hDevMode);
    }
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD) {
    if (pPD == NULL)
        return IDCANCEL;
    DWORD dwError = 0;
    INT_PTR nResult = RunSeeded(*this, *pPD, dwError);
    if (StaleChoice(dwError) && m_hDevNames != NULL) {
        // Once more from the default printer.
        SelectPrinter(NULL, NULL);
        nResult = RunSeeded(*this, *pPD, dwError);
    }
    // No printer is left at all (the system has told the user): nothing chosen can stand.
    if (dwError == PDERR_NODEFAULTPRN)
        SelectPrinter(NULL, NULL);
    return nResult;
}

void CWinApp::OnFilePrintSetup() {
    CPrintDialog dialog(TRUE);
    DoPrintDialog(&dialog);
}
