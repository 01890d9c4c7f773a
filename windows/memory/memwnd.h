// The memory window: a title line over the grid, inside a host-window view. It leaves its
// closing to the host.
#pragma once

#include <memory>

#include "framework/afx.h"
#include "ifac/h/memwnd.h"

class CMemChildWnd;

class CMemWnd : public CWnd {
public:
    explicit CMemWnd(MemWndState* pState);
    ~CMemWnd() override;

    // A visible child filling pParent's client area; the state's window handles are set.
    BOOL CreateMemWnd(CWnd* pParent);
    static CMemWnd* FromState(const MemWndState* pState);
    // The window and its grid forget the state.
    void Detach();
    CMemChildWnd* Grid() const { return m_pGrid.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    LRESULT OnCreateWindow();
    void OnSized(UINT nType, int cx, int cy);

    MemWndState* m_pState;
    std::unique_ptr<CMemChildWnd> m_pGrid;
};
