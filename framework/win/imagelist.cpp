#include "framework/win/imagelist.h"

#include "framework/win/dc.h"
#include "framework/win/gdi.h"
#include "framework/win/resources.h"
#include "framework/win/wnd.h"

namespace {
using ImageListTraits = CHandleMemberTraits<CImageList, HIMAGELIST, &CImageList::m_hImageList>;
CHandleMap<CImageList, HIMAGELIST, ImageListTraits>& ImageListMap() {
    static CHandleMap<CImageList, HIMAGELIST, ImageListTraits> map;
    return map;
}
HBITMAP BitmapOf(CBitmap* p) {
    return (HBITMAP)p->GetSafeHandle();
}

// Binds a list just made for the object. An object that already holds one refuses it, and the
// new list is destroyed rather than leaked.
BOOL TakeNew(CImageList* pList, HIMAGELIST hNew) {
    if (pList->Attach(hNew))
        return TRUE;
    if (hNew != NULL)
        ImageList_Destroy(hNew);
    return FALSE;
}
} // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
    return ImageListMap().FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
    return ImageListMap().FromHandlePermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap() {
    ImageListMap().DeleteTempMap();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    return ImageListMap().Attach(*this, hImageList);
}

HIMAGELIST CImageList::Detach() {
    return ImageListMap().Detach(*this);
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return TakeNew(this, ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}
BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return TakeNew(this, ImageList_LoadImageW(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                              LR_CREATEDIBSECTION));
}
BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}
BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2,
                        int dx, int dy) {
    return TakeNew(this, ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList,
                                         nImage2, dx, dy));
}
BOOL CImageList::Create(CImageList* pImageList) {
    return pImageList ? TakeNew(this, ImageList_Duplicate(pImageList->m_hImageList)) : FALSE;
}

int CImageList::GetImageCount() const {
    return ImageList_GetImageCount(m_hImageList);
}
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}
BOOL CImageList::GetIconSize(int* cx, int* cy) const {
    return ImageList_GetIconSize(m_hImageList, cx, cy);
}
BOOL CImageList::SetImageCount(UINT uNewCount) {
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}
COLORREF CImageList::SetBkColor(COLORREF cr) {
    return ImageList_SetBkColor(m_hImageList, cr);
}
COLORREF CImageList::GetBkColor() const {
    return ImageList_GetBkColor(m_hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, BitmapOf(pbmImage), BitmapOf(pbmMask));
}
int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, BitmapOf(pbmImage), crMask);
}
int CImageList::Add(HICON hIcon) {
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}
BOOL CImageList::Remove(int nImage) {
    return ImageList_Remove(m_hImageList, nImage);
}
BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, BitmapOf(pbmImage), BitmapOf(pbmMask));
}
int CImageList::Replace(int nImage, HICON hIcon) {
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}
HICON CImageList::ExtractIcon(int nImage) {
    return ImageList_GetIcon(m_hImageList, nImage, 0);
}
BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) {
    return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}
BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags) {
    return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}
BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags) {
    return pSrc ? ImageList_Copy(m_hImageList, iDst, pSrc->m_hImageList, iSrc, uFlags) : FALSE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) {
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}
BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg,
                        UINT nStyle) {
    return ImageList_DrawEx(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, sz.cx, sz.cy,
                            clrBk, clrFg, nStyle);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot) {
    return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}
void PASCAL CImageList::EndDrag() {
    ImageList_EndDrag();
}
BOOL PASCAL CImageList::DragMove(CPoint pt) {
    return ImageList_DragMove(pt.x, pt.y);
}
BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot) {
    return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}
BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) {
    return ImageList_DragShowNolock(bShow);
}
CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot) {
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}
BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
    return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}
BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) {
    return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}
