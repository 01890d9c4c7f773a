// SECControlBarInfo: the bar's own saved values beside the framework's, in the profile, a
// settings tree and an archive.
#include "docking/control_bar_info.h"

#include "docking/bar_manager.h"
#include "docking/tree_store.h"

#include <cmath>
#include <cwchar>

namespace {
int NonNegative(int n) {
    return n < 0 ? 0 : n;
}
} // namespace

// The tree store.
int SECTreeBarStore::GetInt(LPCTSTR lpszKey, int nDefault) {
    int n = nDefault;
    if (m_pNode == nullptr || m_pNode->GetIntValue(lpszKey, &n, nDefault) != 0)
        return nDefault;
    return n;
}

void SECTreeBarStore::SetInt(LPCTSTR lpszKey, int nValue) {
    if (m_pNode != nullptr)
        m_pNode->SetIntValue(lpszKey, nValue, TRUE);
}

CString SECTreeBarStore::GetString(LPCTSTR lpszKey, LPCTSTR lpszDefault) {
    CString value;
    if (m_pNode == nullptr || m_pNode->GetStringValue(lpszKey, value, lpszDefault) != 0)
        return lpszDefault;
    return value;
}

void SECTreeBarStore::SetString(LPCTSTR lpszKey, LPCTSTR lpszValue) {
    if (m_pNode != nullptr)
        m_pNode->SetStringValue(lpszKey, lpszValue, TRUE);
}

BOOL SECTreeBarStore::GetBinary(LPCTSTR lpszKey, CByteArray& data) {
    data.RemoveAll();
    BYTE* pData = nullptr;
    UINT nSize = 0;
    if (m_pNode == nullptr || m_pNode->GetBinaryValue(lpszKey, &pData, &nSize) != 0)
        return FALSE;
    for (UINT i = 0; i < nSize; ++i)
        data.Add(pData[i]);
    delete[] pData;
    return nSize > 0;
}

void SECTreeBarStore::SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nSize) {
    if (m_pNode != nullptr)
        m_pNode->SetBinaryValue(lpszKey, pData, nSize, TRUE);
}

SECPersistentTreeNode* SECTreeChild(SECPersistentTreeNode* pParent, LPCTSTR lpszName,
                                    BOOL bCreate) {
    if (pParent == nullptr)
        return nullptr;
    SECPersistentTreeNode* pChild = pParent->FindChildNode(lpszName);
    if (pChild == nullptr && bCreate)
        pChild = pParent->CreateChildNode(lpszName, pParent);
    return pChild;
}

// Shares.
CString SECControlBarInfo::FormatShare(float fShare) {
    // Rounded, so that a share read back and saved again stays the same text.
    double d = std::floor((double)fShare * 1000000.0 + 0.5);
    if (!(d >= -2147483647.0 && d <= 2147483647.0))
        d = 0;
    CString text;
    text.Format(L"%d", (int)d);
    return text;
}

float SECControlBarInfo::ParseShare(const CString& text) {
    const wchar_t* p = text;
    if (p == nullptr || *p == 0)
        return 0.0f;
    wchar_t* end = nullptr;
    errno = 0;
    const long long n = std::wcstoll(p, &end, 10);
    if (end == p || *end != 0 || errno != 0 || n < 0 || n > 2147483647LL)
        return 0.0f;
    return (float)((double)n * 0.000001);
}

// The bar's own values.
void SECControlBarInfo::SaveExtension(CBarValueStore& store) {
    store.SetInt(L"Style", (int)m_dwStyle);
    store.SetInt(L"ExStyle", (int)m_dwExStyle);
    store.SetInt(L"PrevFloating", m_bPrevFloating);
    store.SetInt(L"MDIChild", m_bMDIChild);
    if (m_bMDIChild)
        store.SetBinary(L"MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(&m_wpMDIChild),
                        sizeof(m_wpMDIChild));
    store.SetString(L"PctWidth", FormatShare(m_fFloatProportion));
    store.SetInt(L"MRUFloatCX", m_szFloat.cx);
    store.SetInt(L"MRUFloatCY", m_szFloat.cy);
    store.SetInt(L"MRUHorzDockCX", m_szHorzDock.cx);
    store.SetInt(L"MRUHorzDockCY", m_szHorzDock.cy);
    store.SetInt(L"MRUVertDockCX", m_szVertDock.cx);
    store.SetInt(L"MRUVertDockCY", m_szVertDock.cy);
    store.SetInt(L"MRUDockingState", (int)m_dwSavedDockStyle);
    store.SetInt(L"DockingStyle", (int)m_dwDockStyle);
    store.SetInt(L"TypeID", (int)m_dwTypeID);
    store.SetString(L"ClassName", m_strClassName);
    store.SetString(L"WindowName", m_strWindowName);
    store.SetInt(L"ResourceID", (int)m_nResourceID);
}

void SECControlBarInfo::LoadExtension(CBarValueStore& store) {
    m_dwStyle = (DWORD)store.GetInt(L"Style", 0);
    m_dwExStyle = (DWORD)store.GetInt(L"ExStyle", 0);
    m_bPrevFloating = store.GetInt(L"PrevFloating", 0) != 0;
    m_bMDIChild = store.GetInt(L"MDIChild", 0) != 0;
    if (m_bMDIChild) {
        // Kept only when exactly a placement was stored.
        CByteArray data;
        if (store.GetBinary(L"MDIChildWindowPlacement", data) &&
            data.GetSize() == (INT_PTR)sizeof(WINDOWPLACEMENT)) {
            memcpy(&m_wpMDIChild, data.GetData(), sizeof(WINDOWPLACEMENT));
            m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
        }
    }
    m_fFloatProportion = ParseShare(store.GetString(L"PctWidth", L""));
    m_szFloat = CSize(NonNegative(store.GetInt(L"MRUFloatCX", 0)),
                      NonNegative(store.GetInt(L"MRUFloatCY", 0)));
    m_szHorzDock = CSize(NonNegative(store.GetInt(L"MRUHorzDockCX", 0)),
                         NonNegative(store.GetInt(L"MRUHorzDockCY", 0)));
    m_szVertDock = CSize(NonNegative(store.GetInt(L"MRUVertDockCX", 0)),
                         NonNegative(store.GetInt(L"MRUVertDockCY", 0)));
    m_dwSavedDockStyle = (DWORD)store.GetInt(L"MRUDockingState", (int)m_dwSavedDockStyle);
    m_dwDockStyle = (DWORD)store.GetInt(L"DockingStyle", (int)m_dwDockStyle);
    m_dwTypeID = (DWORD)store.GetInt(L"TypeID", 0);
    m_strClassName = store.GetString(L"ClassName", L"");
    m_strWindowName = store.GetString(L"WindowName", L"");
    m_nResourceID = (UINT)store.GetInt(L"ResourceID", (int)m_nResourceID);
}

void SECControlBarInfo::MakeBarInfoEx() {
    delete m_pBarInfoEx;
    m_pBarInfoEx =
        m_pManager != nullptr && m_dwTypeID != 0 ? m_pManager->CreateBarInfo(this) : nullptr;
}

// Profile form.
BOOL SECControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
    if (!CControlBarInfo::SaveState(lpszProfileName, nIndex))
        return FALSE;
    const CString section = AfxBarSection(lpszProfileName, nIndex);
    CProfileBarStore store(section);
    SaveExtension(store);
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->SaveToProfile(section, m_pManager);
    return TRUE;
}

BOOL SECControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) {
    const BOOL bBase = CControlBarInfo::LoadState(lpszProfileName, nIndex, pDockState);
    const CString section = AfxBarSection(lpszProfileName, nIndex);
    CProfileBarStore store(section);
    LoadExtension(store);
    MakeBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->LoadFromProfile(section, m_pManager);
    return bBase;
}

// Tree form.
BOOL SECControlBarInfo::SaveBaseToTreeNode(SECPersistentTreeNode* pNode) {
    SECTreeBarStore store(pNode);
    return SaveValues(store);
}

BOOL SECControlBarInfo::SaveExToTreeNode(SECPersistentTreeNode* pNode) {
    SECTreeBarStore store(pNode);
    SaveExtension(store);
    return m_pBarInfoEx == nullptr || m_pBarInfoEx->SaveToTreeNode(pNode, m_pManager);
}

BOOL SECControlBarInfo::SaveToTreeNode(SECPersistentTreeNode* pNode) {
    if (pNode == nullptr || !SaveBaseToTreeNode(pNode))
        return FALSE;
    return SaveExToTreeNode(pNode);
}

BOOL SECControlBarInfo::LoadBaseFromTreeNode(SECPersistentTreeNode* pNode) {
    SECTreeBarStore store(pNode);
    return LoadValues(store);
}

BOOL SECControlBarInfo::LoadExFromTreeNode(SECPersistentTreeNode* pNode) {
    SECTreeBarStore store(pNode);
    LoadExtension(store);
    MakeBarInfoEx();
    return m_pBarInfoEx == nullptr || m_pBarInfoEx->LoadFromTreeNode(pNode, m_pManager);
}

BOOL SECControlBarInfo::LoadFromTreeNode(SECPersistentTreeNode* pNode, int) {
    if (pNode == nullptr)
        return FALSE;
    const BOOL bBase = LoadBaseFromTreeNode(pNode);
    LoadExFromTreeNode(pNode);
    return bBase;
}

// Archive form.
namespace {
DWORD ReadDword(CArchive& ar) {
    DWORD dw = 0;
    ar >> dw;
    return dw;
}
CPoint ReadPoint(CArchive& ar) {
    POINT pt{};
    ar >> pt;
    return pt;
}
CSize ReadSize(CArchive& ar) {
    SIZE sz{};
    ar >> sz;
    return CSize(NonNegative(sz.cx), NonNegative(sz.cy));
}
} // namespace

void SECControlBarInfo::Serialize(CArchive& ar, DWORD dwVersion, SECControlBarManager* pManager) {
    if (ar.IsStoring()) {
        ar << (DWORD)m_nBarID << (DWORD)m_bVisible << (DWORD)m_bFloating << (DWORD)m_bHorz;
        ar << (POINT)m_pointPos;
        if (dwVersion > 1) {
            ar << (DWORD)m_nMRUWidth << (DWORD)m_bDocking;
            if (m_bDocking) {
                ar << (DWORD)m_uMRUDockID << (RECT)m_rectMRUDockPos << (DWORD)m_dwMRUFloatStyle
                   << (POINT)m_ptMRUFloatPos;
            }
        }
        ar << m_dwStyle << m_dwExStyle << (DWORD)m_bPrevFloating << (DWORD)m_bMDIChild;
        ar << FormatShare(m_fFloatProportion);
        ar << (SIZE)m_szFloat << (SIZE)m_szHorzDock << (SIZE)m_szVertDock;
        ar << m_dwSavedDockStyle << m_dwDockStyle << m_dwTypeID;
        if (m_pBarInfoEx != nullptr)
            m_pBarInfoEx->Serialize(ar, pManager);
        ar << (WORD)m_arrBarID.GetSize();
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
            ar << m_arrBarID[i];
        return;
    }
    m_nBarID = ReadDword(ar);
    m_bVisible = ReadDword(ar) != 0;
    m_bFloating = ReadDword(ar) != 0;
    m_bHorz = ReadDword(ar) != 0;
    m_pointPos = ReadPoint(ar);
    if (dwVersion > 1) {
        m_nMRUWidth = ReadDword(ar);
        m_bDocking = ReadDword(ar) != 0;
        if (m_bDocking) {
            m_uMRUDockID = ReadDword(ar);
            RECT rect{};
            ar >> rect;
            m_rectMRUDockPos = rect;
            m_rectMRUDockPos.NormalizeRect();
            m_dwMRUFloatStyle = ReadDword(ar);
            m_ptMRUFloatPos = ReadPoint(ar);
        }
    }
    m_dwStyle = ReadDword(ar);
    m_dwExStyle = ReadDword(ar);
    m_bPrevFloating = ReadDword(ar) != 0;
    m_bMDIChild = ReadDword(ar) != 0;
    CString share;
    ar >> share;
    m_fFloatProportion = ParseShare(share);
    m_szFloat = ReadSize(ar);
    m_szHorzDock = ReadSize(ar);
    m_szVertDock = ReadSize(ar);
    m_dwSavedDockStyle = ReadDword(ar);
    m_dwDockStyle = ReadDword(ar);
    m_dwTypeID = ReadDword(ar);
    m_pManager = pManager;
    MakeBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->Serialize(ar, pManager);
    WORD nCount = 0;
    ar >> nCount;
    m_arrBarID.RemoveAll();
    for (WORD i = 0; i < nCount; ++i) {
        DWORD dw = 0;
        ar >> dw;
        if (i < AFX_BARINFO_MAX_ENTRIES)
            m_arrBarID.Add(dw);
    }
    m_bDockBar = m_arrBarID.GetSize() > 0;
}
