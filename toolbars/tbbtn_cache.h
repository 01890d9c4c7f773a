// SECBtnDrawingCache: what every custom toolbar of a frame draws its buttons with: a face DC
// holding a bitmap of the largest button size, an image DC for the button images and the dither
// brush of toggled-down buttons.
#pragma once

#include "framework/afx.h"

#include <uxtheme.h>

class SECBtnDrawingCache {
public:
    SECBtnDrawingCache();
    ~SECBtnDrawingCache();
    SECBtnDrawingCache(const SECBtnDrawingCache&) = delete;
    SECBtnDrawingCache& operator=(const SECBtnDrawingCache&) = delete;

    // Before a paint: DCs compatible with pTarget and a face bitmap of at least cx x cy.
    // FALSE when they cannot be made (the paint then skips its buttons).
    BOOL Prepare(CDC* pTarget, int cx, int cy);
    // After the paint: the bitmaps are taken out of the DCs.
    void Release();
    BOOL IsPrepared() const { return m_bPrepared; }

    CDC& FaceDC() { return m_faceDC; }
    CDC& ImageDC() { return m_imageDC; }
    // Selects a strip into the image DC (NULL takes the last one out).
    void SelectImageBitmap(HBITMAP hBitmap);
    BOOL HasImage() const { return m_hImage != NULL; }

    // The "toolbar" theme for the paint, opened for hWnd at its first use and closed by
    // Release; NULL without visual themes.
    HTHEME ToolbarTheme(HWND hWnd);

    CBrush* GetDitherBrush();
    // The system colours changed.
    void RebuildDitherBrush();

private:
    CDC m_faceDC;
    CDC m_imageDC;
    CBitmap m_faceBitmap;
    CSize m_faceSize;
    HGDIOBJ m_hOldFace = NULL;
    HGDIOBJ m_hOldImage = NULL;
    HBITMAP m_hImage = NULL;
    CBrush m_ditherBrush;
    BOOL m_bPrepared = FALSE;
    HTHEME m_hTheme = NULL;
    BOOL m_bThemeTried = FALSE;
};
