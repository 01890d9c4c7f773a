#include "framework/win/dc.h"

#include "framework/core/exceptions.h"
#include "framework/win/handlemap.h"
#include "framework/win/wnd.h"

namespace {
// A DC wrapper draws and measures on one handle unless told otherwise.
struct DCTraits {
    static HDC Get(const CDC& dc) { return dc.m_hDC; }
    static void Set(CDC& dc, HDC h) { dc.m_hDC = dc.m_hAttribDC = h; }
    static std::unique_ptr<CDC> Make(HDC) { return std::make_unique<CDC>(); }
};

CHandleMap<CDC, HDC, DCTraits>& DCMap() {
    static CHandleMap<CDC, HDC, DCTraits> map;
    return map;
}
HDC SafeHdc(const CDC* pDC) {
    return pDC ? pDC->m_hDC : NULL;
}
} // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC() {
    if (m_bOwnsDC)
        DeleteDC();
    else
        Detach();
}

CWnd* CDC::GetWindow() const {
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* PASCAL CDC::FromHandle(HDC hDC) {
    return DCMap().FromHandle(hDC);
}

CDC* PASCAL CDC::FromHandlePermanent(HDC hDC) {
    return DCMap().FromHandlePermanent(hDC);
}

CDC* AfxDCFromHandle(HDC hDC) {
    return CDC::FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap() {
    DCMap().DeleteTempMap();
}

BOOL CDC::Attach(HDC hDC) {
    return DCMap().Attach(*this, hDC);
}

HDC CDC::Detach() {
    m_bOwnsDC = FALSE;
    return DCMap().Detach(*this);
}

BOOL CDC::DeleteDC() {
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::AttachCreated(HDC hDC) {
    if (!Attach(hDC)) {
        if (hDC != NULL)
            ::DeleteDC(hDC); // the object holds a DC already: the new one would leak
        return FALSE;
    }
    m_bOwnsDC = TRUE;
    return TRUE;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData) {
    return AttachCreated(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput,
                                     static_cast<const DEVMODEW*>(lpInitData)));
}
BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData) {
    return AttachCreated(::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput,
                                     static_cast<const DEVMODEW*>(lpInitData)));
}
BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    return AttachCreated(::CreateCompatibleDC(SafeHdc(pDC)));
}

// Selection.
HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    return hObject ? ::SelectObject(m_hDC, hObject) : NULL;
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    return pObject ? CGdiObject::FromHandle(SelectObject(pObject->m_hObject)) : NULL;
}
CPen* CDC::SelectObject(CPen* pPen) {
    return pPen ? CPen::FromHandle((HPEN)SelectObject(pPen->m_hObject)) : NULL;
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
    return pBrush ? CBrush::FromHandle((HBRUSH)SelectObject(pBrush->m_hObject)) : NULL;
}
CFont* CDC::SelectObject(CFont* pFont) {
    return pFont ? CFont::FromHandle((HFONT)SelectObject(pFont->m_hObject)) : NULL;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return pBitmap ? CBitmap::FromHandle((HBITMAP)SelectObject(pBitmap->m_hObject)) : NULL;
}
int CDC::SelectObject(CRgn* pRgn) {
    return pRgn ? (int)(INT_PTR)::SelectObject(m_hDC, pRgn->m_hObject) : ERROR;
}
CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return hObject ? CGdiObject::FromHandle(SelectObject(hObject)) : NULL;
}
CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    HPALETTE h = ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground);
    return CPalette::FromHandle(h);
}
UINT CDC::RealizePalette() {
    return ::RealizePalette(m_hDC);
}
CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

int CDC::SaveDC() {
    return ::SaveDC(m_hDC);
}
BOOL CDC::RestoreDC(int nSavedDC) {
    return ::RestoreDC(m_hDC, nSavedDC);
}
int CDC::GetDeviceCaps(int nIndex) const {
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

// Colours and modes.
COLORREF CDC::SetTextColor(COLORREF crColor) {
    return ::SetTextColor(m_hDC, crColor);
}
COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hAttribDC);
}
COLORREF CDC::SetBkColor(COLORREF crColor) {
    return ::SetBkColor(m_hDC, crColor);
}
COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hAttribDC);
}
int CDC::SetBkMode(int nBkMode) {
    return ::SetBkMode(m_hDC, nBkMode);
}
int CDC::GetBkMode() const {
    return ::GetBkMode(m_hAttribDC);
}
int CDC::SetROP2(int nDrawMode) {
    return ::SetROP2(m_hDC, nDrawMode);
}
int CDC::GetROP2() const {
    return ::GetROP2(m_hAttribDC);
}
int CDC::SetStretchBltMode(int nStretchMode) {
    return ::SetStretchBltMode(m_hDC, nStretchMode);
}
UINT CDC::SetTextAlign(UINT nFlags) {
    return ::SetTextAlign(m_hDC, nFlags);
}
UINT CDC::GetTextAlign() const {
    return ::GetTextAlign(m_hAttribDC);
}
int CDC::SetTextCharacterExtra(int nCharExtra) {
    return ::SetTextCharacterExtra(m_hDC, nCharExtra);
}

// Coordinates.
int CDC::SetMapMode(int nMapMode) {
    return ::SetMapMode(m_hDC, nMapMode);
}
int CDC::GetMapMode() const {
    return ::GetMapMode(m_hAttribDC);
}
CPoint CDC::SetViewportOrg(int x, int y) {
    POINT pt = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &pt);
    return pt;
}
CPoint CDC::SetViewportOrg(POINT point) {
    return SetViewportOrg(point.x, point.y);
}
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    POINT pt = {0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt);
    return pt;
}
CPoint CDC::GetViewportOrg() const {
    POINT pt = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return pt;
}
CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE size = {0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &size);
    return size;
}
CSize CDC::SetViewportExt(SIZE size) {
    return SetViewportExt(size.cx, size.cy);
}
CSize CDC::GetViewportExt() const {
    SIZE size = {0, 0};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}
CPoint CDC::SetWindowOrg(int x, int y) {
    POINT pt = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &pt);
    return pt;
}
CPoint CDC::SetWindowOrg(POINT point) {
    return SetWindowOrg(point.x, point.y);
}
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
    POINT pt = {0, 0};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt);
    return pt;
}
CPoint CDC::GetWindowOrg() const {
    POINT pt = {0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return pt;
}
CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE size = {0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &size);
    return size;
}
CSize CDC::SetWindowExt(SIZE size) {
    return SetWindowExt(size.cx, size.cy);
}
CSize CDC::GetWindowExt() const {
    SIZE size = {0, 0};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const {
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}
void CDC::LPtoDP(LPRECT lpRect) const {
    ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2);
}
// Sizes convert as distances: the difference of two converted points.
void CDC::LPtoDP(LPSIZE lpSize) const {
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::LPtoDP(m_hAttribDC, pts, 2);
    lpSize->cx = abs(pts[1].x - pts[0].x);
    lpSize->cy = abs(pts[1].y - pts[0].y);
}
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const {
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}
void CDC::DPtoLP(LPRECT lpRect) const {
    ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2);
}
void CDC::DPtoLP(LPSIZE lpSize) const {
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(m_hAttribDC, pts, 2);
    lpSize->cx = abs(pts[1].x - pts[0].x);
    lpSize->cy = abs(pts[1].y - pts[0].y);
}

// Clipping.
int CDC::GetClipBox(LPRECT lpRect) const {
    return ::GetClipBox(m_hDC, lpRect);
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::IntersectClipRect(LPCRECT r) {
    return IntersectClipRect(r->left, r->top, r->right, r->bottom);
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::ExcludeClipRect(LPCRECT r) {
    return ExcludeClipRect(r->left, r->top, r->right, r->bottom);
}
int CDC::SelectClipRgn(CRgn* pRgn) {
    return ::SelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle());
}
int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), nMode);
}
BOOL CDC::PtVisible(int x, int y) const {
    return ::PtVisible(m_hDC, x, y);
}
BOOL CDC::PtVisible(POINT point) const {
    return PtVisible(point.x, point.y);
}
BOOL CDC::RectVisible(LPCRECT lpRect) const {
    return ::RectVisible(m_hDC, lpRect);
}

// Lines and shapes.
CPoint CDC::MoveTo(int x, int y) {
    POINT pt = {0, 0};
    ::MoveToEx(m_hDC, x, y, &pt);
    return pt;
}
CPoint CDC::MoveTo(POINT point) {
    return MoveTo(point.x, point.y);
}
BOOL CDC::LineTo(int x, int y) {
    return ::LineTo(m_hDC, x, y);
}
BOOL CDC::LineTo(POINT point) {
    return LineTo(point.x, point.y);
}
CPoint CDC::GetCurrentPosition() const {
    POINT pt = {0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return pt;
}
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) {
    return ::Polyline(m_hDC, lpPoints, nCount);
}
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) {
    return ::Polygon(m_hDC, lpPoints, nCount);
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Rectangle(LPCRECT r) {
    return Rectangle(r->left, r->top, r->right, r->bottom);
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::RoundRect(LPCRECT r, POINT point) {
    return RoundRect(r->left, r->top, r->right, r->bottom, point.x, point.y);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Ellipse(LPCRECT r) {
    return Ellipse(r->left, r->top, r->right, r->bottom);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
    return ::SetPixel(m_hDC, x, y, crColor);
}
COLORREF CDC::SetPixel(POINT point, COLORREF crColor) {
    return SetPixel(point.x, point.y, crColor);
}
COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::GetPixel(POINT point) const {
    return GetPixel(point.x, point.y);
}

// Areas.
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}
void CDC::InvertRect(LPCRECT lpRect) {
    ::InvertRect(m_hDC, lpRect);
}
// An opaque ExtTextOut fills with the background colour without making a brush.
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, old);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
    return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle());
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
    return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(), nWidth,
                      nHeight);
}
BOOL CDC::InvertRgn(CRgn* pRgn) {
    return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle());
}
BOOL CDC::PaintRgn(CRgn* pRgn) {
    return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle());
}
void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}
void CDC::DrawFocusRect(LPCRECT lpRect) {
    ::DrawFocusRect(m_hDC, lpRect);
}
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
BOOL CDC::DrawIcon(POINT point, HICON hIcon) {
    return DrawIcon(point.x, point.y, hIcon);
}

CBrush* PASCAL CDC::GetHalftoneBrush() {
    static CBrush brush;
    if (brush.m_hObject == NULL) {
        WORD pattern[8];
        for (int i = 0; i < 8; i++)
            pattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (hBitmap != NULL) {
            brush.Attach(::CreatePatternBrush(hBitmap));
            ::DeleteObject(hBitmap);
        }
    }
    return brush.m_hObject ? &brush : NULL;
}

namespace {
// The frame of rect with the given border thickness, as a region (NULL rect: empty).
void FrameRegion(CRgn& rgn, LPCRECT lpRect, SIZE size) {
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (lpRect == NULL)
        return;
    CRect inner(lpRect);
    inner.InflateRect(-size.cx, -size.cy);
    inner.IntersectRect(inner, lpRect);
    CRgn outer;
    CRgn hole;
    outer.CreateRectRgnIndirect(lpRect);
    hole.CreateRectRgnIndirect(inner);
    rgn.CombineRgn(&outer, &hole, RGN_XOR);
}
} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
    if (pBrush == NULL)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == NULL)
        pBrushLast = pBrush;
    CRgn rgnNew;
    CRgn rgnLast;
    FrameRegion(rgnNew, lpRect, size);
    FrameRegion(rgnLast, lpRectLast, sizeLast);

    CRect clip;
    GetClipBox(&clip);
    CRgn rgnUpdate;
    rgnUpdate.CreateRectRgn(0, 0, 0, 0);
    // With the same brush, one XOR pass over the difference moves the frame.
    if (pBrush == pBrushLast)
        rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
    else
        rgnUpdate.CopyRgn(&rgnLast);
    CBrush* pOld = SelectObject(pBrushLast);
    if (lpRectLast != NULL || pBrush == pBrushLast) {
        SelectClipRgn(&rgnUpdate);
        PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATINVERT);
    }
    if (pBrush != pBrushLast && lpRect != NULL) {
        SelectObject(pBrush);
        SelectClipRgn(&rgnNew);
        PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATINVERT);
    }
    SelectClipRgn(NULL);
    if (pOld != NULL)
        SelectObject(pOld);
}

// Bitmaps.
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, SafeHdc(pSrcDC), xSrc, ySrc, dwRop);
}
BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, SafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}
BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}
int CDC::StretchDIBits(int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                       int nSrcHeight, const void* lpBits, const BITMAPINFO* lpBitsInfo,
                       UINT iUsage, DWORD dwRop) {
    return ::StretchDIBits(m_hDC, x, y, nWidth, nHeight, xSrc, ySrc, nSrcWidth, nSrcHeight, lpBits,
                           lpBitsInfo, iUsage, dwRop);
}

// Text.
BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}
BOOL CDC::TextOut(int x, int y, const CString& str) {
    return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                     LPINT lpDxWidths) {
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}
CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin) {
    LONG l = ::TabbedTextOutW(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions,
                              nTabOrigin);
    return CSize(LOWORD(l), HIWORD(l));
}
CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin) {
    return TabbedTextOut(x, y, (LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions,
                         nTabOrigin);
}
int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}
int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                    LPDRAWTEXTPARAMS lpDTParams) {
    return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}
CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}
CSize CDC::GetTextExtent(const CString& str) const {
    return GetTextExtent((LPCTSTR)str, str.GetLength());
}
CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}
CSize CDC::GetOutputTextExtent(const CString& str) const {
    return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}
CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const {
    DWORD d =
        ::GetTabbedTextExtentW(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(d), HIWORD(d));
}
CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions,
                               LPINT lpnTabStopPositions) const {
    return GetTabbedTextExtent((LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const {
    return ::GetTextMetricsW(m_hAttribDC, lpMetrics);
}
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const {
    return ::GetTextFaceW(m_hAttribDC, nCount, lpszFacename);
}
BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const {
    return ::GetCharWidth32W(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

// Window DCs.
CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()), m_ps() {
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}
CPaintDC::~CPaintDC() {
    if (m_hDC != NULL) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}
CClientDC::~CClientDC() {
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}
CWindowDC::~CWindowDC() {
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}
