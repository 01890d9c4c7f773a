// Saving and loading the bar records through the application's profile.
#include "framework/docview/barinfo.h"

#include "framework/win/winapp.h"

#include <climits>

IMPLEMENT_DYNAMIC(CDockState, CObject)

namespace {
const UINT kMissing = UINT_MAX;

CWinApp* App() {
    return AfxGetApp();
}
int ReadInt(const CString& section, LPCTSTR key, int nDefault) {
    return (int)App()->GetProfileInt(section, key, nDefault);
}
void WriteInt(const CString& section, LPCTSTR key, int nValue) {
    App()->WriteProfileInt(section, key, nValue);
}
} // namespace

CString AfxBarSection(LPCTSTR lpszProfileName, int nIndex) {
    CString s;
    s.Format(L"%s-Bar%d", lpszProfileName, nIndex);
    return s;
}

CString AfxSummarySection(LPCTSTR lpszProfileName) {
    CString s;
    s.Format(L"%s-Summary", lpszProfileName);
    return s;
}

CControlBarInfo::CControlBarInfo()
    : m_pointPos(-1, -1), m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(0, 0) {}

BOOL CControlBarInfo::IsDeclined() const {
    return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
           m_arrBarID.GetSize() < 2;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
    if (IsDeclined() || App() == nullptr)
        return FALSE;
    CProfileBarStore store(AfxBarSection(lpszProfileName, nIndex));
    return SaveValues(store);
}

BOOL CControlBarInfo::SaveValues(CBarValueStore& store) {
    if (IsDeclined())
        return FALSE;
    store.SetInt(L"BarID", (int)m_nBarID);
    store.SetInt(L"Visible", m_bVisible);
    store.SetInt(L"Horz", m_bHorz);
    store.SetInt(L"Floating", m_bFloating);
    store.SetInt(L"XPos", m_pointPos.x);
    store.SetInt(L"YPos", m_pointPos.y);
    store.SetInt(L"MRUWidth", (int)m_nMRUWidth);
    store.SetInt(L"Docking", m_bDocking);
    if (m_bDocking) {
        store.SetInt(L"MRUDockID", (int)m_uMRUDockID);
        store.SetInt(L"MRUDockLeftPos", m_rectMRUDockPos.left);
        store.SetInt(L"MRUDockTopPos", m_rectMRUDockPos.top);
        store.SetInt(L"MRUDockRightPos", m_rectMRUDockPos.right);
        store.SetInt(L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
        store.SetInt(L"MRUFloatStyle", (int)m_dwMRUFloatStyle);
        store.SetInt(L"MRUFloatXPos", m_ptMRUFloatPos.x);
        store.SetInt(L"MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    store.SetInt(L"Bars", (int)m_arrBarID.GetSize());
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) {
        CString key;
        key.Format(L"Bar#%d", (int)i);
        store.SetInt(key, (int)m_arrBarID[i]);
    }
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState*) {
    if (App() == nullptr)
        return FALSE;
    CProfileBarStore store(AfxBarSection(lpszProfileName, nIndex));
    return LoadValues(store);
}

BOOL CControlBarInfo::LoadValues(CBarValueStore& store) {
    const UINT nID = (UINT)store.GetInt(L"BarID", (int)kMissing);
    if (nID == kMissing || nID == 0 || nID > 0xFFFF)
        return FALSE;
    m_nBarID = nID;
    m_bVisible = store.GetInt(L"Visible", TRUE) != 0;
    m_bHorz = store.GetInt(L"Horz", TRUE) != 0;
    m_bFloating = store.GetInt(L"Floating", FALSE) != 0;
    m_pointPos = CPoint(store.GetInt(L"XPos", -1), store.GetInt(L"YPos", -1));
    m_nMRUWidth = (UINT)store.GetInt(L"MRUWidth", 32767);
    m_bDocking = store.GetInt(L"Docking", FALSE) != 0;
    if (m_bDocking) {
        m_uMRUDockID = (UINT)store.GetInt(L"MRUDockID", 0);
        m_rectMRUDockPos =
            CRect(store.GetInt(L"MRUDockLeftPos", 0), store.GetInt(L"MRUDockTopPos", 0),
                  store.GetInt(L"MRUDockRightPos", 0), store.GetInt(L"MRUDockBottomPos", 0));
        m_rectMRUDockPos.NormalizeRect(); // an inverted saved rectangle is the same place
        m_dwMRUFloatStyle = (DWORD)store.GetInt(L"MRUFloatStyle", 0);
        m_ptMRUFloatPos =
            CPoint(store.GetInt(L"MRUFloatXPos", 0), store.GetInt(L"MRUFloatYPos", 0));
    }
    int nBars = store.GetInt(L"Bars", 0);
    nBars = nBars < 0 ? 0 : (nBars > AFX_BARINFO_MAX_ENTRIES ? AFX_BARINFO_MAX_ENTRIES : nBars);
    m_arrBarID.RemoveAll();
    for (int i = 0; i < nBars; ++i) {
        CString key;
        key.Format(L"Bar#%d", i);
        const int nEntry = store.GetInt(key, -1);
        if (nEntry == -1)
            break; // the list ends where its entries do
        m_arrBarID.Add((DWORD)nEntry);
    }
    m_bDockBar = m_arrBarID.GetSize() > 0;
    return TRUE;
}

int CProfileBarStore::GetInt(LPCTSTR lpszKey, int nDefault) {
    if (App() == nullptr)
        return nDefault;
    return (int)App()->GetProfileInt(m_strSection, lpszKey, nDefault);
}

void CProfileBarStore::SetInt(LPCTSTR lpszKey, int nValue) {
    if (App() != nullptr)
        App()->WriteProfileInt(m_strSection, lpszKey, nValue);
}

CString CProfileBarStore::GetString(LPCTSTR lpszKey, LPCTSTR lpszDefault) {
    if (App() == nullptr)
        return lpszDefault;
    return App()->GetProfileString(m_strSection, lpszKey, lpszDefault);
}

void CProfileBarStore::SetString(LPCTSTR lpszKey, LPCTSTR lpszValue) {
    if (App() != nullptr)
        App()->WriteProfileString(m_strSection, lpszKey, lpszValue);
}

BOOL CProfileBarStore::GetBinary(LPCTSTR lpszKey, CByteArray& data) {
    data.RemoveAll();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (App() == nullptr || !App()->GetProfileBinary(m_strSection, lpszKey, &pData, &nBytes))
        return FALSE;
    for (UINT i = 0; i < nBytes; ++i)
        data.Add(pData[i]);
    delete[] pData;
    return nBytes > 0;
}

void CProfileBarStore::SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nSize) {
    if (App() != nullptr)
        App()->WriteProfileBinary(m_strSection, lpszKey, const_cast<LPBYTE>(pData), nSize);
}

CDockState::~CDockState() {
    Clear();
}

void CDockState::Clear() {
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

void CDockState::SaveState(LPCTSTR lpszProfileName) {
    if (App() == nullptr)
        return;
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, n))
            ++n;
    const CString summary = AfxSummarySection(lpszProfileName);
    WriteInt(summary, L"Bars", n);
    WriteInt(summary, L"ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    WriteInt(summary, L"ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
}

void CDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    if (App() == nullptr)
        return;
    const CString summary = AfxSummarySection(lpszProfileName);
    int nBars = ReadInt(summary, L"Bars", 0);
    nBars = nBars < 0 ? 0 : (nBars > AFX_BARINFO_MAX_ENTRIES ? AFX_BARINFO_MAX_ENTRIES : nBars);
    m_sizeScreen = CSize(ReadInt(summary, L"ScreenCX", 0), ReadInt(summary, L"ScreenCY", 0));
    for (int i = 0; i < nBars; ++i) {
        auto* pInfo = new CControlBarInfo;
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo;
    }
    m_dwVersion = 2;
}
