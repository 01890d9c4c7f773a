// The splitter of the source and assembler frames: one row of panes that never scroll together,
// 5-pixel gaps, and flags that say which of the optional panes the row holds, so that a frame
// can find its panes by kind.
#pragma once

#include <cstdint>

#include "framework/afx.h"

class CSplitter : public CSplitterWnd {
    DECLARE_DYNCREATE(CSplitter)
public:
    static constexpr int kGap = 5;

    CSplitter();
    // Deletes the line-number pane first while the window still exists; the other panes go
    // with the window.
    ~CSplitter() override;

    // Panes never scroll together.
    BOOL DoScroll(CView* pViewFrom, UINT nScrollCode, BOOL bDoScroll = TRUE) override;
    // A dynamic splitter of the context's view class (the frames here build static ones).
    virtual BOOL CreateSplitter(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin,
                                CCreateContext* pContext);

    void SetCoverageColumn(int32_t bFlag) { m_bCoverageColumn = bFlag; }
    int32_t HasCoverageColumn() const { return m_bCoverageColumn; }
    void SetLineNumberColumn(int32_t bFlag) { m_bLineNumberColumn = bFlag; }
    int32_t HasLineNumberColumn() const { return m_bLineNumberColumn; }
    void SetAddressPane(int32_t bFlag) { m_bAddressPane = bFlag; }
    int32_t HasAddressPane() const { return m_bAddressPane; }

    // The panes by kind; null where the row has none (or its window is gone).
    CWnd* GetLineNumberPane() const;
    // A source frame's coverage pane (the assembler frames show coverage in their list).
    CWnd* GetCoveragePane() const;
    CWnd* GetSourcePane() const;
    CWnd* GetAddressPane() const;
    CWnd* GetDisassemblyPane() const;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* PaneIfAny(int col) const;

    int32_t m_bCoverageColumn = 0;
    int32_t m_bLineNumberColumn = 0;
    int32_t m_bAddressPane = 0;
};
