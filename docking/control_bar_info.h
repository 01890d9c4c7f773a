// SECControlBarInfo: a bar's saved place (the framework's record) and the control bar's own
// state: its remembered sizes, share, styles and what it takes to make it again.
#pragma once

#include "framework/afx.h"
#include "framework/docview/barinfo.h"

class SECControlBarManager;
class SECPersistentTreeNode;

// The extra saved data of one bar type (made by the bar manager); its defaults do nothing and
// succeed, so a bar type without extra data saves and loads as nothing.
class SECControlBarInfoEx : public CObject {
    DECLARE_DYNAMIC(SECControlBarInfoEx)
public:
    ~SECControlBarInfoEx() override = default;
    using CObject::Serialize;
    virtual void Serialize(CArchive&, SECControlBarManager*) {}
    virtual BOOL LoadFromTreeNode(SECPersistentTreeNode*, SECControlBarManager*) { return TRUE; }
    virtual BOOL LoadFromProfile(LPCTSTR, SECControlBarManager*) { return TRUE; }
    virtual BOOL SaveToTreeNode(SECPersistentTreeNode*, SECControlBarManager*) { return TRUE; }
    virtual BOOL SaveToProfile(LPCTSTR, SECControlBarManager*) { return TRUE; }
};

class SECControlBarInfo : public CControlBarInfo {
public:
    explicit SECControlBarInfo(SECControlBarManager* pManager = nullptr) : m_pManager(pManager) {}
    ~SECControlBarInfo() override { delete m_pBarInfoEx; }

    CSize m_szHorzDock{0, 0};
    int m_nReserved1 = 0, m_nReserved2 = 0;
    CSize m_szVertDock{0, 0};
    CSize m_szFloat{0, 0};
    DWORD m_dwSavedDockStyle = 0;
    DWORD m_dwDockStyle = 0;
    float m_fFloatProportion = 0.0f;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    BOOL m_bPrevFloating = FALSE;
    BOOL m_bMDIChild = FALSE;
    WINDOWPLACEMENT m_wpMDIChild{};
    CString m_strClassName;
    CString m_strWindowName;
    UINT m_nResourceID = 0;
    SECControlBarInfoEx* m_pBarInfoEx = nullptr;
    DWORD m_dwTypeID = 0;
    SECControlBarManager* m_pManager;

private:
    SECControlBarInfo(const SECControlBarInfo&) = delete;
    SECControlBarInfo& operator=(const SECControlBarInfo&) = delete;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the saved placement is 44 bytes");
