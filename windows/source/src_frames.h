// The source window's frames: an MDI child and its docked twin that hold one splitter row of
// the optional coverage and line-number columns and the source pane. Both forms behave alike
// (one template on either base); they differ in how the user's close reaches the host.
#pragma once

#include "windows/common/frame_families.h"
#include "windows/source/splitter_frame.h"

class CTarvikView;
class CLineWnd;

// Width of a column pane, in pixels.
constexpr int kColumnPaneWidth = 60;

template <class Base> class CSourceFrame : public CSplitterFrame<Base> {
public:
    // Builds the splitter and its panes for the main frame's column option word; FALSE when a
    // pane cannot be made.
    BOOL ShowLineColumns(int cx, int cy, CCreateContext* pContext);
    // Rebuilds the panes for new column options, over the document opened for the path. On
    // failure the frame keeps the panes it had.
    BOOL RelayoutColumns(LPCTSTR lpszPath);

    int32_t GetFrameTag() const { return m_nFrameTag; }
    void SetFrameTag(int32_t nTag) { m_nFrameTag = nTag; }

    // The panes through the splitter; null where the frame has none.
    CTarvikView* SourceView() const;
    CLineWnd* LineNumberPane() const;
    CLineWnd* CoveragePane() const;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

    // The user's close: locally, or as a request to the host, which closes the window.
    // bDocumentKey: the request names the document by the host's key.
    void CloseOrAskHost(bool bCloseOnZeroTag, bool bDocumentKey);

    using CSplitterFrame<Base>::m_pSplitter;
    using CSplitterFrame<Base>::m_columnOptions;
    int32_t m_nFrameTag = -1;

private:
    BOOL BuildPanes(CSplitter& splitter, int cx, int cy, CCreateContext* pContext);
};

class CChildFrame : public CSourceFrame<SECMDIChildWnd> {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame() = default;
    explicit CChildFrame(int32_t nTag) { m_nFrameTag = nTag; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class CDocChildFrame : public CSourceFrame<SECDockableFrame> {
    DECLARE_DYNCREATE(CDocChildFrame)
public:
    CDocChildFrame() = default;
    explicit CDocChildFrame(int32_t nTag) { m_nFrameTag = nTag; }
    // The docking frame's own close, which the user's close (a request to the host) never runs.
    void CloseFrame() { SECDockableFrame::OnClose(); }

protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

// A source frame's column options whichever its form; 0 for any other window.
uint32_t GetSourceFrameColumnOptions(CWnd* pFrame);
// The splitter, source view and line-number pane of a source frame of either form; null for
// any other window or a missing part.
CSplitter* SourceFrameSplitter(CWnd* pFrame);
CTarvikView* SourceFrameView(CWnd* pFrame);
CLineWnd* SourceFrameCoverage(CWnd* pFrame);
CLineWnd* SourceFrameLineNumbers(CWnd* pFrame);
bool RelayoutSourceFrame(CWnd* pFrame, LPCTSTR lpszPath);

// The source family: host data, column options, window id and drag-and-drop registration
// pass to the new frame; a docked frame closes through the docking frame's own close.
class CSourceFamilySteps : public CFrameFamilySteps {
public:
    bool Before(CFrameWnd* pOld) override;
    void After(CFrameWnd* pNew) override;
    void Undo(CFrameWnd* pOld) override;
    void CloseDocked(CFrameWnd* pDocked) override;

private:
    struct Taken;
    std::shared_ptr<Taken> m_pTaken;
};
