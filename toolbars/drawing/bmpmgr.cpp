#include "toolbars/drawing/bmpmgr.h"

#include "toolbars/drawing/syscolorbitmap.h"
#include "toolbars/drawing/toolkitcolors.h"

#include <cstring>

namespace {

const LPCTSTR kRtToolbar = MAKEINTRESOURCE(241);

// The toolbar resource's fixed part: version, width, height, item count (16-bit words).
const DWORD kToolbarHeaderBytes = 8;

void DeleteBitmap(HBITMAP& hBitmap) {
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    hBitmap = NULL;
}

} // namespace

SECResourceName::SECResourceName(LPCTSTR lpsz) {
    if (IS_INTRESOURCE(lpsz))
        m_nId = reinterpret_cast<UINT_PTR>(lpsz);
    else
        m_strName = lpsz;
}

LPCTSTR SECResourceName::Get() const {
    if (!m_strName.IsEmpty())
        return m_strName;
    return m_nId != 0 ? MAKEINTRESOURCE(m_nId) : NULL;
}

IMPLEMENT_DYNAMIC(SECBmpMgr, CObject)

SECBmpMgr::SECBmpMgr() {
    m_images.InitHashTable(17);
}

SECBmpMgr::~SECBmpMgr() {
    for (const std::unique_ptr<BmpInfo>& pInfo : m_bitmaps) {
        if (!pInfo->bSmallForeign)
            DeleteBitmap(pInfo->hSmall);
        if (!pInfo->bLargeForeign)
            DeleteBitmap(pInfo->hLarge);
    }
    m_images.RemoveAll();
}

LONG SECBmpMgr::AddRef() {
    return ++m_nRefs;
}

LONG SECBmpMgr::Release() {
    const LONG nRefs = --m_nRefs;
    if (nRefs == 0)
        delete this;
    return nRefs;
}

void SECBmpMgr::SetLargeImageSize(int cx, int cy) {
    m_cxLarge = cx;
    m_cyLarge = cy;
}

void SECBmpMgr::SetSmallImages(BOOL bSmall) {
    if (!bSmall == !m_bSmallImages)
        return;
    m_bSmallImages = bSmall;
    ReloadBitmaps(TRUE);
}

void SECBmpMgr::SetBothSets(BOOL bBoth) {
    if (!bBoth == !m_bBothSets)
        return;
    m_bBothSets = bBoth;
    ReloadBitmaps(FALSE);
}

BOOL SECBmpMgr::ReloadBitmaps(BOOL bReload) {
    for (const std::unique_ptr<BmpInfo>& pInfo : m_bitmaps)
        LoadBitmaps(pInfo.get(), bReload);
    return TRUE;
}

const SECBmpMgr::BmpInfo* SECBmpMgr::GetStrip(int nIndex) const {
    return nIndex >= 0 && nIndex < GetStripCount() ? m_bitmaps[size_t(nIndex)].get() : nullptr;
}

BOOL SECBmpMgr::LoadBitmaps(BmpInfo* pInfo, BOOL bReload) {
    if ((m_bSmallImages || m_bBothSets) && !pInfo->bSmallForeign) {
        if (m_bSmallImages && !m_bBothSets && !pInfo->bLargeForeign)
            DeleteBitmap(pInfo->hLarge);
        if (bReload)
            DeleteBitmap(pInfo->hSmall);
        if (pInfo->hSmall == NULL && !LoadSmallBitmap(pInfo))
            return FALSE;
    }
    if (pInfo->bLargeForeign || m_bSmallImages)
        return TRUE;
    if (!m_bBothSets && !pInfo->bSmallForeign)
        DeleteBitmap(pInfo->hSmall);
    if (bReload)
        DeleteBitmap(pInfo->hLarge);
    return pInfo->hLarge != NULL || LoadLargeBitmap(pInfo);
}

BOOL SECBmpMgr::LoadSmallBitmap(BmpInfo* pInfo) {
    if (pInfo->bSmallForeign)
        return TRUE;
    pInfo->hSmall = LoadStripResource(pInfo->smallResource, pInfo->bMapColors);
    return pInfo->hSmall != NULL;
}

BOOL SECBmpMgr::LoadLargeBitmap(BmpInfo* pInfo) {
    if (pInfo->bLargeForeign)
        return TRUE;
    if (!pInfo->largeResource.IsEmpty()) {
        pInfo->hLarge = LoadStripResource(pInfo->largeResource, pInfo->bMapColors);
        return pInfo->hLarge != NULL;
    }
    return StretchLarge(pInfo);
}

// Colour-mapped unless the flat look is on; a bitmap that cannot be mapped (more than 256
// colours) is loaded as it is.
HBITMAP SECBmpMgr::LoadStripResource(const SECResourceName& name, BOOL bMapColors) const {
    if (name.IsEmpty())
        return NULL;
    if (bMapColors && !IsFlatLook()) {
        CBitmap mapped;
        if (LoadSysColorBitmap(mapped, name.Get()))
            return static_cast<HBITMAP>(mapped.Detach());
    }
    return ::LoadBitmapW(AfxFindResourceHandle(name.Get(), RT_BITMAP), name.Get());
}

// Makes the large strip from the small images, each stretched to the large size.
BOOL SECBmpMgr::StretchLarge(BmpInfo* pInfo) {
    const bool bLoadedHere = pInfo->hSmall == NULL;
    if (bLoadedHere && (pInfo->bSmallForeign || !LoadSmallBitmap(pInfo)))
        return FALSE;
    BOOL bDone = FALSE;
    {
        CClientDC screen(NULL);
        CDC srcDC, dstDC;
        CBitmap large;
        if (pInfo->nImages > 0 && srcDC.CreateCompatibleDC(&screen) &&
            dstDC.CreateCompatibleDC(&screen) &&
            large.CreateCompatibleBitmap(&screen, pInfo->nImages * m_cxLarge, m_cyLarge)) {
            HGDIOBJ hOldSrc = ::SelectObject(srcDC, pInfo->hSmall);
            CBitmap* pOldDst = dstDC.SelectObject(&large);
            dstDC.SetStretchBltMode(COLORONCOLOR);
            for (int i = 0; i < pInfo->nImages; ++i) {
                dstDC.StretchBlt(i * m_cxLarge, 0, m_cxLarge, m_cyLarge, &srcDC, i * m_cxSmall, 0,
                                 m_cxSmall, m_cySmall, SRCCOPY);
            }
            dstDC.SelectObject(pOldDst);
            ::SelectObject(srcDC, hOldSrc);
            pInfo->hLarge = static_cast<HBITMAP>(large.Detach());
            bDone = TRUE;
        }
    }
    if (bLoadedHere)
        DeleteBitmap(pInfo->hSmall);
    return bDone;
}

BOOL SECBmpMgr::Register(std::unique_ptr<BmpInfo> pInfo, const UINT* pIds, int nCount) {
    if (nCount < 0 || (nCount > 0 && pIds == NULL))
        return FALSE;
    const int nBitmap = GetStripCount();
    pInfo->nImages = nCount;
    for (int i = 0; i < nCount; ++i) {
        BmpItem item;
        if (!m_images.Lookup(pIds[i], item))
            m_images.SetAt(pIds[i], BmpItem{nBitmap, i});
    }
    m_bitmaps.push_back(std::move(pInfo));
    return LoadBitmaps(m_bitmaps.back().get(), TRUE);
}

BOOL SECBmpMgr::AddBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* pIds, int nCount) {
    auto pInfo = std::make_unique<BmpInfo>();
    pInfo->hSmall = hSmall;
    pInfo->hLarge = hLarge;
    pInfo->bSmallForeign = hSmall != NULL;
    pInfo->bLargeForeign = hLarge != NULL;
    return Register(std::move(pInfo), pIds, nCount);
}

BOOL SECBmpMgr::AddResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge, const UINT* pIds, int nCount,
                            BOOL bMapColors) {
    auto pInfo = std::make_unique<BmpInfo>();
    pInfo->smallResource = SECResourceName(lpszSmall);
    pInfo->largeResource = SECResourceName(lpszLarge);
    pInfo->bMapColors = bMapColors;
    return Register(std::move(pInfo), pIds, nCount);
}

BOOL SECBmpMgr::LoadToolBar(LPCTSTR lpszSmall, LPCTSTR lpszLarge, BOOL bMapColors) {
    std::vector<UINT> ids, largeIds;
    int cx = 0, cy = 0, cxLarge = 0, cyLarge = 0;
    if (!ReadToolBarResource(lpszSmall, ids, cx, cy))
        return FALSE;
    if (lpszLarge != NULL && !ReadToolBarResource(lpszLarge, largeIds, cxLarge, cyLarge))
        return FALSE;
    // Only the first strip sets the sizes: a later one must not undo a size set in between.
    if (m_bitmaps.empty()) {
        m_cxSmall = cx;
        m_cySmall = cy;
        if (lpszLarge != NULL)
            SetLargeImageSize(cxLarge, cyLarge);
    }
    return AddResource(lpszSmall, lpszLarge, ids.data(), static_cast<int>(ids.size()), bMapColors);
}

BOOL SECBmpMgr::GetImage(UINT nId, HBITMAP& hBitmap, int& nIndex, BOOL bForceSmall) const {
    BmpItem item;
    if (!m_images.Lookup(nId, item))
        return FALSE;
    const BmpInfo& info = *m_bitmaps[size_t(item.nBitmap)];
    hBitmap = !bForceSmall && !m_bSmallImages ? info.hLarge : info.hSmall;
    nIndex = item.nImage;
    return TRUE;
}

BOOL SECBmpMgr::ReadToolBarResource(LPCTSTR lpszResource, std::vector<UINT>& ids, int& cx, int& cy,
                                    BOOL bKeepSeparators) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResource, kRtToolbar);
    HRSRC hRes = ::FindResourceW(hInst, lpszResource, kRtToolbar);
    if (hRes == NULL)
        return FALSE;
    const DWORD size = ::SizeofResource(hInst, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BYTE* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (pData == nullptr || size < kToolbarHeaderBytes)
        return FALSE;
    WORD header[4];
    std::memcpy(header, pData, sizeof(header));
    const WORD nCount = header[3];
    if (header[0] != 1 || header[1] == 0 || header[2] == 0 ||
        kToolbarHeaderBytes + 2 * DWORD(nCount) > size) {
        return FALSE;
    }
    ids.clear();
    for (WORD i = 0; i < nCount; ++i) {
        WORD id;
        std::memcpy(&id, pData + kToolbarHeaderBytes + 2 * i, sizeof(id));
        if (id != 0 || bKeepSeparators)
            ids.push_back(id);
    }
    cx = header[1];
    cy = header[2];
    return TRUE;
}
