#include "framework/docview/page_device.h"

namespace {
// US Letter at 100 dots per inch: small enough to render quickly, large enough to read.
CSize g_sizeStandIn(850, 1100);
CSize g_dpiStandIn(100, 100);
} // namespace

CPageDevice::CPageDevice(HDC hPrinterDC) : m_hDC(hPrinterDC) {
    if (m_hDC != NULL) {
        m_size = CSize(::GetDeviceCaps(m_hDC, HORZRES), ::GetDeviceCaps(m_hDC, VERTRES));
        m_dpi = CSize(::GetDeviceCaps(m_hDC, LOGPIXELSX), ::GetDeviceCaps(m_hDC, LOGPIXELSY));
        if (m_size.cx > 0 && m_size.cy > 0 && m_dpi.cx > 0 && m_dpi.cy > 0)
            return;
        // A DC that cannot describe a page is no printer.
        ::DeleteDC(m_hDC);
    }
    m_hDC = ::CreateCompatibleDC(NULL);
    m_bStandIn = TRUE;
    m_size = g_sizeStandIn;
    m_dpi = g_dpiStandIn;
}

CPageDevice::~CPageDevice() {
    if (m_hDC != NULL)
        ::DeleteDC(m_hDC);
}

BOOL CPageDevice::SetStandIn(CSize sizeDots, CSize sizeDpi) {
    if (sizeDots.cx < 1 || sizeDots.cy < 1 || sizeDpi.cx < 1 || sizeDpi.cy < 1)
        return FALSE;
    g_sizeStandIn = sizeDots;
    g_dpiStandIn = sizeDpi;
    return TRUE;
}

CSize CPageDevice::GetStandInSize() {
    return g_sizeStandIn;
}

CSize CPageDevice::GetStandInDpi() {
    return g_dpiStandIn;
}

BOOL CPageDevice::GetCaps(int nIndex, int* pnValue) const {
    // A printer answers for itself through its own DC.
    if (!m_bStandIn)
        return FALSE;
    switch (nIndex) {
    case HORZRES:
    case PHYSICALWIDTH:
        *pnValue = m_size.cx;
        return TRUE;
    case VERTRES:
    case PHYSICALHEIGHT:
        *pnValue = m_size.cy;
        return TRUE;
    case LOGPIXELSX:
        *pnValue = m_dpi.cx;
        return TRUE;
    case LOGPIXELSY:
        *pnValue = m_dpi.cy;
        return TRUE;
    case HORZSIZE:
        *pnValue = MulDiv(m_size.cx, 254, m_dpi.cx * 10);
        return TRUE;
    case VERTSIZE:
        *pnValue = MulDiv(m_size.cy, 254, m_dpi.cy * 10);
        return TRUE;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
        *pnValue = 0;
        return TRUE;
    default:
        return FALSE;
    }
}
