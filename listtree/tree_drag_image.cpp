#include "listtree/impl/tree_paint.h"

#include <memory>

CImageList* SECTreeComposeDragImage(const SECTreeDragPart* pParts, int nParts, int cx, int cy) {
    if (pParts == nullptr || nParts <= 0 || cx <= 0 || cy <= 0)
        return nullptr;
    std::unique_ptr<CImageList> pList(new CImageList);
    if (!pList->Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0))
        return nullptr;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    BOOL bOk = hImage != NULL && hMask != NULL && hdc != NULL;
    if (bOk) {
        HGDIOBJ hOld = ::SelectObject(hdc, hImage);
        ::PatBlt(hdc, 0, 0, cx, cy, BLACKNESS);
        for (int i = 0; i < nParts; ++i)
            ImageList_Draw(pParts[i].hList, pParts[i].nImage, hdc, pParts[i].x, 0, ILD_NORMAL);
        ::SelectObject(hdc, hMask);
        ::PatBlt(hdc, 0, 0, cx, cy, WHITENESS); // transparent where no part lies
        for (int i = 0; i < nParts; ++i) {
            IMAGEINFO info = {};
            if (!ImageList_GetImageInfo(pParts[i].hList, pParts[i].nImage, &info))
                continue;
            if (info.hbmMask != NULL)
                ImageList_Draw(pParts[i].hList, pParts[i].nImage, hdc, pParts[i].x, 0, ILD_MASK);
            else
                ::PatBlt(hdc, pParts[i].x, 0, info.rcImage.right - info.rcImage.left,
                         info.rcImage.bottom - info.rcImage.top, BLACKNESS);
        }
        ::SelectObject(hdc, hOld);
        bOk = ImageList_Add(pList->GetSafeHandle(), hImage, hMask) >= 0;
    }
    if (hdc != NULL)
        ::DeleteDC(hdc);
    if (hImage != NULL)
        ::DeleteObject(hImage);
    if (hMask != NULL)
        ::DeleteObject(hMask);
    return bOk ? pList.release() : nullptr;
}
