// SECDockState: the layout of a docking frame's bars (docked, floating, floating in the main
// window, hidden) taken from the frame, written to the profile, an archive or a settings tree,
// read back and applied, making the bars the frame lacks.
#pragma once

#include "docking/control_bar_info.h"
#include "framework/afx.h"

#include <vector>

class SECControlBarManager;
class SECPersistentTreeNode;

class SECDockState : public CDockState {
    DECLARE_SERIAL(SECDockState)
public:
    SECDockState();
    explicit SECDockState(SECControlBarManager* pManager);
    ~SECDockState() override;

    // Version 2 (with the screen size and the most recent places); a version above 2 or an
    // archive cut short throws the archive exception, and the state is then empty.
    void Serialize(CArchive& ar) override;
    virtual BOOL SaveToTreeNode(SECPersistentTreeNode* pParent);
    void SaveState(LPCTSTR lpszProfileName) override;
    virtual BOOL LoadFromTreeNode(SECPersistentTreeNode* pParent);
    void LoadState(LPCTSTR lpszProfileName) override;
    virtual BOOL CaptureFromFrame(CFrameWnd* pFrame);
    virtual BOOL ApplyToFrame(CFrameWnd* pFrame);
    virtual SECControlBarInfo* CreateControlBarInfo();
    virtual void ResolveBars(CFrameWnd* pFrame, BOOL bMDI);
    virtual void FixDockBars();
    virtual void RestoreMDIChildPlacements(CFrameWnd* pFrame);
    virtual CControlBar* CreateBarByClassName(const CString& strClassName, CFrameWnd* pFrame,
                                              SECControlBarInfo* pInfo);
    virtual CRuntimeClass* FindRuntimeClass(const CString& strClassName);

    // Drops the infos of bars that are never saved: id 0, and bars that host document frames.
    void DropUnsavedBars();
    SECControlBarInfo* GetInfo(INT_PTR i) const {
        return static_cast<SECControlBarInfo*>(m_arrBarInfo[i]);
    }
    void SetCreatedBarsList(CObList* pList) { m_pCreatedBars = pList; }
    // Hands every info to another state (the framework's form), in order.
    void MoveInfosTo(CDockState& state);

    SECControlBarManager* m_pManager = nullptr;
    CObList* m_pCreatedBars = nullptr;

protected:
    // Floating frames moved onto this screen when the state was saved on another one.
    void FitFloatingToScreen();
    void PlaceUnlistedBars(CFrameWnd* pFrame, BOOL bMDI);
    void DockUnplacedBars(CFrameWnd* pFrame, const std::vector<HWND>& bars);
};
