// ToolTipHolder: forwards each operation to the control it owns.
#include "toolbars/tooltip_holder.h"

ToolTipHolder::ToolTipHolder()
    : m_pToolTip(std::make_unique<COXToolTipCtrl>()), m_hWndAtConstruction(m_pToolTip->m_hWnd) {}

ToolTipHolder::~ToolTipHolder() = default;

BOOL ToolTipHolder::Create(CWnd* pOwner) {
    return m_pToolTip->Create(pOwner);
}

BOOL ToolTipHolder::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect, UINT nIDTool) {
    return m_pToolTip->AddTool(pWnd, lpszText, lpRect, nIDTool);
}

BOOL ToolTipHolder::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRect, UINT nIDTool) {
    return m_pToolTip->AddTool(pWnd, nIDText, lpRect, nIDTool);
}

void ToolTipHolder::DelTool(CWnd* pWnd, UINT nIDTool) {
    m_pToolTip->DelTool(pWnd, nIDTool);
}

void ToolTipHolder::Activate(BOOL bActivate) {
    m_pToolTip->Activate(bActivate);
}

void ToolTipHolder::SetDelayTime(DWORD dwDuration, int iTime) {
    m_pToolTip->SetDelayTime(dwDuration, iTime);
}

void ToolTipHolder::SetInitialDelay(UINT nDelay) {
    m_pToolTip->SetInitialDelay(nDelay);
}

void ToolTipHolder::RelayEvent(MSG* pMsg) {
    m_pToolTip->RelayEvent(pMsg);
}
