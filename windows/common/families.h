// The window families the document templates open: their documents, frames (MDI and docked)
// and views. The host-window family works now; the others stand on their bases until their
// windows come.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/doc_template.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/common/docview.h"

// The template of every family: a docking template whose docked frames report their moves to
// the views that ask for it.
class CMultiDoc : public SECMultiDocTemplate {
    DECLARE_DYNAMIC(CMultiDoc)
public:
    CMultiDoc(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
              CRuntimeClass* pViewClass)
        : SECMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}
    ISECVwDockFeedBack* QueryDockFeedBack(CObject* pObject) override;
    // A frame that changes form keeps its place in the list of open windows; a conversion
    // that fails leaves the old frame as it was.
    CFrameWnd* DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID = 0, const SECDockPos* pPos = NULL,
                            const SECDockSize* pSize = NULL) override;
    CFrameWnd* UndockToMDIChild(CFrameWnd* pDockedFrame) override;
    // The frame is a live frame of this template's family: its MDI frame class, or with bDocked
    // its docked-frame class.
    bool IsOwnFrame(CFrameWnd* pFrame, bool bDocked) const;
};

// Host windows: a frame whose close asks the host's window (through the view) to close.
class CWndFrm : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CWndFrm)
protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class CDocWndFrm : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocWndFrm)
protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

// The source, evaluation, file-viewer and assembler families.
class CTarvikDoc : public CDocument {
    DECLARE_DYNCREATE(CTarvikDoc)
};
class CChildFrame : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
};
class CDocChildFrame : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocChildFrame)
};
class CTarvikView : public CView {
    DECLARE_DYNCREATE(CTarvikView)
protected:
    void OnDraw(CDC*) override {}
};
class CEvalWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CEvalWnd)
};
class CDocEvalWnd : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocEvalWnd)
};
class CEvalView : public CDocView {
    DECLARE_DYNCREATE(CEvalView)
};
class CFileDoc : public CDocument {
    DECLARE_DYNCREATE(CFileDoc)
};
class CFileView : public CView {
    DECLARE_DYNCREATE(CFileView)
protected:
    void OnDraw(CDC*) override {}
};
class CAsmFrame : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CAsmFrame)
};
class CDocAsmFrame : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocAsmFrame)
};
class CAsmSourceView : public CDocView {
    DECLARE_DYNCREATE(CAsmSourceView)
};
