// The assembler window's frames: an MDI child and its docked twin, one a core, that hold one
// splitter row of the optional address pane and the disassembly pane. Both forms behave alike
// (one template on either base); the docked one closes through the docking frame's own close.
#pragma once

#include "windows/common/multidoc.h"
#include "windows/source/splitter_frame.h"

class CAsmAddrView;
class CAsmSourceView;

constexpr int kAsmAddressPaneWidth = 140;

template <class Base> class CAsmFrameImpl : public CSplitterFrame<Base> {
public:
    int GetCoreId() const { return m_nCoreId; }
    int GetPaneCount() const { return m_nPaneCount; }

    // Rebuilds the disassembly columns for the frame's option word and refills the lines,
    // keeping the top line. Returns 1.
    BOOL ApplyColumnOptions();
    // Scrolls the address list to the disassembly list's top line.
    void AlignAddressList();

    // The panes through the splitter; null where the frame has none.
    CAsmAddrView* AddrView() const;
    CAsmSourceView* SourceView() const;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

    // The user's close, as a request to the host on the frame's core; the host closes the
    // window (or keeps it).
    void AskHostToClose();

    using CSplitterFrame<Base>::m_pSplitter;
    using CSplitterFrame<Base>::m_columnOptions;
    int m_nCoreId = 0;
    int m_nPaneCount = -1;

private:
    BOOL BuildPanes(CSplitter& splitter, int cx, int cy, CCreateContext* pContext);
};

class CAsmFrame : public CAsmFrameImpl<SECMDIChildWnd> {
    DECLARE_DYNCREATE(CAsmFrame)
public:
    // The core the window shows: 0 unless the host is 3.2 or later and reports several cores.
    void SetCoreId(int nCoreId);

protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class CDocAsmFrame : public CAsmFrameImpl<SECDockableFrame> {
    DECLARE_DYNCREATE(CDocAsmFrame)
public:
    void SetCoreId(int nCoreId) { m_nCoreId = nCoreId; }
    // The docking frame's own close, which the user's close (a request to the host) never runs.
    void CloseFrame() { SECDockableFrame::OnClose(); }

protected:
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// An assembler frame's column option word whichever its form; 0 for any other window.
uint32_t GetAsmFrameColumnOptions(CWnd* pFrame);
// Sets the option word of an assembler frame of either form and re-applies its columns; false
// for any other window.
bool ApplyAsmFrameColumnOptions(CWnd* pFrame, uint32_t options);
CSplitter* AsmFrameSplitter(CWnd* pFrame);
CAsmSourceView* AsmFrameSourceView(CWnd* pFrame);
CAsmAddrView* AsmFrameAddrView(CWnd* pFrame);

// The assembler family's steps when a frame changes form: core, splitter, frame-table entry,
// view map and window id pass over; an edge-docked frame comes back 400 pixels wide.
class CAsmFamilySteps : public CFrameFamilySteps {
public:
    static constexpr int kUndockedWidth = 400;
    bool Before(CFrameWnd* pOld) override;
    void After(CFrameWnd* pNew) override;
    void Undo(CFrameWnd* pOld) override;
    void CloseDocked(CFrameWnd* pDocked) override;

private:
    struct Taken;
    std::shared_ptr<Taken> m_pTaken;
};
