// SECMultiDocTemplate: a multi-document template whose documents live either in MDI child
// frames or in docked document frames (SECDockableFrame inside a control bar), turns one form
// into the other keeping the document and its views, and applies the caption-extras options to
// the frames it owns. SECDocTemplateUtils finds the template of a frame or document.
#pragma once

#include "docking/dock_bar.h"
#include "framework/core/lists.h"
#include "framework/docview/doctemplate.h"

class CView;
class SECDockableFrame;

// What a view is told around a change of its frame.
class ISECVwDockFeedBack {
public:
    virtual ~ISECVwDockFeedBack() = default;
    virtual void OnBeforeDocking(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) = 0;
    virtual void OnAfterDocking(CFrameWnd* pNewFrame) = 0;
    virtual void OnBeforeUndocking(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) = 0;
    virtual void OnAfterUndocking(CFrameWnd* pNewFrame) = 0;
};

class SECMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(SECMultiDocTemplate)
public:
    // Option bits (both option words).
    enum : DWORD {
        optOn = 0x1,            // caption extras on
        optNoButton = 0x2,      // no caption button
        optNoDblClick = 0x4,    // no right double-click on the caption
        optNoContextMenu = 0x8, // no caption context-menu entries
        optDefault = optOn | optNoButton | optNoDblClick
    };

    // pMDIFrameClass NULL: SECMDIChildWnd; nIDDockedResource 0: nIDResource; the docking frame
    // and bar classes NULL: SECDockableFrame and SECFrameBar; dwOptions -1: optDefault.
    SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pMDIFrameClass,
                        CRuntimeClass* pViewClass, UINT nIDDockedResource = 0,
                        CRuntimeClass* pDockingFrameClass = NULL, CRuntimeClass* pBarClass = NULL,
                        DWORD dwOptions = (DWORD)-1);
    ~SECMultiDocTemplate() override;

    void LoadTemplate() override;
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) override;

    // Opens (or, without a path, creates) a document in an MDI child or, bDocked, docked in
    // nDockBarID (a side's dock bar id; else the main frame chooses).
    virtual CDocument* OpenDocumentFileEx(LPCTSTR lpszPathName, BOOL bMakeVisible, BOOL bDocked,
                                          UINT nDockBarID);
    virtual CFrameWnd* CreateNewFrameEx(CDocument* pDoc, CFrameWnd* pOther, BOOL bDocked,
                                        UINT nDockBarID);
    // A docked frame back to an MDI child, anything else docked.
    virtual BOOL ToggleDocking(CFrameWnd* pFrame);
    // A host bar and a docked frame (with a view when the template has a view class) for pDoc;
    // NULL, with nothing left behind, when either cannot be made.
    virtual CFrameWnd* OpenDocumentDocked(CDocument* pDoc, CFrameWnd* pOther, UINT nDockBarID,
                                          const SECDockPos* pPos, const SECDockSize* pSize);
    virtual BOOL IsDockedFrame(CFrameWnd* pFrame) const;
    // 0 top, 1 left, 2 bottom, 3 right, 4 floating; -1 for a frame that is not docked.
    virtual int GetDockSide(CFrameWnd* pFrame) const;
    // The MDI child's document and views in a new docked frame; NULL for a docked frame.
    virtual CFrameWnd* DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID = 0,
                                    const SECDockPos* pPos = NULL, const SECDockSize* pSize = NULL);
    CFrameWnd* DockMDIChildDefault(CFrameWnd* pFrame) { return DockMDIChild(pFrame, 0); }
    // The docked frame's document and views in a new MDI child; NULL for any other frame.
    virtual CFrameWnd* UndockToMDIChild(CFrameWnd* pDockedFrame);
    virtual void MoveFrameChildren(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame);
    virtual BOOL ActivateDocumentFrame(CFrameWnd* pFrame);
    virtual void SetFrameCaptionButtons(CFrameWnd* pFrame, DWORD dwOptions);
    virtual void SetCaptionButtonOption(BOOL bOn, BOOL bRefresh = TRUE);
    virtual void SetDblClickOption(BOOL bOn, BOOL bRefresh = TRUE);
    virtual void SetContextMenuOption(BOOL bOn, BOOL bRefresh = TRUE);
    virtual BOOL IsCaptionButtonOn() const { return (m_dwMDIChildOptions & optNoButton) == 0; }
    virtual BOOL IsDblClickOn() const { return (m_dwMDIChildOptions & optNoDblClick) == 0; }
    virtual BOOL IsContextMenuOn() const { return (m_dwMDIChildOptions & optNoContextMenu) == 0; }
    virtual void ModifyOptions(DWORD dwRemove, DWORD dwAdd, BOOL bRefresh = TRUE);
    // Every frame of every document takes the options of its kind again.
    virtual void RefreshFrames();
    virtual ISECVwDockFeedBack* QueryDockFeedBack(CObject* pObject);
    // Hides a registered docked frame while docked frames are kept; destroys any other.
    virtual void CloseDocumentFrame(CFrameWnd* pFrame);

    DWORD GetMDIChildOptions() const { return m_dwMDIChildOptions; }
    DWORD GetDockedFrameOptions() const { return m_dwDockedFrameOptions; }
    HMENU GetDockedMenu() const { return m_hMenuDocked; }
    HACCEL GetDockedAccel() const { return m_hAccelDocked; }
    UINT GetDockedResourceID() const { return m_nIDDockedResource; }
    // Registers a docked frame that CloseDocumentFrame hides while m_bKeepDockedFrames is set.
    void RegisterDockedFrame(CFrameWnd* pFrame);

    CRuntimeClass* m_pDockingFrameClass;
    CRuntimeClass* m_pBarClass;
    BOOL m_bCreateDocked = FALSE;
    UINT m_nIDDockedResource;
    DWORD m_dwMDIChildOptions;
    DWORD m_dwDockedFrameOptions;
    UINT m_nDockBarForCreation = 0; // bar id asked for the next docked frame; 0: the first free
    BOOL m_bKeepDockedFrames = FALSE;

protected:
    CList<HWND, HWND> m_dockedFrames;
    HMENU m_hMenuDocked = NULL;
    HACCEL m_hAccelDocked = NULL;
    UINT m_nDockBarInCreation = 0; // the dock bar of the docked frame being made
    // The place the main frame chose for a document being opened docked.
    BOOL m_bPendingPlace = FALSE;
    SECDockPos m_pendingPos = {};
    SECDockSize m_pendingSize;

private:
    // Moves the views of pFrom to pTo around a conversion, with the views' feedback.
    void HandOverViews(CFrameWnd* pFrom, CFrameWnd* pTo, bool bDocking);
};

// Finds templates among the application's by name, frame and document.
class SECDocTemplateUtils {
public:
    enum NameMode { byFileTypeId = 0, byFileTypeName = 1 };
    explicit SECDocTemplateUtils(NameMode mode = byFileTypeId) : m_mode(mode) {}
    virtual ~SECDocTemplateUtils() = default;

    virtual int GetTemplateIndexByName(CDocTemplate* pTemplate, LPCTSTR lpszName);
    virtual CDocTemplate* GetTemplateByIndex(LPCTSTR lpszName, int nIndex);
    virtual CDocTemplate* FindTemplate(CDocument* pDoc, CFrameWnd* pFrame, BOOL bDocked);
    virtual UINT GetFrameResourceID(CFrameWnd* pFrame);
    virtual BOOL CollectTemplates(CPtrList& list);
    virtual BOOL FilterByFrameClass(CPtrList& list, CFrameWnd* pFrame, BOOL bDocked);
    virtual BOOL FilterByResourceID(CPtrList& list, CFrameWnd* pFrame);
    virtual BOOL FilterByDocClass(CPtrList& list, CDocument* pDoc);
    virtual BOOL GetSingleTemplate(CPtrList& list, CDocTemplate*& pTemplate);
    virtual BOOL IsDockableFrame(CFrameWnd* pFrame);
    virtual CRuntimeClass* GetFrameClass(CDocTemplate* pTemplate, BOOL bDocked);

    NameMode m_mode;

private:
    bool NameMatches(CDocTemplate* pTemplate, LPCTSTR lpszName) const;
};
