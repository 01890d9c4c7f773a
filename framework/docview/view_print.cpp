// CView: choosing a printer and running a print job through the view's printing hooks.
#include "framework/docview/view.h"

#include "framework/win/dc.h"
#include "framework/dialogs/printdialog.h"
#include "framework/docview/document.h"
#include "framework/docview/frameids.h"
#include "framework/docview/preview_view.h"
#include "framework/win/winapp.h"

// Printing starts from the application's kept printer choice (Print Setup's), and the print
// dialog's answer becomes that choice. A preview without a printer goes on with the stand-in
// page (m_hPrinterDC stays NULL); printing without one says so.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    if (pInfo == nullptr)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    CWnd* pTop = GetTopLevelParent();
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE,
                        pTop ? pTop : this);
    if (pApp == nullptr || !pApp->GetPrinterDeviceDefaults(&dialog.m_pd)) {
        if (pInfo->m_bPreview)
            return TRUE;
        AfxMessageBox(L"No printer is installed.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    const UINT nMax = pInfo->GetMaxPage() < 0xFFFF ? pInfo->GetMaxPage() : 0xFFFF;
    dialog.m_pd.nMinPage = (WORD)pInfo->GetMinPage();
    dialog.m_pd.nMaxPage = (WORD)nMax;
    dialog.m_pd.nFromPage = (WORD)pInfo->GetMinPage();
    dialog.m_pd.nToPage = (WORD)nMax;
    if (nMax != 0xFFFF)
        dialog.m_pd.Flags |= PD_PAGENUMS;
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        pInfo->m_hPrinterDC = dialog.CreatePrinterDC();
        return pInfo->m_hPrinterDC != NULL;
    }
    if (pApp->DoPrintDialog(&dialog) != IDOK || dialog.m_pd.hDC == NULL)
        return FALSE;
    if (dialog.m_pd.Flags & PD_PAGENUMS) {
        pInfo->m_nFromPage = dialog.m_pd.nFromPage;
        pInfo->m_nToPage = dialog.m_pd.nToPage;
    }
    // The print job frees the device context from here on.
    pInfo->m_hPrinterDC = dialog.m_pd.hDC;
    dialog.m_pd.hDC = NULL;
    return TRUE;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    info.m_bDirect = pMsg != nullptr && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || info.m_hPrinterDC == NULL) {
        if (info.m_hPrinterDC != NULL)
            ::DeleteDC(info.m_hPrinterDC);
        return;
    }
    CDC dc;
    dc.Attach(info.m_hPrinterDC);
    dc.m_bPrinting = TRUE;
    CString strTitle = m_pDocument ? m_pDocument->GetTitle() : CString();
    DOCINFOW di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = strTitle;
    bool bOK = false;
    try {
        OnBeginPrinting(&dc, &info);
        bOK = ::StartDocW(dc.m_hDC, &di) > 0;
        const UINT nLast =
            info.GetToPage() < info.GetMaxPage() ? info.GetToPage() : info.GetMaxPage();
        for (UINT nPage = info.GetFromPage(); bOK && nPage <= nLast; ++nPage) {
            info.m_nCurPage = nPage;
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            bOK = ::StartPage(dc.m_hDC) > 0;
            if (bOK) {
                OnPrint(&dc, &info);
                bOK = ::EndPage(dc.m_hDC) > 0;
            }
        }
        if (bOK)
            ::EndDoc(dc.m_hDC);
        else
            ::AbortDoc(dc.m_hDC);
        OnEndPrinting(&dc, &info);
    } catch (...) {
        ::AbortDoc(dc.m_hDC);
        ::DeleteDC(dc.Detach());
        throw;
    }
    ::DeleteDC(dc.Detach());
    if (!bOK)
        AfxMessageBox(L"Printing failed.", MB_OK | MB_ICONEXCLAMATION);
}

void CView::OnFilePrintPreview() {
    CPreviewView::Open(this);
}

void CView::OnEndPrintPreview(CDC*, CPrintInfo*, POINT, CView* pView) {
    if (auto* pPreview = DYNAMIC_DOWNCAST(CPreviewView, pView))
        pPreview->RestoreFrame();
}
