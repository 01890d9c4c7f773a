#include "windows/list/list_admin.h"

#include "windows/list/list_tree.h"

#include <algorithm>

namespace {
std::unique_ptr<CListAdmin> g_pListAdmin;
}

CListAdmin* ListAdmin() {
    return g_pListAdmin.get();
}

void CreateListAdmin() {
    if (!g_pListAdmin)
        g_pListAdmin = std::make_unique<CListAdmin>();
}

void DeleteListAdmin() {
    g_pListAdmin.reset();
}

CListAdmin::~CListAdmin() {
    // The first window out each time: its tree, then the window.
    while (!m_windows.empty()) {
        std::unique_ptr<CListWindow> pWindow = std::move(m_windows.front());
        m_windows.erase(m_windows.begin());
        pWindow->TakeTree().reset();
    }
    m_destroyed.clear();
}

CListWindow* CListAdmin::Find(intptr_t id) const {
    if (id == 0)
        return nullptr;
    for (const auto& pWindow : m_windows)
        if (pWindow->Id() == id)
            return pWindow.get();
    return nullptr;
}

CListWindow* CListAdmin::Add(std::unique_ptr<CListWindow> pWindow) {
    m_windows.push_back(std::move(pWindow));
    return m_windows.back().get();
}

BOOL CListAdmin::Destroy(intptr_t id, BOOL (*closeFrame)(intptr_t id)) {
    auto it = std::find_if(m_windows.begin(), m_windows.end(),
                           [id](const auto& p) { return p->Id() == id; });
    if (it == m_windows.end())
        return FALSE;
    // Out of the array first: nothing the frame's closing sends can find it again.
    std::unique_ptr<CListWindow> pWindow = std::move(*it);
    m_windows.erase(it);
    const BOOL bClosed = closeFrame ? closeFrame(id) : TRUE;
    CListTree* pTree = pWindow->Tree();
    if (pTree->GetSafeHwnd() != NULL)
        pTree->DestroyWindow();
    if (pTree->InCallback())
        m_destroyed.push_back(std::move(pWindow));
    else
        pWindow->TakeTree().reset();
    return bClosed;
}

void CListAdmin::Purge() {
    for (auto it = m_destroyed.begin(); it != m_destroyed.end();) {
        if ((*it)->Tree() != nullptr && (*it)->Tree()->InCallback()) {
            ++it;
            continue;
        }
        (*it)->TakeTree().reset();
        it = m_destroyed.erase(it);
    }
}

BOOL CListAdmin::EnableRedraw(intptr_t id, BOOL bOn, RedrawHolder holder) {
    CListWindow* pWindow = Find(id);
    if (pWindow == nullptr)
        return FALSE;
    if (bOn)
        pWindow->Tree()->ResumeRedraw(holder, TRUE);
    else
        pWindow->Tree()->SuspendRedraw(holder);
    return TRUE;
}
