// The assembler window's two panes: the address list and the disassembly list, each a list
// window of the list-window machinery hosted in a generic view, each on the core that was
// active when it was made.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/afx.h"
#include "ifac/h/asmlines.h"
#include "include/list.h"
#include "windows/common/docview.h"

// What both panes have: their core, their list window and its top line.
class CAsmPaneView : public CDocView {
    DECLARE_DYNAMIC(CAsmPaneView)
public:
    int GetCoreId() const { return m_nCoreId; }
    void SetCoreId(int nCoreId) { m_nCoreId = nCoreId; }
    // The list window's id (the view's handle once the list stands), 0 before.
    intptr_t ListId() const { return m_listId; }
    int GetTopLine() const { return m_nTopLine; }
    void SetTopLine(int nTop) { m_nTopLine = nTop; }

    // The list's first visible item, its items per page, its item count.
    int ListTopIndex() const;
    int ListPerPage() const;
    int ListItemCount() const;
    // Scrolls the list so that the item is the first visible one (clamped to the list).
    void ScrollListTo(int nIndex);
    void SelectListItem(int nIndex);
    // Switches the list's redrawing off or on (on repaints).
    void SetListRedraw(bool bOn);

protected:
    CAsmPaneView();
    // Makes the list window in the view with the menu table, the user word, the styles and the
    // images; false when the list cannot be made.
    bool CreateList(const ListMenuEntry* pMenu, uint32_t styleRemove, uint32_t styleAdd,
                    const UINT* pIcons, int nIcons);
    void RegisterCallback(int nCode, uintptr_t fn);
    void RegisterDragSource();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nCoreId = 0;
    intptr_t m_listId = 0;
    int m_nTopLine = 0;
};

class CAsmAddrView : public CAsmPaneView {
    DECLARE_DYNCREATE(CAsmAddrView)
public:
    CAsmAddrView();
    ~CAsmAddrView() override;
    // The marked line: the selected line, relative to the disassembly view's first line.
    int GetMark() const { return m_nMark; }
    // Moves the mark; the rows it leaves and takes are repainted, no others.
    void SetMark(int nMark);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    int m_nMark = -1;
};

// What a row of the disassembly shows of its line: the line's key, its column texts, its address
// text and the marks its colours and images come from.
struct AsmRowLook {
    uint32_t key = 0;
    uint16_t flags = 0;
    uint32_t background = 0;
    std::vector<std::string> texts;
    std::string address;
    bool operator==(const AsmRowLook& o) const {
        return key == o.key && flags == o.flags && background == o.background && texts == o.texts &&
               address == o.address;
    }
    bool operator!=(const AsmRowLook& o) const { return !(*this == o); }
};

class CAsmSourceView : public CAsmPaneView {
    DECLARE_DYNCREATE(CAsmSourceView)
public:
    CAsmSourceView();
    ~CAsmSourceView() override;

    // The chain the host handed over and the number of its first line (the first record's
    // address key); both 0 without a chain.
    void SetLines(const AsmLineRecord* pLines);
    const AsmLineRecord* GetLines() const { return m_pLines; }
    int GetFirstLine() const { return m_nFirstLine; }
    // The columns for the frame's coverage flag: "Coverage", "Opcode", "Source" or the last two.
    void SetColumns(bool bCoverage);
    bool HasCoverageColumn() const { return m_bCoverage; }
    // Refills the list (and the address list, when asked) from the chain. A chain of the lines
    // the lists already show only replaces the records and repaints the rows that look
    // different.
    void FillLines(bool bWithAddress);
    // Selects the line of that number, scrolling both lists when it lies off the page.
    void ShowLine(int nLine);
    // Scrolls both lists so that the item is the first visible one.
    void ScrollToLine(int nIndex);
    // The address view of the same core, or null.
    CAsmAddrView* AddrView() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<AsmRowLook> LooksOfChain();
    void Refill(const std::vector<AsmRowLook>& looks, int addrId);
    bool RefreshInPlace(const std::vector<AsmRowLook>& looks, int addrId);

    const AsmLineRecord* m_pLines = nullptr;
    // The looks of the rows as the lists show them; empty after the columns change.
    std::vector<AsmRowLook> m_rows;
    // Whether the address list shows the same rows.
    bool m_bAddressRows = false;
    int m_nFirstLine = 0;
    bool m_bCoverage = false;
};
