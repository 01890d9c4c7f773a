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

    // The section "<profile>-Bar<index>": the framework's values, then the bar's own, then the
    // bar info ex's. Loading reads every own value whatever the framework part answered, and
    // answers what the framework part did.
    virtual BOOL LoadFromTreeNode(SECPersistentTreeNode* pNode, int nIndex);
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) override;
    virtual BOOL SaveToTreeNode(SECPersistentTreeNode* pNode);
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex) override;
    virtual BOOL LoadBaseFromTreeNode(SECPersistentTreeNode* pNode);
    virtual BOOL LoadExFromTreeNode(SECPersistentTreeNode* pNode);
    virtual BOOL SaveBaseToTreeNode(SECPersistentTreeNode* pNode);
    virtual BOOL SaveExToTreeNode(SECPersistentTreeNode* pNode);

    // The bar's own values through a store (after the framework's).
    void SaveExtension(CBarValueStore& store);
    void LoadExtension(CBarValueStore& store);
    // The manager makes the bar info ex of the type id (none for type 0).
    void MakeBarInfoEx();
    // The archive form (version 2 and 1); throws the archive exception on bad data.
    void Serialize(CArchive& ar, DWORD dwVersion, SECControlBarManager* pManager);

    // A proportion as saved ("%d" of a millionth) and read back; bad text reads 0.
    static CString FormatShare(float fShare);
    static float ParseShare(const CString& text);

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
