#include "framework/win/gdi.h"

#include "framework/win/dc.h"
#include "framework/core/exceptions.h"
#include "framework/win/handlemap.h"
#include "framework/win/resources.h"

namespace {
// A temporary wrapper is of the handle's own kind, so that a font comes back as a CFont.
struct GdiTraits : CHandleMemberTraits<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject> {
    static std::unique_ptr<CGdiObject> Make(HGDIOBJ hObject);
};

CHandleMap<CGdiObject, HGDIOBJ, GdiTraits>& GdiMap() {
    static CHandleMap<CGdiObject, HGDIOBJ, GdiTraits> map;
    return map;
}

std::unique_ptr<CGdiObject> GdiTraits::Make(HGDIOBJ hObject) {
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return std::make_unique<CPen>();
    case OBJ_BRUSH:
        return std::make_unique<CBrush>();
    case OBJ_FONT:
        return std::make_unique<CFont>();
    case OBJ_BITMAP:
        return std::make_unique<CBitmap>();
    case OBJ_REGION:
        return std::make_unique<CRgn>();
    case OBJ_PAL:
        return std::make_unique<CPalette>();
    default:
        return std::make_unique<CGdiObject>();
    }
}

// Binds a handle just made for the object. An object that already holds one refuses it, and the
// new handle is deleted rather than leaked.
BOOL TakeNew(CGdiObject* pObject, HGDIOBJ hNew) {
    if (pObject->Attach(hNew))
        return TRUE;
    if (hNew != NULL)
        ::DeleteObject(hNew);
    return FALSE;
}

template <class T, class H> T* TypedFromHandle(H h) {
    return static_cast<T*>(CGdiObject::FromHandle((HGDIOBJ)h));
}
} // namespace

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
    return GdiMap().FromHandle(hObject);
}

CGdiObject* PASCAL CGdiObject::FromHandlePermanent(HGDIOBJ hObject) {
    return GdiMap().FromHandlePermanent(hObject);
}

void PASCAL CGdiObject::DeleteTempMap() {
    GdiMap().DeleteTempMap();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    return GdiMap().Attach(*this, hObject);
}

HGDIOBJ CGdiObject::Detach() {
    return GdiMap().Detach(*this);
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectW(m_hObject, nCount, lpObject);
}
UINT CGdiObject::GetObjectType() const {
    return (UINT)::GetObjectType(m_hObject);
}
BOOL CGdiObject::CreateStockObject(int nIndex) {
    return Attach(::GetStockObject(nIndex));
}
BOOL CGdiObject::UnrealizeObject() {
    return ::UnrealizeObject(m_hObject);
}

// Pens.
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}
CPen* PASCAL CPen::FromHandle(HPEN hPen) {
    return TypedFromHandle<CPen>(hPen);
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return TakeNew(this, ::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
    return TakeNew(this, ::CreatePenIndirect(lpLogPen));
}
int CPen::GetLogPen(LOGPEN* pLogPen) const {
    return GetObject(sizeof(LOGPEN), pLogPen);
}

// Brushes.
CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}
CBrush::CBrush(int nIndex, COLORREF crColor) {
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}
CBrush::CBrush(CBitmap* pBitmap) {
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}
CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush) {
    return TypedFromHandle<CBrush>(hBrush);
}
BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return TakeNew(this, ::CreateSolidBrush(crColor));
}
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
    return TakeNew(this, ::CreateHatchBrush(nIndex, crColor));
}
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    return TakeNew(this, ::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return TakeNew(this, ::CreateBrushIndirect(lpLogBrush));
}
BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return Attach(::GetSysColorBrush(nIndex));
}
int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const {
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

// Fonts.
CFont* PASCAL CFont::FromHandle(HFONT hFont) {
    return TypedFromHandle<CFont>(hFont);
}
BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return lpLogFont ? TakeNew(this, ::CreateFontIndirectW(lpLogFont)) : FALSE;
}
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename) {
    return TakeNew(this, ::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                       bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                                       nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}
BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    if (lpLogFont == NULL)
        return FALSE;
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(NULL);
    // Tenths of a point to logical units of the DC.
    LOGFONT lf = *lpLogFont;
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&lf);
}
int CFont::GetLogFont(LOGFONT* pLogFont) const {
    return GetObject(sizeof(LOGFONT), pLogFont);
}

// Bitmaps.
CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap) {
    return TypedFromHandle<CBitmap>(hBitmap);
}
BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return TakeNew(this, ::LoadBitmapW(hInst, lpszResourceName));
}
BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}
BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
    return TakeNew(this, ::LoadBitmapW(NULL, MAKEINTRESOURCEW(nIDBitmap)));
}
BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDBitmap), RT_BITMAP);
    return TakeNew(this, ::CreateMappedBitmap(hInst, nIDBitmap, nFlags, lpColorMap, nMapSize));
}
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return TakeNew(this, ::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) {
    return TakeNew(this, ::CreateBitmapIndirect(lpBitmap));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return pDC ? TakeNew(this, ::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight)) : FALSE;
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
    return pDC ? TakeNew(this, ::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight)) : FALSE;
}
int CBitmap::GetBitmap(BITMAP* pBitMap) const {
    return GetObject(sizeof(BITMAP), pBitMap);
}
DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
    return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}
DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits);
}
CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
    SIZE size = {0, 0};
    ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return size;
}
CSize CBitmap::GetBitmapDimension() const {
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

// Regions.
CRgn* PASCAL CRgn::FromHandle(HRGN hRgn) {
    return TypedFromHandle<CRgn>(hRgn);
}
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    return TakeNew(this, ::CreateRectRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
    return TakeNew(this, ::CreateRectRgnIndirect(lpRect));
}
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    return TakeNew(this, ::CreateEllipticRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) {
    return TakeNew(this, ::CreateEllipticRgnIndirect(lpRect));
}
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
    return TakeNew(this, ::CreatePolygonRgn(lpPoints, nCount, nMode));
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return TakeNew(this, ::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
    ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}
void CRgn::SetRectRgn(LPCRECT r) {
    SetRectRgn(r->left, r->top, r->right, r->bottom);
}
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(), (HRGN)pRgn2->GetSafeHandle(),
                        nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->GetSafeHandle(), NULL, RGN_COPY);
}
BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
    return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->GetSafeHandle());
}
int CRgn::OffsetRgn(int x, int y) {
    return ::OffsetRgn((HRGN)m_hObject, x, y);
}
int CRgn::OffsetRgn(POINT point) {
    return OffsetRgn(point.x, point.y);
}
int CRgn::GetRgnBox(LPRECT lpRect) const {
    return ::GetRgnBox((HRGN)m_hObject, lpRect);
}
BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion((HRGN)m_hObject, x, y);
}
BOOL CRgn::PtInRegion(POINT point) const {
    return PtInRegion(point.x, point.y);
}
BOOL CRgn::RectInRegion(LPCRECT lpRect) const {
    return ::RectInRegion((HRGN)m_hObject, lpRect);
}

// Palettes.
CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette) {
    return TypedFromHandle<CPalette>(hPalette);
}
BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) {
    return TakeNew(this, ::CreatePalette(lpLogPalette));
}
BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
    return pDC ? TakeNew(this, ::CreateHalftonePalette(pDC->m_hDC)) : FALSE;
}
UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const {
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}
int CPalette::GetEntryCount() const {
    WORD nEntries = 0;
    GetObject(sizeof(WORD), &nEntries);
    return nEntries;
}
