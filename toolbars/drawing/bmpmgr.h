// SECBmpMgr: the image store behind the custom toolbars. It holds strips of equally sized
// button images, each in a small and a large form (the large one a resource of its own or
// stretched from the small images), and maps every command id to one image of one strip. One
// store is shared by reference count among a frame's toolbar manager and toolbars.
#pragma once

#include "framework/afx.h"

#include <memory>
#include <vector>

// A resource given by name or by id; empty when none.
class SECResourceName {
public:
    SECResourceName(LPCTSTR lpsz = NULL);
    LPCTSTR Get() const;
    BOOL IsEmpty() const { return Get() == NULL; }

private:
    UINT_PTR m_nId = 0;
    CString m_strName;
};

class SECBmpMgr : public CObject {
    DECLARE_DYNAMIC(SECBmpMgr)
public:
    // Where a command's image lies.
    struct BmpItem {
        int nBitmap; // strip index
        int nImage;  // image index within the strip
    };
    // One strip. A foreign bitmap was handed in by the caller: never loaded, replaced or
    // deleted here, and it must outlive the store.
    struct BmpInfo {
        SECResourceName smallResource;
        SECResourceName largeResource;
        HBITMAP hSmall = NULL;
        HBITMAP hLarge = NULL;
        int nImages = 0;
        BOOL bMapColors = TRUE;
        BOOL bSmallForeign = FALSE;
        BOOL bLargeForeign = FALSE;
    };

    // One reference, held by the creator; Release deletes a store made with new.
    SECBmpMgr();
    ~SECBmpMgr() override;

    // Loads the form of the strip the mode needs now. FALSE when it cannot be loaded.
    virtual BOOL LoadBitmaps(BmpInfo* pInfo, BOOL bReload);
    virtual BOOL LoadSmallBitmap(BmpInfo* pInfo);
    virtual BOOL LoadLargeBitmap(BmpInfo* pInfo);

    LONG AddRef();
    LONG Release();

    void SetLargeImageSize(int cx, int cy);
    void SetSmallImages(BOOL bSmall);
    void SetBothSets(BOOL bBoth);
    BOOL ReloadBitmaps(BOOL bReload);

    // Registers the images of an RT_TOOLBAR resource and its bitmap of the same name (and the
    // large pair when given). The first strip sets the image sizes; FALSE, with the store
    // unchanged, when a toolbar resource cannot be read.
    BOOL LoadToolBar(LPCTSTR lpszSmall, LPCTSTR lpszLarge = NULL, BOOL bMapColors = TRUE);
    // A strip of bitmaps the caller owns (either may be NULL), one image per id.
    BOOL AddBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* pIds, int nCount);
    // A strip of bitmap resources, one image per id. An id already known keeps its image.
    BOOL AddResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge, const UINT* pIds, int nCount,
                     BOOL bMapColors = TRUE);

    // The bitmap (large unless bForceSmall or in small mode) and image index of a command;
    // FALSE when it has none. The bitmap is NULL when its strip could not be loaded.
    BOOL GetImage(UINT nId, HBITMAP& hBitmap, int& nIndex, BOOL bForceSmall = FALSE) const;

    // Reads an RT_TOOLBAR resource: version 1, image width and height, item count, then the
    // items (0 for a separator, left out unless bKeepSeparators). FALSE when it is missing,
    // of another version or shorter than its count says.
    static BOOL ReadToolBarResource(LPCTSTR lpszResource, std::vector<UINT>& ids, int& cx, int& cy,
                                    BOOL bKeepSeparators = FALSE);

    int GetImageWidth() const { return m_bSmallImages ? m_cxSmall : m_cxLarge; }
    int GetImageHeight() const { return m_bSmallImages ? m_cySmall : m_cyLarge; }
    CSize GetSmallImageSize() const { return CSize(m_cxSmall, m_cySmall); }
    CSize GetLargeImageSize() const { return CSize(m_cxLarge, m_cyLarge); }
    BOOL IsSmallImages() const { return m_bSmallImages; }
    BOOL IsBothSets() const { return m_bBothSets; }
    int GetStripCount() const { return static_cast<int>(m_bitmaps.size()); }
    const BmpInfo* GetStrip(int nIndex) const;

    SECBmpMgr(const SECBmpMgr&) = delete;
    SECBmpMgr& operator=(const SECBmpMgr&) = delete;

protected:
    CMap<UINT, UINT, BmpItem, const BmpItem&> m_images;
    std::vector<std::unique_ptr<BmpInfo>> m_bitmaps;
    int m_cxSmall = 16;
    int m_cySmall = 15;
    int m_cxLarge = 22;
    int m_cyLarge = 24;
    BOOL m_bSmallImages = TRUE;
    BOOL m_bBothSets = FALSE;
    LONG m_nRefs = 1;

private:
    BOOL Register(std::unique_ptr<BmpInfo> pInfo, const UINT* pIds, int nCount);
    HBITMAP LoadStripResource(const SECResourceName& name, BOOL bMapColors) const;
    BOOL StretchLarge(BmpInfo* pInfo);
};
