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
    return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 &&
           m_pointPos.y == -1 && m_arrBarID.GetSize() < 2;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
    if (IsDeclined() || App() == nullptr)
        return FALSE;
    const CString section = AfxBarSection(lpszProfileName, nIndex);
    WriteInt(section, L"BarID", (int)m_nBarID);
    WriteInt(section, L"Visible", m_bVisible);
    WriteInt(section, L"Horz", m_bHorz);
    WriteInt(section, L"Floating", m_bFloating);
    WriteInt(section, L"XPos", m_pointPos.x);
    WriteInt(section, L"YPos", m_pointPos.y);
    WriteInt(section, L"MRUWidth", (int)m_nMRUWidth);
    WriteInt(section, L"Docking", m_bDocking);
    if (m_bDocking) {
        WriteInt(section, L"MRUDockID", (int)m_uMRUDockID);
        WriteInt(section, L"MRUDockLeftPos", m_rectMRUDockPos.left);
        WriteInt(section, L"MRUDockTopPos", m_rectMRUDockPos.top);
        WriteInt(section, L"MRUDockRightPos", m_rectMRUDockPos.right);
        WriteInt(section, L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
        WriteInt(section, L"MRUFloatStyle", (int)m_dwMRUFloatStyle);
        WriteInt(section, L"MRUFloatXPos", m_ptMRUFloatPos.x);
        WriteInt(section, L"MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    WriteInt(section, L"Bars", (int)m_arrBarID.GetSize());
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) {
        CString key;
        key.Format(L"Bar#%d", (int)i);
        WriteInt(section, key, (int)m_arrBarID[i]);
    }
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState*) {
    if (App() == nullptr)
        return FALSE;
    const CString section = AfxBarSection(lpszProfileName, nIndex);
    const UINT nID = App()->GetProfileInt(section, L"BarID", (int)kMissing);
    if (nID == kMissing || nID == 0 || nID > 0xFFFF)
        return FALSE;
    m_nBarID = nID;
    m_bVisible = ReadInt(section, L"Visible", TRUE) != 0;
    m_bHorz = ReadInt(section, L"Horz", TRUE) != 0;
    m_bFloating = ReadInt(section, L"Floating", FALSE) != 0;
    m_pointPos = CPoint(ReadInt(section, L"XPos", -1), ReadInt(section, L"YPos", -1));
    m_nMRUWidth = (UINT)ReadInt(section, L"MRUWidth", 32767);
    m_bDocking = ReadInt(section, L"Docking", FALSE) != 0;
    if (m_bDocking) {
        m_uMRUDockID = (UINT)ReadInt(section, L"MRUDockID", 0);
        m_rectMRUDockPos = CRect(
            ReadInt(section, L"MRUDockLeftPos", 0), ReadInt(section, L"MRUDockTopPos", 0),
            ReadInt(section, L"MRUDockRightPos", 0), ReadInt(section, L"MRUDockBottomPos", 0));
        m_dwMRUFloatStyle = (DWORD)ReadInt(section, L"MRUFloatStyle", 0);
        m_ptMRUFloatPos =
            CPoint(ReadInt(section, L"MRUFloatXPos", 0), ReadInt(section, L"MRUFloatYPos", 0));
    }
    int nBars = ReadInt(section, L"Bars", 0);
    nBars = nBars < 0 ? 0 : (nBars > AFX_BARINFO_MAX_ENTRIES ? AFX_BARINFO_MAX_ENTRIES : nBars);
    m_arrBarID.RemoveAll();
    for (int i = 0; i < nBars; ++i) {
        CString key;
        key.Format(L"Bar#%d", i);
        m_arrBarID.Add((DWORD)ReadInt(section, key, 0));
    }
    m_bDockBar = m_arrBarID.GetSize() > 0;
    return TRUE;
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
