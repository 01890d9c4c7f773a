// CPreviewDC: the DC a view prints on during print preview. The view measures and maps on the
// page device (the attribute DC) as it would on paper; the same drawing lands scaled on an output
// DC (a window or a bitmap) inside the page's rectangle there.
#pragma once

#include "framework/docview/page_device.h"
#include "framework/win/dc.h"

class CPreviewDC : public CDC {
public:
    explicit CPreviewDC(const CPageDevice& page);
    ~CPreviewDC() override;

    // Draws on hOutput from now on, the page filling rectPage (output device units), clipped to
    // it. The page's mapping and font carry over.
    void SetOutput(HDC hOutput, const CRect& rectPage);
    // Back to measuring only; the output DC gets its state back.
    void ReleaseOutput();
    // Mapping and font as a fresh page device has them, before each page.
    void ResetPage();

    int GetDeviceCaps(int nIndex) const override;
    HGDIOBJ SelectObject(HGDIOBJ hObject) override;
    using CDC::SelectObject;
    int SaveDC() override;
    BOOL RestoreDC(int nSavedDC) override;
    int SetMapMode(int nMapMode) override;
    int GetMapMode() const override;
    CPoint SetViewportOrg(int x, int y) override;
    using CDC::SetViewportOrg;
    CPoint OffsetViewportOrg(int nWidth, int nHeight) override;
    CSize SetViewportExt(int cx, int cy) override;
    using CDC::SetViewportExt;
    CPoint SetWindowOrg(int x, int y) override;
    using CDC::SetWindowOrg;
    CPoint OffsetWindowOrg(int nWidth, int nHeight) override;
    CSize SetWindowExt(int cx, int cy) override;
    using CDC::SetWindowExt;

private:
    BOOL HasOutput() const { return m_hDC != m_hAttribDC; }
    // Gives the output the page's mapping, scaled to the page's rectangle there.
    void MirrorMapping();
    // Changes the page's mapping with apply(page DC, &previous), then mirrors it.
    template <class T, class F> T MapOnPage(F apply) {
        T previous = {};
        apply(m_hAttribDC, &previous);
        MirrorMapping();
        return previous;
    }

    const CPageDevice& m_page;
    CRect m_rectPage;
    int m_nSavedOutput = 0;
    int m_nMapMode = MM_TEXT; // as the view set it; metric modes run as anisotropic ones
};
