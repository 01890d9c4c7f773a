// The window table through which the host names windows, the host-kept placements, and the
// operations on a window the host names.
#include "shell/frame/mainframe.h"

#include <algorithm>
#include <cmath>

#include "shell/app/appearance.h"
#include "docking/dockable_frame.h"
#include "shell/app/tarvikapp.h"
#include "shell/frame/dock_share.h"
#include "shell/frame/new_document.h"
#include "shell/hostlink.h"
#include "windows/common/asm_frame_table.h"
#include "windows/common/families.h"
#include "windows/common/file_viewer_list.h"

void CWindowIdList::Add(HWND hWnd) {
    auto at = std::lower_bound(m_handles.begin(), m_handles.end(), hWnd);
    if (at == m_handles.end() || *at != hWnd)
        m_handles.insert(at, hWnd);
}

void CWindowIdList::Remove(HWND hWnd) {
    auto at = std::lower_bound(m_handles.begin(), m_handles.end(), hWnd);
    if (at != m_handles.end() && *at == hWnd)
        m_handles.erase(at);
}

bool CWindowIdList::Contains(HWND hWnd) const {
    return std::binary_search(m_handles.begin(), m_handles.end(), hWnd);
}

CWindowIdList& WindowIdList() {
    static CWindowIdList list;
    return list;
}

int CMainFrame::RegisterWindowHandle(HWND hWnd) {
    auto freeEntry = std::find(m_handles.begin() + 1, m_handles.end(), static_cast<HWND>(NULL));
    if (freeEntry != m_handles.end()) {
        *freeEntry = hWnd;
        return static_cast<int>(freeEntry - m_handles.begin());
    }
    m_handles.push_back(hWnd);
    return static_cast<int>(m_handles.size()) - 1;
}

HWND CMainFrame::GetWindowHandle(int nId) const {
    if (nId < 0 || nId >= static_cast<int>(m_handles.size()))
        return reinterpret_cast<HWND>(-1);
    return m_handles[nId];
}

CWnd* CMainFrame::FrameOfId(int nId) const {
    const HWND hWnd = GetWindowHandle(nId);
    if (hWnd == NULL || hWnd == reinterpret_cast<HWND>(-1) || !::IsWindow(hWnd))
        return nullptr;
    return FindFrameOfWindow(hWnd);
}

void CMainFrame::FreeWindowId(int nId) {
    if (nId > 0 && nId < static_cast<int>(m_handles.size()))
        m_handles[nId] = NULL;
}

int CMainFrame::FindWindowId(HWND hWnd) const {
    if (hWnd == NULL)
        return -1;
    auto found = std::find(m_handles.begin() + 1, m_handles.end(), hWnd);
    return found != m_handles.end() ? static_cast<int>(found - m_handles.begin()) : -1;
}

void CMainFrame::SetWindowHandle(int nId, HWND hWnd) {
    if (nId > 0 && nId < static_cast<int>(m_handles.size()))
        m_handles[nId] = hWnd;
}

HWND CMainFrame::ResolveWindowReference(intptr_t reference, BOOL bById) const {
    HWND hWnd = NULL;
    if (bById) {
        const int id = static_cast<int>(reference);
        if (id <= 0 || id >= static_cast<int>(m_handles.size()))
            return NULL;
        hWnd = m_handles[id];
    } else {
        hWnd = reinterpret_cast<HWND>(reference);
    }
    // Only a live window of this thread inside the frame or inside one of the library's windows
    // (a floating frame is no child of the frame): nothing goes to a dead or foreign one.
    if (hWnd == NULL || !::IsWindow(hWnd) ||
        ::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId() ||
        (hWnd != m_hWnd && !::IsChild(m_hWnd, hWnd) && FindFrameOfWindow(hWnd) == nullptr))
        return NULL;
    return hWnd;
}

CWnd* CMainFrame::FindFrameOfWindow(HWND hWnd) const {
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd == nullptr)
            continue;
        if (auto* pView = DYNAMIC_DOWNCAST(CView, pWnd))
            return pView->GetParentFrame();
        return pWnd;
    }
    return nullptr;
}

void CMainFrame::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0)
        return;
    // A copy: a window may close while it handles the message.
    const std::vector<HWND> handles = WindowIdList().Handles();
    for (HWND hWnd : handles)
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, message, wParam, lParam);
}

namespace {
BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

void CMainFrame::RelayoutAllWindows() {
    const std::vector<HWND> handles = WindowIdList().Handles();
    for (HWND hWnd : handles) {
        if (!::IsWindow(hWnd))
            continue;
        std::vector<HWND> children;
        ::EnumChildWindows(hWnd, &CollectChild, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            RECT rect{};
            if (::IsWindow(child) && ::GetClientRect(child, &rect))
                ::SendMessageW(child, WM_SIZE, SIZE_RESTORED,
                               MAKELPARAM(rect.right - rect.left, rect.bottom - rect.top));
        }
    }
}

// Host-kept placement.
int32_t GetHostWindowState(const void* key) {
    int32_t value = 0;
    if (HostVersionAtLeast(3, 4))
        HostTable()->GetWindowSetting(key, &value, nullptr, nullptr, nullptr, nullptr);
    return value;
}

HostPlacement GetHostWindowPlacement(const void* key) {
    HostPlacement p{};
    if (key != nullptr && HostVersionAtLeast(3, 4))
        HostTable()->GetWindowSetting(key, &p.flags, &p.x, &p.y, &p.width, &p.height);
    return p;
}

void SetHostWindowState(const void* key, int32_t value) {
    if (HostVersionAtLeast(3, 4))
        HostTable()->SetWindowSetting(key, kWindowSettingState, value, 0, 0, 0, 0);
}

void SetHostWindowStateShown(const void* key) {
    SetHostWindowState(key, 2);
}

void SetHostWindowPlacement(const void* key, const HostPlacement& p) {
    if (HostVersionAtLeast(3, 4))
        HostTable()->SetWindowSetting(key, kWindowSettingPlacement, p.flags, p.x, p.y, p.width,
                                      p.height);
}

void CMainFrame::ShowFrameAtHostPlacement(CWnd* pFrame, const void* key) {
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return;
    const HostPlacement p = GetHostWindowPlacement(key);
    using namespace PlacementFlags;
    if (!(p.flags & stored) || !(p.flags & mdiChild)) {
        pFrame->ShowWindow((p.flags & activate) ? SW_SHOW : SW_SHOWNA);
        return;
    }
    BOOL bMaximized = FALSE;
    MDIGetActive(&bMaximized);
    if (bMaximized) {
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    } else if (p.flags & minimized) {
        pFrame->ShowWindow(SW_SHOWMINIMIZED);
    } else {
        UINT swp = SWP_SHOWWINDOW;
        if (!(p.flags & activate))
            swp |= SWP_NOZORDER | SWP_NOACTIVATE;
        if (p.x == kDefaultPlacementCoordinate && p.y == kDefaultPlacementCoordinate)
            swp |= SWP_NOMOVE;
        pFrame->SetWindowPos(nullptr, p.x, p.y, std::max(0, p.width), std::max(0, p.height), swp);
    }
}

namespace {
// The floating frame around a docked frame whose bar floats, or null.
CWnd* FloatingFrameOf(SECDockableFrame* pDocked) {
    SECControlBar* pBar = pDocked->GetHostBar();
    if (pBar == nullptr || !pBar->IsFloating())
        return nullptr;
    CWnd* pRoot = CWnd::FromHandlePermanent(::GetAncestor(pBar->m_hWnd, GA_ROOT));
    return pRoot != nullptr && pRoot->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) ? pRoot : nullptr;
}
} // namespace

void CMainFrame::FloatAtHostPlacement(SECDockableFrame* pDocked, const HostPlacement& p) {
    SECControlBar* pBar = pDocked->GetHostBar();
    if (pBar == nullptr)
        return;
    if (!pBar->IsFloating())
        FloatControlBar(pBar, p.x, p.y, 0x2000);
    CWnd* pFloat = FloatingFrameOf(pDocked);
    if (pFloat == nullptr)
        return;
    // A floating frame is as large as its bar: the bar takes the size less what the frame adds
    // around it (caption, borders, dock bar), then the frame lays itself out and moves.
    CRect frame, bar;
    pFloat->GetWindowRect(&frame);
    pBar->GetWindowRect(&bar);
    const CSize extra = frame.Size() - bar.Size();
    pBar->CalcDynamicLayout(std::max<int>(0, p.width - extra.cx), LM_COMMIT | LM_HORZ);
    pBar->CalcDynamicLayout(std::max<int>(0, p.height - extra.cy),
                            LM_COMMIT | LM_LENGTHY | LM_HORZ);
    if (auto* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFloat))
        pFrameWnd->RecalcLayout();
    pFloat->SetWindowPos(nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
// The record whose placement a window being opened or placed takes, for the scope of one call.
class PendingRecordScope {
public:
    PendingRecordScope(const WindowPosition*& slot, const WindowPosition* pRecord)
        : m_slot(slot), m_old(slot) {
        m_slot = pRecord;
    }
    ~PendingRecordScope() { m_slot = m_old; }
    PendingRecordScope(const PendingRecordScope&) = delete;
    PendingRecordScope& operator=(const PendingRecordScope&) = delete;

private:
    const WindowPosition*& m_slot;
    const WindowPosition* m_old;
};

SECMultiDocTemplate* GuiTemplate() {
    return DYNAMIC_DOWNCAST(SECMultiDocTemplate, TarvikApp()->FindTemplateByName(L"Gui"));
}

// The template whose family the frame is: its document's; the "Gui" template when it has none.
SECMultiDocTemplate* TemplateOfFrame(CWnd* pFrame) {
    auto* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame);
    CDocument* pDoc = pFrameWnd ? pFrameWnd->GetActiveDocument() : nullptr;
    auto* pTemplate =
        pDoc ? DYNAMIC_DOWNCAST(SECMultiDocTemplate, pDoc->GetDocTemplate()) : nullptr;
    return pTemplate ? pTemplate : GuiTemplate();
}
} // namespace

void CMainFrame::PlaceNewFrame(CWnd* pFrame) {
    using namespace PlacementFlags;
    if (pFrame == nullptr || m_pPendingRecord == nullptr ||
        !pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return;
    const HostPlacement p = GetHostWindowPlacement(m_pPendingRecord);
    if ((p.flags & (stored | mdiChild)) != (stored | mdiChild) || (p.flags & minimized))
        return;
    UINT swp = SWP_NOZORDER | SWP_NOACTIVATE;
    if (p.x == kDefaultPlacementCoordinate && p.y == kDefaultPlacementCoordinate)
        swp |= SWP_NOMOVE;
    pFrame->SetWindowPos(nullptr, p.x, p.y, std::max(0, p.width), std::max(0, p.height), swp);
}

void CMainFrame::GetNextDockingPosition(UINT& nDockBarID, SECDockPos& pos, SECDockSize& size) {
    using namespace PlacementFlags;
    const HostPlacement p =
        m_pPendingRecord ? GetHostWindowPlacement(m_pPendingRecord) : HostPlacement{};
    if ((p.flags & (stored | docked)) != (stored | docked)) {
        CMainFrameBase::GetNextDockingPosition(nDockBarID, pos, size);
        return;
    }
    // Row and column as the frame reports them; a share or thickness out of range keeps the
    // base's default.
    nDockBarID = GetDockBarForSide(p.flags);
    pos = SECDockPos{std::max(0, p.x), std::max(0, p.y), 0};
    size = SECDockSize{};
    if (p.width > 0 && p.width <= 100)
        size.fPctWidth = p.width / 100.0f;
    if (p.height > 0)
        size.nHeight = p.height;
}

UINT CMainFrame::GetDockBarForSide(int32_t flags) {
    if (flags & PlacementFlags::sideLeft)
        return AFX_IDW_DOCKBAR_LEFT;
    if (flags & PlacementFlags::sideRight)
        return AFX_IDW_DOCKBAR_RIGHT;
    if (flags & PlacementFlags::sideTop)
        return AFX_IDW_DOCKBAR_TOP;
    return AFX_IDW_DOCKBAR_BOTTOM;
}

void CMainFrame::UpdateWndPos(intptr_t reference, BOOL bById, const WindowPosition* pPos) {
    if (pPos == nullptr)
        return; // a null record means no placement
    HWND hWnd = ResolveWindowReference(reference, bById);
    m_position = *pPos;
    PendingRecordScope pending(m_pPendingRecord, pPos);
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    const HostPlacement p = GetHostWindowPlacement(pPos);
    if (pFrame == nullptr || pFrame == this || (p.flags & PlacementFlags::leaveAlone))
        return;
    SECMultiDocTemplate* pTemplate = TemplateOfFrame(pFrame);
    auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame);
    auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pFrame);
    if (p.flags & PlacementFlags::docked) {
        if (pDocked != nullptr && pDocked->GetHostBar() != nullptr) {
            DockControlBarAt(pDocked->GetHostBar(), GetDockBarForSide(p.flags), p.y, p.x,
                             std::max(0, p.width) / 100.0f, std::max(0, p.height));
            RecalcLayout();
        } else if (pChild != nullptr && pTemplate != nullptr) {
            pTemplate->DockMDIChildDefault(pChild);
        }
    } else if (p.flags & PlacementFlags::floating) {
        if (pDocked != nullptr && pDocked->GetHostBar() != nullptr) {
            // Only the floating frame moves (the main frame's layout changes when the bar
            // leaves its dock bar).
            const bool wasDocked = !pDocked->IsInFloatingBar();
            FloatAtHostPlacement(pDocked, p);
            if (wasDocked)
                RecalcLayout();
        } else if (pChild != nullptr && pTemplate != nullptr) {
            auto* pNew = DYNAMIC_DOWNCAST(SECDockableFrame, pTemplate->DockMDIChildDefault(pChild));
            if (pNew != nullptr && pNew->GetHostBar() != nullptr)
                FloatAtHostPlacement(pNew, p);
        }
    } else if (pDocked != nullptr && pTemplate != nullptr) {
        const bool wasDocked = !pDocked->IsInFloatingBar();
        pTemplate->UndockToMDIChild(pDocked);
        if (wasDocked)
            RecalcLayout();
    } else if (pChild != nullptr) {
        ShowFrameAtHostPlacement(pChild, pPos);
    }
}

BOOL CMainFrame::GetWindowPos(intptr_t reference, BOOL bById, const WindowPosition* pPos) {
    if (pPos == nullptr)
        return FALSE;
    HWND hWnd = ResolveWindowReference(reference, bById);
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    if (pFrame == nullptr || pFrame == this)
        return FALSE;
    HostPlacement p{};
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        pFrame->GetWindowPlacement(&wp);
        const RECT& r = wp.rcNormalPosition;
        p = {0x11, r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (pFrame->IsIconic())
            p.flags |= PlacementFlags::minimized;
    } else if (auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame)) {
        SECControlBar* pBar = pDocked->GetHostBar();
        if (pBar == nullptr)
            return FALSE;
        if (pDocked->IsInFloatingBar()) {
            CRect r;
            pDocked->GetWindowRect(&r);
            p = {0x21, r.left, r.top, r.Width(), r.Height()};
        } else {
            int row = 0, column = 0, thickness = 0;
            UINT dockBar = 0;
            float share = 0;
            pBar->GetDockPosition(row, column, dockBar, share, thickness);
            p = {0x41, row, column, SharePercent(share), thickness};
            static const int32_t sides[] = {PlacementFlags::sideTop, PlacementFlags::sideLeft,
                                            PlacementFlags::sideBottom, PlacementFlags::sideRight};
            SECMultiDocTemplate* pTemplate = GuiTemplate();
            const int side = pTemplate ? pTemplate->GetDockSide(pDocked) : -1;
            p.flags |= side >= 0 && side < 4 ? sides[side] : PlacementFlags::sideBottom;
        }
    } else {
        return FALSE;
    }
    SetHostWindowPlacement(pPos, p);
    return TRUE;
}

// Opening a window of a template where the host keeps its place.
CDocument* CMainFrame::OpenFromTemplate(const WindowPosition* pPos, CDocTemplate* pTemplate,
                                        LPCTSTR lpszPath) {
    auto* pMulti = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
    if (pPos == nullptr || pMulti == nullptr)
        return nullptr;
    HWND hWndFocus = ::GetFocus();
    PendingRecordScope pending(m_pPendingRecord, pPos);
    const HostPlacement p = GetHostWindowPlacement(pPos);
    if (p.flags & PlacementFlags::stored)
        m_position = *pPos;
    else
        SetHostWindowStateShown(&m_position);
    BOOL bVisible = TRUE, bDocked = FALSE;
    if (p.flags & PlacementFlags::docked)
        bDocked = TRUE;
    else if (p.flags & PlacementFlags::floating)
        bVisible = FALSE, bDocked = TRUE;
    CDocument* pDoc = pMulti->OpenDocumentFileEx(lpszPath, bVisible, bDocked, 0);
    if (pDoc == nullptr)
        return nullptr;
    CFrameWnd* pFrame = FrameOfNewDocument(pDoc);
    if (pFrame == nullptr)
        return nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    ShowFrameAtHostPlacement(pFrame, pPos);
    if (p.flags & PlacementFlags::floating) {
        if (auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame);
            pDocked && pDocked->GetHostBar())
            FloatAtHostPlacement(pDocked, p);
        pFrame->Invalidate(TRUE);
    }
    SetHostWindowStateShown(&m_position);
    RecalcLayout();
    WindowIdList().Add(pFrame->GetSafeHwnd());
    if (m_hWndFirstOpened == NULL || !::IsWindow(m_hWndFirstOpened)) {
        m_hWndFirstOpened = pView->GetSafeHwnd();
    } else if (hWndFocus != NULL &&
               (hWndFocus == m_hWndFirstOpened || ::GetParent(hWndFocus) == m_hWndFirstOpened ||
                ::GetParent(::GetParent(hWndFocus)) == m_hWndFirstOpened)) {
        ::PostMessageW(m_hWndFirstOpened, WM_ACTIVATE, 1, (LPARAM)pFrame->GetSafeHwnd());
    }
    return pDoc;
}

BOOL CMainFrame::OpenHostWindow(LPCTSTR lpszName, const WindowPosition* pPos, HWND* phWnd) {
    if (phWnd == nullptr || pPos == nullptr)
        return FALSE;
    m_position = *pPos;
    CDocument* pDoc = OpenFromTemplate(pPos, TarvikApp()->FindTemplateByName(L"Gui"), nullptr);
    if (pDoc == nullptr)
        return FALSE;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
    if (pFrame == nullptr)
        return FALSE;
    if (lpszName != nullptr) {
        pDoc->SetTitle(lpszName);
        pFrame->SetWindowText(lpszName);
    }
    *phWnd = pView->GetSafeHwnd();
    return TRUE;
}

LRESULT CMainFrame::SetWndIcon(intptr_t reference, BOOL bById, WPARAM kind, HICON hIcon) {
    HWND hWnd = ResolveWindowReference(reference, bById);
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    if (pFrame == nullptr || pFrame == this)
        return 0;
    if (auto* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
        if (auto* pView = DYNAMIC_DOWNCAST(CDocView, pFrameWnd->GetActiveView())) {
            pView->NoteIcon(kind, reinterpret_cast<LPARAM>(hIcon));
        }
    return pFrame->SendMessage(WM_SETICON, kind, reinterpret_cast<LPARAM>(hIcon));
}

BOOL CMainFrame::SetWndCaption(intptr_t reference, BOOL bById, LPCTSTR lpszText) {
    HWND hWnd = ResolveWindowReference(reference, bById);
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, hWnd ? FindFrameOfWindow(hWnd) : nullptr);
    if (pFrame == nullptr || pFrame == this || lpszText == nullptr)
        return FALSE;
    CView* pView = pFrame->GetActiveView();
    CDocument* pDoc = pView ? pView->GetDocument() : nullptr;
    if (pDoc == nullptr)
        return FALSE;
    pDoc->SetTitle(lpszText);
    return TRUE;
}

// Drag and drop on the frame itself, while it is announced as "MainWnd".
IDragDrop* CMainFrame::DropService() const {
    return m_pDropTarget ? DragDropService() : nullptr;
}

DROPEFFECT CMainFrame::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DropService())
        service->DragEnter("MainWnd", 0, "MainWnd", dwKeyState, &effect);
    return effect;
}

DROPEFFECT CMainFrame::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DropService())
        service->DragOver("MainWnd", 0, "MainWnd", dwKeyState, &effect);
    return effect;
}

void CMainFrame::OnDragLeave() {
    if (IDragDrop* service = DropService())
        service->DragLeave("MainWnd", 0);
}

BOOL CMainFrame::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    IDragDrop* service = DropService();
    return service ? service->Drop("MainWnd", 0, "MainWnd") : FALSE;
}

int CMainFrame::CloseMDIWindow(intptr_t reference, BOOL bById) {
    HWND hWnd = ResolveWindowReference(reference, bById);
    if (bById)
        FreeWindowId(static_cast<int>(reference));
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    // Only a window's frame closes: a handle inside a bar or the frame itself closes nothing.
    if (pFrame == nullptr || pFrame == this ||
        !(pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)) ||
          pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))))
        return 1;
    const HWND hFrame = pFrame->GetSafeHwnd();
    if (IsAsmFrame(pFrame))
        AsmFrameTable().ClearFrame(hFrame);
    WindowIdList().Remove(hFrame);
    // Never by WM_CLOSE: a host window's frame answers it by asking the host, which is what
    // brought the host here.
    if (auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame)) {
        if (!CMultiDoc::CloseDockedFrame(pDocked))
            pDocked->DestroyWindow();
        RecalcLayout();
    } else {
        static_cast<CMDIChildWnd*>(pFrame)->MDIDestroy();
    }
    return 1;
}

void CMainFrame::CloseFileViewer(LPCTSTR lpszName) {
    HWND hFrame = FileViewerList().Find(lpszName);
    if (!FileViewerList().Remove(lpszName) || hFrame == NULL)
        return;
    ::SendMessageW(hFrame, WM_CLOSE, 1, 0);
}
