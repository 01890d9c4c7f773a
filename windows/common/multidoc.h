// The document template of every debugger window family. A frame that changes form (MDI child
// to docked frame and back) is replaced by a new frame of the other form: the template makes the
// host never notice, by passing the window id, the list of open windows, the family's host data,
// the drag-and-drop registration and the screen placement on to the new frame.
#pragma once

#include <map>
#include <memory>

#include "docking/doc_template.h"
#include "framework/afx.h"

// What one window family does around the base's conversion of one of its frames. A fresh
// object serves each conversion, so that it may keep what it takes from the old frame.
class CFrameFamilySteps {
public:
    virtual ~CFrameFamilySteps() = default;
    // Before the new frame is made: take over what the new frame needs. false refuses the
    // conversion, with the old frame as it was.
    virtual bool Before(CFrameWnd* /*pOld*/) { return true; }
    // The new frame holds the document now.
    virtual void After(CFrameWnd* /*pNew*/) {}
    // The new frame could not be made: give the old frame back what Before took.
    virtual void Undo(CFrameWnd* /*pOld*/) {}
    // Closes a docked frame of the family for the host (never through the frame's own close,
    // which asks the content window, and so the host, again).
    virtual void CloseDocked(CFrameWnd* pDocked);
};

class CMultiDoc : public SECMultiDocTemplate {
    DECLARE_DYNAMIC(CMultiDoc)
public:
    CMultiDoc(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
              CRuntimeClass* pViewClass)
        : SECMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}
    ISECVwDockFeedBack* QueryDockFeedBack(CObject* pObject) override;
    CFrameWnd* DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID = 0, const SECDockPos* pPos = NULL,
                            const SECDockSize* pSize = NULL) override;
    CFrameWnd* UndockToMDIChild(CFrameWnd* pDockedFrame) override;
    // The frame is a live frame of this template's family: its MDI frame class, or with bDocked
    // its docked-frame class.
    bool IsOwnFrame(CFrameWnd* pFrame, bool bDocked) const;

    // The steps of the family whose MDI frame or docked twin pFrame is; null for any other
    // frame (which is never converted).
    static std::unique_ptr<CFrameFamilySteps> StepsFor(CFrameWnd* pFrame);
    // Closes a docked frame of any family the way its family closes it; FALSE when it is none.
    static BOOL CloseDockedFrame(CFrameWnd* pDocked);

private:
    template <class MakeFrame> CFrameWnd* Convert(CFrameWnd* pOld, MakeFrame makeFrame);
    // Notes the MDI child's place (pChildPlace) under the docked frame made from it, or gives a
    // new MDI child the place noted under the docked frame hOld it was made from, unless that
    // frame floated.
    void KeepMdiPlace(HWND hOld, const RECT* pChildPlace, bool bFloated, CFrameWnd* pNew);
    // The place (in its MDI client) of the MDI child a docked frame was made from, by the docked
    // frame's window: an MDI child made from that frame again takes it back.
    std::map<HWND, RECT> m_mdiPlaces;
};

// Re-applies a new frame's placement twice, one pixel larger and then exactly, so that its
// children lay themselves out again in it.
void ApplyPlacementRule(CFrameWnd* pFrame);
// Sends the new frame the window icons its active view keeps (those the host gave).
void ResendViewIcon(CFrameWnd* pFrame);
