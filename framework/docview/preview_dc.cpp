#include "framework/docview/preview_dc.h"

#include <cstdlib>

namespace {
// Logical units per inch of the metric and English mapping modes; 0 for the others.
int UnitsPerInch(int nMapMode) {
    switch (nMapMode) {
    case MM_LOMETRIC:
        return 254;
    case MM_HIMETRIC:
        return 2540;
    case MM_LOENGLISH:
        return 100;
    case MM_HIENGLISH:
        return 1000;
    case MM_TWIPS:
        return 1440;
    default:
        return 0;
    }
}
} // namespace

CPreviewDC::CPreviewDC(const CPageDevice& page) : m_page(page) {
    m_hDC = m_hAttribDC = page.GetMeasureDC();
    m_bPrinting = TRUE;
}

CPreviewDC::~CPreviewDC() {
    ReleaseOutput();
    // The measuring DC belongs to the page device.
    ::SelectObject(m_hAttribDC, ::GetStockObject(SYSTEM_FONT));
    m_hDC = m_hAttribDC = NULL;
}

void CPreviewDC::SetOutput(HDC hOutput, const CRect& rectPage) {
    ReleaseOutput();
    if (hOutput == NULL || hOutput == m_hAttribDC)
        return;
    m_nSavedOutput = ::SaveDC(hOutput);
    m_hDC = hOutput;
    m_rectPage = rectPage;
    ::IntersectClipRect(m_hDC, rectPage.left, rectPage.top, rectPage.right, rectPage.bottom);
    ::SelectObject(m_hDC, ::GetCurrentObject(m_hAttribDC, OBJ_FONT));
    MirrorMapping();
}

void CPreviewDC::ReleaseOutput() {
    if (!HasOutput())
        return;
    ::RestoreDC(m_hDC, m_nSavedOutput);
    m_hDC = m_hAttribDC;
    m_nSavedOutput = 0;
}

void CPreviewDC::ResetPage() {
    m_nMapMode = MM_TEXT;
    ::SetMapMode(m_hAttribDC, MM_TEXT);
    ::SetWindowOrgEx(m_hAttribDC, 0, 0, NULL);
    ::SetViewportOrgEx(m_hAttribDC, 0, 0, NULL);
    ::SelectObject(m_hAttribDC, ::GetStockObject(DEVICE_DEFAULT_FONT));
    if (HasOutput()) {
        ::SelectObject(m_hDC, ::GetStockObject(DEVICE_DEFAULT_FONT));
        MirrorMapping();
    }
}

int CPreviewDC::GetDeviceCaps(int nIndex) const {
    int nValue = 0;
    if (m_page.GetCaps(nIndex, &nValue))
        return nValue;
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

// Fonts are measured on the page device; the other objects only draw.
HGDIOBJ CPreviewDC::SelectObject(HGDIOBJ hObject) {
    if (hObject == NULL)
        return NULL;
    if (::GetObjectType(hObject) == OBJ_FONT && HasOutput())
        ::SelectObject(m_hAttribDC, hObject);
    return ::SelectObject(m_hDC, hObject);
}

int CPreviewDC::SaveDC() {
    if (HasOutput())
        ::SaveDC(m_hAttribDC);
    return ::SaveDC(m_hDC);
}

BOOL CPreviewDC::RestoreDC(int nSavedDC) {
    if (!HasOutput())
        return ::RestoreDC(m_hDC, nSavedDC);
    ::RestoreDC(m_hAttribDC, nSavedDC < 0 ? nSavedDC : -1);
    const BOOL bOK = ::RestoreDC(m_hDC, nSavedDC);
    m_nMapMode = ::GetMapMode(m_hAttribDC);
    MirrorMapping();
    return bOK;
}

int CPreviewDC::SetMapMode(int nMapMode) {
    const int nPrevious = m_nMapMode;
    const int nPerInch = UnitsPerInch(nMapMode);
    if (nPerInch == 0) {
        if (::SetMapMode(m_hAttribDC, nMapMode) == 0)
            return 0;
    } else {
        // The page device's own resolution decides the size of a logical unit, not the
        // measuring DC's.
        const CSize dpi(GetDeviceCaps(LOGPIXELSX), GetDeviceCaps(LOGPIXELSY));
        ::SetMapMode(m_hAttribDC, MM_ANISOTROPIC);
        ::SetWindowExtEx(m_hAttribDC, nPerInch, nPerInch, NULL);
        ::SetViewportExtEx(m_hAttribDC, dpi.cx, -dpi.cy, NULL);
    }
    m_nMapMode = nMapMode;
    MirrorMapping();
    return nPrevious;
}

int CPreviewDC::GetMapMode() const {
    return m_nMapMode;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y) {
    return MapOnPage<POINT>([=](HDC h, POINT* p) { ::SetViewportOrgEx(h, x, y, p); });
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight) {
    return MapOnPage<POINT>([=](HDC h, POINT* p) { ::OffsetViewportOrgEx(h, nWidth, nHeight, p); });
}

CSize CPreviewDC::SetViewportExt(int cx, int cy) {
    return MapOnPage<SIZE>([=](HDC h, SIZE* p) { ::SetViewportExtEx(h, cx, cy, p); });
}

CPoint CPreviewDC::SetWindowOrg(int x, int y) {
    return MapOnPage<POINT>([=](HDC h, POINT* p) { ::SetWindowOrgEx(h, x, y, p); });
}

CPoint CPreviewDC::OffsetWindowOrg(int nWidth, int nHeight) {
    return MapOnPage<POINT>([=](HDC h, POINT* p) { ::OffsetWindowOrgEx(h, nWidth, nHeight, p); });
}

CSize CPreviewDC::SetWindowExt(int cx, int cy) {
    return MapOnPage<SIZE>([=](HDC h, SIZE* p) { ::SetWindowExtEx(h, cx, cy, p); });
}

// Page device units map to the output by the factor rectPage width / page width. The page's
// own window-to-viewport ratio is kept exact by scaling the window extent by the page width and
// the viewport extent by the width on the output, in 64 bits reduced to fit GDI's 32.
void CPreviewDC::MirrorMapping() {
    if (!HasOutput())
        return;
    POINT orgWindow, orgViewport;
    SIZE extWindow, extViewport;
    ::GetWindowOrgEx(m_hAttribDC, &orgWindow);
    ::GetViewportOrgEx(m_hAttribDC, &orgViewport);
    ::GetWindowExtEx(m_hAttribDC, &extWindow);
    ::GetViewportExtEx(m_hAttribDC, &extViewport);
    long long nNum = m_rectPage.Width();
    long long nDen = m_page.GetSize().cx;
    long long wx = extWindow.cx * nDen, wy = extWindow.cy * nDen;
    long long vx = extViewport.cx * nNum, vy = extViewport.cy * nNum;
    while (llabs(wx) > 0x3FFFFFFF || llabs(wy) > 0x3FFFFFFF || llabs(vx) > 0x3FFFFFFF ||
           llabs(vy) > 0x3FFFFFFF) {
        wx /= 2, wy /= 2, vx /= 2, vy /= 2;
    }
    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_hDC, wx ? (int)wx : 1, wy ? (int)wy : 1, NULL);
    ::SetViewportExtEx(m_hDC, vx ? (int)vx : 1, vy ? (int)vy : 1, NULL);
    ::SetWindowOrgEx(m_hDC, orgWindow.x, orgWindow.y, NULL);
    ::SetViewportOrgEx(m_hDC, m_rectPage.left + (int)(orgViewport.x * nNum / nDen),
                       m_rectPage.top + (int)(orgViewport.y * nNum / nDen), NULL);
}
