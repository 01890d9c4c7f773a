// The assembler views by core id: one pair {address view, disassembly view} a core, and the pair
// of the core last selected. Views enter themselves when made and leave when they go, so the map
// never names a view that is gone.
#pragma once

#include <vector>

class CAsmAddrView;
class CAsmSourceView;

class CAsmViewMap {
public:
    // The largest core id a pair is kept for: a wild id from the host grows nothing.
    static constexpr int kMaxIndex = 4095;

    void SetAddrView(int nIndex, CAsmAddrView* pView);
    void SetSourceView(int nIndex, CAsmSourceView* pView);
    // Takes the view out of every pair that holds it.
    void Forget(const void* pView);
    // Null for an index below 0 or at or past the end.
    CAsmAddrView* GetAddrView(int nIndex) const;
    CAsmSourceView* GetSourceView(int nIndex) const;
    int GetSize() const { return static_cast<int>(m_pairs.size()); }

    // Selects the current pair; -1 clears it.
    void Select(int nIndex);
    void ResetCache() { m_nCurrent = -1; }
    int Current() const { return m_nCurrent; }
    CAsmAddrView* CurrentAddrView() const { return GetAddrView(m_nCurrent); }
    CAsmSourceView* CurrentSourceView() const { return GetSourceView(m_nCurrent); }

private:
    struct Pair {
        CAsmAddrView* pAddr = nullptr;
        CAsmSourceView* pSource = nullptr;
    };
    Pair* Grow(int nIndex);

    std::vector<Pair> m_pairs;
    int m_nCurrent = -1;
};
CAsmViewMap& AsmViewMap();
