// SECToolBar: the common toolbar control as a dockable bar.
#include "toolbars/classic_toolbar.h"

#include "toolbars/drawing/bmpmgr.h"

#include <shlwapi.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(SECToolBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECToolBar, SECControlBar)
ON_WM_NCHITTEST()
ON_WM_NCCREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {
DWORD g_dwComCtlVersion = 0;
DWORD g_dwForcedVersion = 0;
int g_cxDropDown = -1;
const DWORD kVersion471 = 0x40047;

// The control's state has "enabled"; the style word has "disabled".
DWORD StyleOf(const TBBUTTON& b) {
    return ((static_cast<DWORD>(b.fsState) ^ TBSTATE_ENABLED) << 16) | b.fsStyle;
}
void ApplyStyle(TBBUTTON& b, DWORD dwStyle) {
    b.fsStyle = static_cast<BYTE>(dwStyle);
    b.fsState = static_cast<BYTE>(((dwStyle >> 16) & 0xFF) ^ TBSTATE_ENABLED);
}
} // namespace

DWORD SECToolBar::GetComCtlVersion() {
    if (g_dwForcedVersion != 0)
        return g_dwForcedVersion;
    if (g_dwComCtlVersion != 0)
        return g_dwComCtlVersion;
    g_dwComCtlVersion = 0x40000;
    HMODULE hComCtl = ::GetModuleHandleW(L"COMCTL32.DLL");
    typedef HRESULT(CALLBACK * DllGetVersionProc)(DLLVERSIONINFO*);
    auto pfn = hComCtl != NULL ? reinterpret_cast<DllGetVersionProc>(reinterpret_cast<void*>(
                                     ::GetProcAddress(hComCtl, "DllGetVersion")))
                               : nullptr;
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    if (pfn != nullptr && SUCCEEDED(pfn(&info)))
        g_dwComCtlVersion = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    return g_dwComCtlVersion;
}

void SECToolBar::ForceComCtlVersion(DWORD dwVersion) {
    g_dwForcedVersion = dwVersion;
}

int SECToolBar::GetDropDownWidth() {
    if (g_cxDropDown >= 0)
        return g_cxDropDown;
    g_cxDropDown = 0;
    HFONT hFont = ::CreateFontW(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                SYMBOL_CHARSET, 0, 0, 0, 0, L"Marlett");
    if (hFont == NULL)
        return g_cxDropDown;
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    INT cx = 0;
    if (::GetCharWidthW(hDC, L'6', L'6', &cx))
        g_cxDropDown = cx;
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    ::DeleteObject(hFont);
    return g_cxDropDown;
}

SECToolBar::SECToolBar() {
    m_cyTopBorder = m_cyBottomBorder = 3;
}

SECToolBar::~SECToolBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

BOOL SECToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL SECToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle,
                          const CRect& rcBorders, UINT nID) {
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    m_dwStyle = dwStyle & 0x40FFFF;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    GetComCtlVersion();
    GetDropDownWidth();
    const DWORD dwWindow = (dwStyle & ~0x40FFB1) | dwCtrlStyle | CCS_NORESIZE | CCS_NOPARENTALIGN |
                           CCS_NODIVIDER | CCS_NOMOVEY;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEW, NULL, dwWindow, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetSizes(m_sizeButton, m_sizeImage);
    m_dwExStyle = 4;
    m_szHorzDock = m_szVertDock = m_szFloat = CSize(0, 0);
    return TRUE;
}

BOOL SECToolBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
    if (!SECControlBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (CWnd* pOwner = GetOwner())
        DefWindowProc(TB_SETPARENT, (WPARAM)pOwner->GetSafeHwnd(), 0);
    DefWindowProc(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return TRUE;
}

BOOL SECToolBar::PreCreateWindow(CREATESTRUCT& cs) {
    // The control's own styles share the low word with the bar bits: nothing is taken out.
    return CWnd::PreCreateWindow(cs);
}

LRESULT SECToolBar::OnNcHitTest(CPoint) {
    return HTCLIENT;
}

void SECToolBar::OnPaint() {
    m_bDirty = FALSE;
    Default();
}

BOOL SECToolBar::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}

void SECToolBar::OnSysColorChange() {
    SECControlBar::OnSysColorChange();
    if (m_lpszResource != nullptr)
        LoadBitmap(m_lpszResource);
}

void SECToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    DefWindowProc(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    DefWindowProc(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    m_bDirty = TRUE;
    Invalidate();
}

BOOL SECToolBar::LoadToolBar(LPCTSTR lpszResource) {
    std::vector<UINT> ids;
    int cx = 0, cy = 0;
    if (!SECBmpMgr::ReadToolBarResource(lpszResource, ids, cx, cy))
        return FALSE;
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    SetSizes(CSize(cx + 7, cy + 7), CSize(cx, cy));
    return LoadBitmap(lpszResource);
}

BOOL SECToolBar::LoadBitmap(LPCTSTR lpszResource) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResource, RT_BITMAP);
    HBITMAP hBitmap = hInst != NULL ? (HBITMAP)::LoadImageW(hInst, lpszResource, IMAGE_BITMAP, 0, 0,
                                                            LR_LOADMAP3DCOLORS)
                                    : NULL;
    if (hBitmap == NULL || !SetBitmap(hBitmap)) {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    m_lpszResource = lpszResource;
    m_hInstResource = hInst;
    return TRUE;
}

BOOL SECToolBar::SetBitmap(HBITMAP hBitmap) {
    if (m_hWnd == NULL || hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    if (!::GetObjectW(hBitmap, sizeof(bm), &bm) || m_sizeImage.cx <= 0)
        return FALSE;
    const int nImages = bm.bmWidth / m_sizeImage.cx;
    BOOL bOK = FALSE;
    if (m_hBitmap != NULL) {
        TBREPLACEBITMAP replace = {NULL, (UINT_PTR)m_hBitmap, NULL, (UINT_PTR)hBitmap, nImages};
        bOK = DefWindowProc(TB_REPLACEBITMAP, 0, (LPARAM)&replace) != 0;
    } else {
        TBADDBITMAP add = {NULL, (UINT_PTR)hBitmap};
        bOK = DefWindowProc(TB_ADDBITMAP, nImages, (LPARAM)&add) != -1;
    }
    if (!bOK)
        return FALSE; // the old strip stays
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hBitmap;
    return TRUE;
}

BOOL SECToolBar::SetButtons(const UINT* pIDs, int nCount) {
    if (m_hWnd == NULL || nCount < 0)
        return FALSE;
    for (int n = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0); n > 0; --n)
        DefWindowProc(TB_DELETEBUTTON, 0, 0);
    const bool bNarrow = (GetStyle() & TBSTYLE_FLAT) || GetComCtlVersion() == kVersion471;
    int iImage = 0;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON b = {};
        b.fsState = TBSTATE_ENABLED;
        if (pIDs == nullptr) {
            b.iBitmap = -1;
        } else if (pIDs[i] == 0) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = bNarrow ? 6 : 8;
        } else {
            b.idCommand = static_cast<int>(pIDs[i]);
            b.iBitmap = iImage++;
        }
        if (!DefWindowProc(TB_ADDBUTTONSW, 1, (LPARAM)&b))
            return FALSE;
    }
    m_bDirty = TRUE;
    return TRUE;
}

int SECToolBar::GetCount() const {
    return m_hWnd != NULL ? (int)::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

BOOL SECToolBar::GetButton(int nIndex, TBBUTTON& button) const {
    button = TBBUTTON{};
    return m_hWnd != NULL && ::SendMessageW(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button) != 0;
}

BOOL SECToolBar::SetButton(int nIndex, const TBBUTTON& button) {
    TBBUTTON old;
    if (!GetButton(nIndex, old))
        return FALSE;
    if (old.idCommand == button.idCommand && old.iBitmap == button.iBitmap &&
        old.fsState == button.fsState && old.fsStyle == button.fsStyle)
        return TRUE; // unchanged: left alone
    DefWindowProc(TB_DELETEBUTTON, nIndex, 0);
    const BOOL bOK = DefWindowProc(TB_INSERTBUTTONW, nIndex, (LPARAM)&button) != 0;
    m_bDirty = TRUE;
    Invalidate();
    return bOK;
}

UINT SECToolBar::GetItemID(int nIndex) const {
    TBBUTTON b;
    return GetButton(nIndex, b) ? static_cast<UINT>(b.idCommand) : 0;
}

DWORD SECToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON b;
    return GetButton(nIndex, b) ? StyleOf(b) : 0;
}

void SECToolBar::SetButtonStyle(int nIndex, DWORD dwStyle) {
    TBBUTTON b;
    if (!GetButton(nIndex, b))
        return;
    ApplyStyle(b, dwStyle);
    SetButton(nIndex, b);
}

void SECToolBar::GetButtonInfo(int nIndex, UINT& nID, DWORD& dwStyle, int& iImage) const {
    TBBUTTON b;
    GetButton(nIndex, b);
    nID = static_cast<UINT>(b.idCommand);
    dwStyle = StyleOf(b);
    iImage = b.iBitmap;
}

void SECToolBar::SetButtonInfo(int nIndex, UINT nID, DWORD dwStyle, int iImage) {
    TBBUTTON b;
    if (!GetButton(nIndex, b))
        return;
    b.idCommand = static_cast<int>(nID);
    b.iBitmap = iImage;
    ApplyStyle(b, dwStyle);
    SetButton(nIndex, b);
}

void SECToolBar::GetItemRect(int nIndex, LPRECT lpRect) {
    m_bDirty = FALSE;
    if (m_hWnd == NULL || !::SendMessageW(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

CSize SECToolBar::BorderSize(BOOL bHorz) const {
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    return CSize(-rect.Width(), -rect.Height());
}

CSize SECToolBar::WrapButtons(std::vector<TBBUTTON>& buttons, int cx) const {
    const bool bFlat = (GetStyle() & TBSTYLE_FLAT) != 0;
    const bool bArrows =
        (::SendMessageW(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) != 0;
    auto widthOf = [&](const TBBUTTON& b) {
        if (b.fsStyle & TBSTYLE_SEP)
            return b.iBitmap;
        return static_cast<int>(m_sizeButton.cx) +
               ((bArrows && (b.fsStyle & TBSTYLE_DROPDOWN)) ? GetDropDownWidth() : 0);
    };
    int x = 0, nLastSep = -1, nRowStart = 0;
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        TBBUTTON& b = buttons[i];
        b.fsState &= ~TBSTATE_WRAP;
        if (b.fsState & TBSTATE_HIDDEN)
            continue;
        const bool bSep = (b.fsStyle & TBSTYLE_SEP) != 0;
        if (bSep)
            nLastSep = i;
        const int w = widthOf(b);
        if (x + w <= cx || i == nRowStart) {
            x += w;
            continue;
        }
        // Past the width: the row ends at its last separator, else before this button.
        const int nWrap = nLastSep >= nRowStart ? nLastSep : i - 1;
        buttons[nWrap].fsState |= TBSTATE_WRAP;
        nRowStart = nWrap + 1;
        nLastSep = -1;
        x = 0;
        for (int j = nRowStart; j <= i; ++j)
            if (!(buttons[j].fsState & TBSTATE_HIDDEN))
                x += widthOf(buttons[j]);
    }
    // The rows' size.
    CSize size(0, 0);
    int cxRow = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TBBUTTON& b = buttons[i];
        if (b.fsState & TBSTATE_HIDDEN)
            continue;
        const bool bWrapSep = (b.fsState & TBSTATE_WRAP) && (b.fsStyle & TBSTYLE_SEP);
        if (!bWrapSep)
            cxRow += widthOf(b);
        if ((b.fsState & TBSTATE_WRAP) || i + 1 == buttons.size()) {
            size.cx = std::max<LONG>(size.cx, cxRow);
            size.cy += m_sizeButton.cy + (bWrapSep && bFlat ? b.iBitmap : 0);
            cxRow = 0;
        }
    }
    return size;
}

CSize SECToolBar::CalcLayout(DWORD dwMode, int nLength) {
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    std::vector<TBBUTTON> buttons(static_cast<size_t>(std::max(GetCount(), 0)));
    for (size_t i = 0; i < buttons.size(); ++i)
        GetButton(static_cast<int>(i), buttons[i]);
    const CSize border = BorderSize(bHorz);
    CSize size;
    if (dwMode & LM_HORZDOCK) {
        size = WrapButtons(buttons, 32767);
    } else if (dwMode & LM_VERTDOCK) {
        size = WrapButtons(buttons, 0);
    } else if (dwMode & LM_MRUWIDTH) {
        size = WrapButtons(buttons, m_nMRUWidth - border.cx);
    } else if (dwMode & LM_LENGTHY) {
        // Wrap at each width until the height fits.
        for (int cx = m_sizeButton.cx;; cx += m_sizeButton.cx) {
            size = WrapButtons(buttons, cx);
            if (size.cy + border.cy <= nLength || cx > 32767 / 2)
                break;
        }
    } else {
        // The smallest width that keeps the rows the given length gives.
        const int nTarget = nLength - border.cx;
        WrapButtons(buttons, nTarget);
        int nRows = 0;
        for (const TBBUTTON& b : buttons)
            nRows += (b.fsState & TBSTATE_WRAP) ? 1 : 0;
        int lo = m_sizeButton.cx, hi = std::max(nTarget, lo);
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            WrapButtons(buttons, mid);
            int n = 0;
            for (const TBBUTTON& b : buttons)
                n += (b.fsState & TBSTATE_WRAP) ? 1 : 0;
            if (n > nRows)
                lo = mid + 1;
            else
                hi = mid;
        }
        size = WrapButtons(buttons, lo);
    }
    size += border;
    if (dwMode & LM_COMMIT) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            TBBUTTON now;
            GetButton(static_cast<int>(i), now);
            if ((now.fsState & TBSTATE_WRAP) != (buttons[i].fsState & TBSTATE_WRAP)) {
                // By index: separators share command id 0.
                TBBUTTONINFOW info = {};
                info.cbSize = sizeof(info);
                info.dwMask = TBIF_BYINDEX | TBIF_STATE;
                info.fsState = buttons[i].fsState;
                DefWindowProc(TB_SETBUTTONINFOW, i, (LPARAM)&info);
            }
        }
        // Separators with a command id hold a child window's place: it moves with them.
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (!(buttons[i].fsStyle & TBSTYLE_SEP) || buttons[i].idCommand == 0)
                continue;
            CWnd* pChild = GetDlgItem(buttons[i].idCommand);
            CRect rcItem;
            GetItemRect(static_cast<int>(i), &rcItem);
            if (pChild != nullptr && !rcItem.IsRectEmpty())
                pChild->SetWindowPos(nullptr, rcItem.left, rcItem.top, 0, 0,
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        }
        if (dwMode & LM_HORZDOCK)
            m_szHorzDock = size;
        else if (dwMode & LM_VERTDOCK)
            m_szVertDock = size;
        else {
            m_szFloatLayout = size;
            if (!(dwMode & LM_LENGTHY))
                m_nMRUWidth = size.cx;
        }
    }
    return size;
}

CSize SECToolBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    return CalcLayout((bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) | LM_COMMIT, -1);
}

CSize SECToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if ((nMode & LM_HORZDOCK) || (nMode & LM_VERTDOCK))
        return CalcLayout(nMode | LM_COMMIT, nLength);
    return CalcLayout(nMode, nLength);
}

void SECToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<SECToolBar*>(m_pOther);
    DWORD dwStyle = pBar->GetButtonStyle(static_cast<int>(m_nIndex));
    dwStyle = bOn ? (dwStyle & ~0x40000) : ((dwStyle | 0x40000) & ~0x20000);
    pBar->SetButtonStyle(static_cast<int>(m_nIndex), dwStyle);
}

void SECToolCmdUI::SetCheck(int nCheck) {
    auto* pBar = static_cast<SECToolBar*>(m_pOther);
    DWORD dwStyle = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~0x110000;
    if (nCheck == 1)
        dwStyle |= 0x10000;
    else if (nCheck == 2)
        dwStyle |= 0x100000;
    pBar->SetButtonStyle(static_cast<int>(m_nIndex), dwStyle | TBSTYLE_CHECK);
}

void SECToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    SECToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < static_cast<int>(state.m_nIndexMax); ++i) {
        TBBUTTON b;
        if (!GetButton(i, b) || (b.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(b.idCommand);
        // The bar's own handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        if (pTarget != nullptr)
            state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR SECToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    auto* pThis = const_cast<SECToolBar*>(this);
    for (int i = 0; i < GetCount(); ++i) {
        TBBUTTON b;
        CRect rect;
        if (!GetButton(i, b) || (b.fsStyle & TBSTYLE_SEP))
            continue;
        pThis->GetItemRect(i, &rect);
        rect.right += 1;
        rect.bottom += 1;
        if (!rect.PtInRect(point))
            continue;
        if (pTI != nullptr && pTI->cbSize >= sizeof(TOOLINFO) - sizeof(void*)) {
            pTI->hwnd = m_hWnd;
            pTI->rect = rect;
            pTI->uId = static_cast<UINT_PTR>(b.idCommand);
            pTI->lpszText = LPSTR_TEXTCALLBACKW;
        }
        return b.idCommand;
    }
    return -1;
}

void SECToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
    SECControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if ((dwOldStyle ^ dwNewStyle) & 0xF00) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    m_bDirty = TRUE;
}
