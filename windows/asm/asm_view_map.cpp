#include "windows/asm/asm_view_map.h"

#include <cstddef>

CAsmViewMap::Pair* CAsmViewMap::Grow(int nIndex) {
    if (nIndex < 0 || nIndex > kMaxIndex)
        return nullptr;
    if (nIndex >= GetSize())
        m_pairs.resize(static_cast<size_t>(nIndex) + 1);
    return &m_pairs[static_cast<size_t>(nIndex)];
}

void CAsmViewMap::SetAddrView(int nIndex, CAsmAddrView* pView) {
    if (Pair* p = Grow(nIndex))
        p->pAddr = pView;
}

void CAsmViewMap::SetSourceView(int nIndex, CAsmSourceView* pView) {
    if (Pair* p = Grow(nIndex))
        p->pSource = pView;
}

void CAsmViewMap::Forget(const void* pView) {
    for (Pair& p : m_pairs) {
        if (static_cast<const void*>(p.pAddr) == pView)
            p.pAddr = nullptr;
        if (static_cast<const void*>(p.pSource) == pView)
            p.pSource = nullptr;
    }
}

CAsmAddrView* CAsmViewMap::GetAddrView(int nIndex) const {
    return nIndex >= 0 && nIndex < GetSize() ? m_pairs[static_cast<size_t>(nIndex)].pAddr : nullptr;
}

CAsmSourceView* CAsmViewMap::GetSourceView(int nIndex) const {
    return nIndex >= 0 && nIndex < GetSize() ? m_pairs[static_cast<size_t>(nIndex)].pSource
                                             : nullptr;
}

void CAsmViewMap::Select(int nIndex) {
    m_nCurrent = nIndex >= 0 ? nIndex : -1;
}

CAsmViewMap& AsmViewMap() {
    static CAsmViewMap map;
    return map;
}
