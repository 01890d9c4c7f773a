#include "toolbars/tbbtn_cache.h"

#include "toolbars/drawing/ditherbrush.h"
#include "toolbars/drawing/themeapi.h"

SECBtnDrawingCache::SECBtnDrawingCache() {
    CreateDitherBrush(m_ditherBrush);
}

SECBtnDrawingCache::~SECBtnDrawingCache() {
    Release();
}

BOOL SECBtnDrawingCache::Prepare(CDC* pTarget, int cx, int cy) {
    Release();
    if (pTarget == NULL || cx <= 0 || cy <= 0)
        return FALSE;
    if (m_faceDC.GetSafeHdc() == NULL && !m_faceDC.CreateCompatibleDC(pTarget))
        return FALSE;
    if (m_imageDC.GetSafeHdc() == NULL && !m_imageDC.CreateCompatibleDC(pTarget))
        return FALSE;
    if (m_faceBitmap.GetSafeHandle() == NULL || m_faceSize.cx < cx || m_faceSize.cy < cy) {
        m_faceBitmap.DeleteObject();
        if (!m_faceBitmap.CreateCompatibleBitmap(pTarget, cx, cy))
            return FALSE;
        m_faceSize = CSize(cx, cy);
    }
    m_hOldFace = ::SelectObject(m_faceDC, m_faceBitmap.GetSafeHandle());
    m_bPrepared = TRUE;
    return TRUE;
}

void SECBtnDrawingCache::Release() {
    SelectImageBitmap(NULL);
    if (m_hTheme != NULL)
        DynCloseThemeData(m_hTheme);
    m_hTheme = NULL;
    m_bThemeTried = FALSE;
    if (m_hOldFace != NULL) {
        ::SelectObject(m_faceDC, m_hOldFace);
        m_hOldFace = NULL;
    }
    m_bPrepared = FALSE;
}

void SECBtnDrawingCache::SelectImageBitmap(HBITMAP hBitmap) {
    // Buttons of one strip follow each other: the strip stays selected between them, since
    // selecting a bitmap costs more than drawing most buttons.
    if (hBitmap != NULL && hBitmap == m_hImage)
        return;
    if (m_hImage != NULL) {
        ::SelectObject(m_imageDC, m_hOldImage);
        m_hImage = NULL;
        m_hOldImage = NULL;
    }
    if (hBitmap == NULL || m_imageDC.GetSafeHdc() == NULL)
        return;
    m_hOldImage = ::SelectObject(m_imageDC, hBitmap);
    if (m_hOldImage != NULL)
        m_hImage = hBitmap;
}

HTHEME SECBtnDrawingCache::ToolbarTheme(HWND hWnd) {
    // Opened once per paint, not per button: opening costs more than drawing a button.
    if (!m_bThemeTried && IsThemed())
        m_hTheme = DynOpenThemeData(hWnd, L"toolbar");
    m_bThemeTried = TRUE;
    return m_hTheme;
}

CBrush* SECBtnDrawingCache::GetDitherBrush() {
    if (m_ditherBrush.GetSafeHandle() == NULL && !CreateDitherBrush(m_ditherBrush))
        return NULL;
    return &m_ditherBrush;
}

void SECBtnDrawingCache::RebuildDitherBrush() {
    CreateDitherBrush(m_ditherBrush);
}
