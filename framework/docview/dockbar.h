// CDockBar: the bar on one side of a frame (or inside a mini frame) that holds docked bars in
// rows. Its array lists the bars row by row: a NULL entry ends a row and the array begins with
// one; an entry that is a small number is a placeholder, the control id of a bar that left and
// may come back to that place.
#pragma once

#include "framework/core/arrays.h"
#include "framework/docview/controlbar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNCREATE(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // A child of pParentWnd with the CBRS_ALIGN_* side in dwStyle.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL IsDockBar() const override { return TRUE; }

    static BOOL IsPlaceholder(const void* pEntry) {
        return pEntry != nullptr && (UINT_PTR)pEntry <= 0xFFFF;
    }
    static void* Placeholder(UINT nID) { return (void*)(UINT_PTR)LOWORD(nID); }
    // The bar at nPos; NULL for a row break or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The index of pBar (or of a placeholder with its id, when bPlaceholder), skipping
    // nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    int FindPlaceholder(UINT nID, int nPosExclude = -1) const;
    void ShowAll(BOOL bShow);

    // Where a dragged bar can reach this dock bar (screen): its window; an empty one, a pixel
    // thin, reaches over the frame's sizing border on either side, so that the pointer finds it.
    CRect GetDropTargetRect() const;
    // Docks pBar here: at lpRect (screen) when given, else in a new last row.
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes pBar out (not at nPosExclude); with bAddPlaceholder its id stays in its place. A
    // floating dock bar left with no bars destroys its mini frame, as the last thing it does.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1,
                                  int bAddPlaceholder = FALSE);
    void RemovePlaceholder(UINT nID);
    // The frame showed or hid pBar (at once, or at idle time).
    virtual void OnBarVisibilityChanged(CControlBar* pBar);
    // Bars to redraw after the next layout.
    void AddInvalidBar(CControlBar* pBar);
    void RemoveInvalidBar(CControlBar* pBar);

    void GetBarInfo(CControlBarInfo* pInfo) override;
    // Rebuilds the array from the saved ids: bars of the frame come back to their places, and
    // ids of bars the frame lacks stay as placeholders.
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    BOOL m_bFloating;
    CPtrArray m_arrBars;
    CPtrArray m_arrInvalidBars;

protected:
    // Appends, in rows of their own, the bars docked here that arrNew does not list.
    void KeepUnlistedBars(CPtrArray& arrNew) const;
    // Adjusts a bar that joins: this side, the border bits, floating or not.
    void TakeBarStyle(CControlBar* pBar) const;
    // Re-parents pBar here and takes it from its old dock bar.
    void AdoptBar(CControlBar* pBar, int nNewPos);
    void DestroyEmptyFloatingFrame();
    void PostNcDestroy() override;
};
