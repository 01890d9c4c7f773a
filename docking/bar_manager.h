// SECControlBarManager: a docking frame's bar factory as the dock-state code sees it. This
// neutral base knows its frame and answers with empty defaults; the toolbar manager fills it in.
#pragma once

#include "framework/afx.h"

class SECPersistentTreeNode;
class SECControlBarInfo;
class SECControlBarInfoEx;

class SECControlBarManager : public CObject {
    DECLARE_DYNAMIC(SECControlBarManager)
public:
    explicit SECControlBarManager(CFrameWnd* pFrameWnd = nullptr) : m_pFrameWnd(pFrameWnd) {}
    ~SECControlBarManager() override = default;

    virtual CFrameWnd* GetFrameWnd() const { return m_pFrameWnd; }
    virtual BOOL LoadStateFromNode(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
    virtual void LoadState(LPCTSTR) {}
    virtual BOOL SaveStateToNode(SECPersistentTreeNode*, SECPersistentTreeNode* pParent) {
        return pParent != nullptr;
    }
    virtual void SaveState(LPCTSTR) {}
    // The type of a bar this manager makes (0: none of its kind).
    virtual DWORD GetBarTypeId(CControlBar*) { return 0; }
    // The extra per-bar data of the info's bar type; NULL when the type has none.
    virtual SECControlBarInfoEx* CreateBarInfo(SECControlBarInfo*) { return nullptr; }
    // A bar made again from its saved info; NULL when the manager does not make that type.
    virtual CControlBar* CreateBar(SECControlBarInfo*) { return nullptr; }
    // The frame's bars are being customized: the frame neither closes nor takes clicks.
    virtual BOOL IsConfigMode() const { return FALSE; }
    // The frame's menu plug-in is made: it may draw the manager's button images.
    virtual void ShareMenuImages(CWnd* /*pMenuPlugIn*/) {}

protected:
    CFrameWnd* m_pFrameWnd;
};
