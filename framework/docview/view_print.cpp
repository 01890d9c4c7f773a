// CView: choosing a printer and running a print job through the view's printing hooks.
#include "framework/docview/view.h"

#include "framework/win/dc.h"
#include "framework/docview/document.h"
#include "framework/docview/frameids.h"
#include "framework/docview/preview_view.h"
#include "framework/win/winapp.h"

#include <commdlg.h>

namespace {
// Frees what the printer dialog handed over, whatever happens to the job.
struct PrinterHandles {
    HGLOBAL hDevMode = NULL;
    HGLOBAL hDevNames = NULL;
    ~PrinterHandles() {
        if (hDevMode != NULL)
            ::GlobalFree(hDevMode);
        if (hDevNames != NULL)
            ::GlobalFree(hDevNames);
    }
};

// Asks for the default printer without showing anything.
bool PrinterInstalled(HWND hWndOwner) {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = hWndOwner;
    pd.Flags = PD_RETURNDEFAULT;
    PrinterHandles handles;
    const BOOL bOK = ::PrintDlgW(&pd);
    handles.hDevMode = pd.hDevMode;
    handles.hDevNames = pd.hDevNames;
    return bOK || ::CommDlgExtendedError() != PDERR_NODEFAULTPRN;
}
} // namespace

// A preview without a printer goes on with the stand-in page (m_hPrinterDC stays NULL); printing
// without one says so.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    if (pInfo == nullptr)
        return FALSE;
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    CWnd* pTop = GetTopLevelParent();
    pd.hwndOwner = pTop ? pTop->m_hWnd : m_hWnd;
    if (!PrinterInstalled(pd.hwndOwner)) {
        if (pInfo->m_bPreview)
            return TRUE;
        AfxMessageBox(L"No printer is installed.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    if (pInfo->m_bPreview || pInfo->m_bDirect)
        pd.Flags |= PD_RETURNDEFAULT;
    const UINT nMax = pInfo->GetMaxPage() < 0xFFFF ? pInfo->GetMaxPage() : 0xFFFF;
    pd.nMinPage = (WORD)pInfo->GetMinPage();
    pd.nMaxPage = (WORD)nMax;
    pd.nFromPage = (WORD)pInfo->GetMinPage();
    pd.nToPage = (WORD)nMax;
    if (nMax != 0xFFFF)
        pd.Flags |= PD_PAGENUMS;
    PrinterHandles handles;
    BOOL bOK = ::PrintDlgW(&pd);
    handles.hDevMode = pd.hDevMode;
    handles.hDevNames = pd.hDevNames;
    if (!bOK || pd.hDC == NULL)
        return FALSE;
    if (pd.Flags & PD_PAGENUMS) {
        pInfo->m_nFromPage = pd.nFromPage;
        pInfo->m_nToPage = pd.nToPage;
    }
    pInfo->m_hPrinterDC = pd.hDC;
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
