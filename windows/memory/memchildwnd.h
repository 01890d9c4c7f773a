// The memory window's grid: the host refills it on every paint; it keeps the selected cell and
// a caret inside it, and turns mouse, keys, characters and the scroll bar into host calls.
#pragma once

#include <memory>

#include "framework/afx.h"
#include "ifac/h/memwnd.h"
#include "windows/common/mem_drop_hooks.h"

class CDropTarget;

class CMemChildWnd : public CWnd, public CMemChildDropHooks {
    DECLARE_DYNCREATE(CMemChildWnd)
public:
    CMemChildWnd();
    ~CMemChildWnd() override;

    BOOL CreateGrid(CWnd* pParent, MemWndState* pState);
    // The grid of a live state, or null.
    static CMemChildWnd* FromState(const MemWndState* pState);
    // The window forgets its state: later messages reach no host.
    void Detach() { m_pState = nullptr; }
    // Deletes the grid object, or, while one of its handlers runs (the host may close the
    // window from inside any of its calls), leaves that to the handler's end.
    static void Dispose(std::unique_ptr<CMemChildWnd> pGrid);
    MemWndState* State() const { return m_pState; }

    int CaretOffset() const { return m_nCaret; }
    void SetCaretOffset(int nCaret) { m_nCaret = nCaret; }
    // The selection frame and caret block on the selected cell, shown or erased.
    void DrawSelection(bool bShow);
    void DrawSelectionOn(HDC hDC, bool bShow);
    // Moves the selection (erasing the old, drawing the new) and tells the host.
    void MoveSelection(int nRow, int nCell, int nCaret);
    // Opens the popup menu at a client point.
    void ShowPopup(CPoint point);

    // Drop hooks, called by the library's drop target.
    DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) override;

    // What a client point hits: a grid row (of the latest refill) and the area in it.
    struct Hit {
        int row = -1;
        int line = 0;
        int column = 0;
        bool value = false;
    };
    Hit HitTest(CPoint point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void OnCreateGrid();
    void OnDestroyGrid();
    void OnPaintGrid();
    void OnClick(CPoint point);
    void OnDoubleClick();
    void OnKey(UINT nKey);
    void OnCharacter(UINT nChar);
    void OnScroll(UINT nCode);
    void OnWheel(int nDelta);
    void ScrollLines(int nLines, int nDirection, bool bHeldOnly);
    void OnSized(int cx, int cy);
    bool StepCaretRight(const MemCell* cell);
    void InvalidateSelected();
    DROPEFFECT DragEvent(int nEvent, DWORD dwKeyState, CPoint point);

    MemWndState* m_pState = nullptr;
    void* m_pObject = nullptr; // kept for the service's unregistering after a detach
    std::unique_ptr<CDropTarget> m_pDropTarget;
    bool m_bServiceRegistered = false;
    int m_nCaret = 0;
    int m_nWheelDelta = 0; // the part of a notch a fine wheel has turned so far
    int m_nHandlerDepth = 0;
    bool m_bDisposed = false;
};
