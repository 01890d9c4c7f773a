// ToolTipHolder: owns one COXToolTipCtrl; the debugger panes reach their tip only through it.
#pragma once

#include "toolbars/tooltip_ctrl.h"

#include <memory>

class ToolTipHolder {
public:
    ToolTipHolder();
    ~ToolTipHolder();
    ToolTipHolder(const ToolTipHolder&) = delete;
    ToolTipHolder& operator=(const ToolTipHolder&) = delete;

    BOOL Create(CWnd* pOwner);
    // lpszText may be LPSTR_TEXTCALLBACK; lpRect null: the whole window.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect = NULL, UINT nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRect = NULL, UINT nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT nIDTool = 0);
    void Activate(BOOL bActivate);
    void SetDelayTime(DWORD dwDuration, int iTime);
    void SetInitialDelay(UINT nDelay);
    void RelayEvent(MSG* pMsg);

    COXToolTipCtrl* GetToolTip() const { return m_pToolTip.get(); }

private:
    std::unique_ptr<COXToolTipCtrl> m_pToolTip;
    HWND m_hWndAtConstruction;
};
