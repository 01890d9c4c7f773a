#include "windows/common/content_window.h"

HWND CContentWindow::Get(HWND hContainer) {
    if (m_hWnd == NULL || !::IsWindow(m_hWnd) || ::GetParent(m_hWnd) != hContainer)
        m_hWnd = hContainer != NULL ? ::GetWindow(hContainer, GW_CHILD) : NULL;
    return m_hWnd;
}
