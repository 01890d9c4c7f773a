// The command filter: answers the frame's state, shows the docking menu and carries out a state
// change through the frame's document template, after the filters of the frame have returned.
#include "docking/sys_command_filters.h"

#include "docking/control_bar.h"
#include "docking/doc_template.h"
#include "docking/dockable_frame.h"
#include "docking/mdi_frame.h"
#include "framework/docview/dockcontext.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/mdiframe.h"
#include "framework/win/winapp.h"

#include <map>
#include <memory>

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxMsgFilter, SECMsgFilter)

namespace {

// A state change waiting for its frame's message: the record with its own copies of the
// position and size it points to.
struct PostedCommand {
    HWND hWnd = NULL;
    SysCommandExRecord record = {};
    SECDockPos pos = {};
    SECDockSize size;
};

std::map<UINT, PostedCommand>& PostedCommands() {
    static std::map<UINT, PostedCommand> s_commands;
    return s_commands;
}

SECMDIFrameWnd* DockingMainFrame() {
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

// The bar that hosts a docked frame.
SECControlBar* HostBar(CFrameWnd* pFrame) {
    return pFrame != NULL ? DYNAMIC_DOWNCAST(SECControlBar, pFrame->GetParent()) : NULL;
}

// Moves and sizes hWnd to the record's place where the record gives one.
void ApplyPlace(HWND hWnd, const SysCommandExRecord& record) {
    const bool bPos = (record.dwFlags & flagPosition) != 0;
    const bool bSize = (record.dwFlags & flagSize) != 0;
    if (hWnd == NULL || (!bPos && !bSize))
        return;
    ::SetWindowPos(hWnd, NULL, record.x, record.y, record.cx, record.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE | (bPos ? 0 : SWP_NOMOVE) |
                       (bSize ? 0 : SWP_NOSIZE));
}

// Holds the main window's painting while a docked frame changes its form.
class UpdateLock {
public:
    explicit UpdateLock(bool bLock) {
        CWnd* pMain = AfxGetMainWnd();
        if (bLock && pMain != NULL && pMain->GetSafeHwnd() != NULL)
            m_bLocked = ::LockWindowUpdate(pMain->m_hWnd) != FALSE;
    }
    ~UpdateLock() {
        if (m_bLocked)
            ::LockWindowUpdate(NULL);
    }

private:
    bool m_bLocked = false;
};

} // namespace

UINT WM_SYSCOMMANDEX_RUN() {
    static const UINT s_nMessage = ::RegisterWindowMessageW(L"MoxDockingCommandRun");
    return s_nMessage;
}

CFrameWnd* ScxMsgFilter::GetFrame() const {
    return DYNAMIC_DOWNCAST(CFrameWnd, m_pOwner);
}

UINT ScxMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == Corvalis::WM_SYSCOMMANDEX())
        return OnSysCommandEx(message, wParam, lParam, pResult);
    return FilterChildren(message, wParam, lParam, pResult);
}

UINT ScxMsgFilter::OnSysCommandEx(UINT, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    // Only a record this thread's own caption extras are sending now: never a pointer from
    // another thread or process, nor a posted one.
    SysCommandExRecord* pRecord = LiveRecord(lParam);
    if (pRecord == NULL)
        return 0;
    switch ((UINT)wParam & 0xFFF0u) {
    case cmdQuery:
        return OnQuery(pRecord, pResult);
    case cmdExecute:
        return Execute(pRecord, pResult);
    case cmdMenu: {
        SysCommandExRecord record = *pRecord;
        const std::weak_ptr<void> life = GetLifeToken();
        record.nState = QueryState(&record);
        const int nChosen = TrackMenu(&record);
        // The menu's loop may have seen the frame go.
        if (!life.expired() && nChosen != 0)
            ExecuteState(nChosen, &record);
        if (pResult != NULL)
            *pResult = nChosen != 0;
        return resultHandled | resultConsumed | resultControl | resultStop;
    }
    default:
        return 0;
    }
}

UINT ScxMsgFilter::OnQuery(SysCommandExRecord* pRecord, LRESULT* pResult) {
    CFrameWnd* pFrame = GetFrame();
    pRecord->nState = GetFrameState(pFrame, FindFrameTemplate(pFrame));
    if (pResult != NULL)
        *pResult = pRecord->nState != stateNone;
    return resultHandled | resultConsumed | resultControl | resultStop;
}

// The change itself destroys the frame whose filters run now: it is posted to the frame and
// runs once they have returned.
UINT ScxMsgFilter::Execute(SysCommandExRecord* pRecord, LRESULT* pResult) {
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || FindFrameTemplate(pFrame) == NULL)
        return 0;
    static UINT s_nNext = 0;
    const UINT nID = ++s_nNext;
    PostedCommand& command = PostedCommands()[nID];
    command.hWnd = pFrame->m_hWnd;
    command.record = *pRecord;
    if (pRecord->pPos != NULL) {
        command.pos = *pRecord->pPos;
        command.record.pPos = &command.pos;
    }
    if (pRecord->pSize != NULL) {
        command.size = *pRecord->pSize;
        command.record.pSize = &command.size;
    }
    const BOOL bPosted = ::PostMessageW(command.hWnd, WM_SYSCOMMANDEX_RUN(), nID, 0);
    if (!bPosted)
        PostedCommands().erase(nID);
    if (pResult != NULL)
        *pResult = bPosted;
    return resultHandled | resultConsumed | resultControl | resultStop;
}

LRESULT RunPostedCommand(SECMsgFilter* pRoot, WPARAM wParam) {
    auto& commands = PostedCommands();
    const auto it = commands.find((UINT)wParam);
    if (it == commands.end())
        return 0;
    PostedCommand command = it->second;
    commands.erase(it);
    // Commands of frames that went before their turn.
    for (auto next = commands.begin(); next != commands.end();)
        next = ::IsWindow(next->second.hWnd) ? std::next(next) : commands.erase(next);
    if (command.record.pPos != NULL)
        command.record.pPos = &command.pos;
    if (command.record.pSize != NULL)
        command.record.pSize = &command.size;
    SECMsgFilter* pFilter = pRoot != NULL ? pRoot->FindFilter(257, NULL, -1) : NULL;
    if (pFilter == NULL || !pFilter->IsKindOf(RUNTIME_CLASS(ScxMsgFilter)))
        return 0;
    // A copy runs the change: the frame's own filters go with the frame.
    std::unique_ptr<SECMsgFilter> pCopy(pFilter->Clone());
    if (pCopy == NULL)
        return 0;
    return static_cast<ScxMsgFilter*>(pCopy.get())->RunCommand(command.hWnd, command.record);
}

BOOL ScxMsgFilter::RunCommand(HWND hWnd, SysCommandExRecord& record) {
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
    SECMultiDocTemplate* pTemplate = FindFrameTemplate(pFrame);
    if (pTemplate == NULL)
        return FALSE;
    const int nCurrent = GetFrameState(pFrame, pTemplate);
    const int nTarget = record.nTarget == stateToggle ? GetToggleTarget(nCurrent) : record.nTarget;
    switch (GetCategory(nTarget == stateNone ? stateNone : nTarget)) {
    case stateMDIChild:
        return ToMDIChild(pFrame, nCurrent, nTarget, pTemplate, &record);
    case stateDocked:
        return ToDocked(pFrame, nCurrent, nTarget, pTemplate, &record);
    case stateFloating:
        return ToFloating(pFrame, nCurrent, nTarget, pTemplate, &record);
    default:
        return FALSE;
    }
}

int ScxMsgFilter::QueryState(SysCommandExRecord* pRecord) {
    SysCommandExRecord query = *pRecord;
    query.nState = stateNone;
    SendSysCommandEx(pRecord->hWnd, cmdQuery, query);
    return query.nState;
}

int ScxMsgFilter::TrackMenu(SysCommandExRecord* pRecord) {
    HMENU hMenu = BuildMenu(GetRecordState(pRecord));
    CFrameWnd* pFrame = GetFrame();
    if (hMenu == NULL || pFrame == NULL || pFrame->GetSafeHwnd() == NULL) {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return 0;
    }
    const int nChosen =
        (int)::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                              pRecord->x, pRecord->y, 0, pFrame->m_hWnd, NULL);
    ::DestroyMenu(hMenu);
    return nChosen;
}

void ScxMsgFilter::ExecuteState(int nState, SysCommandExRecord* pRecord) {
    SysCommandExRecord record = *pRecord;
    record.nTarget = nState;
    SendSysCommandEx(pRecord->hWnd, cmdExecute, record);
}

int ScxMsgFilter::GetFrameState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return stateNone;
    if (pTemplate != NULL && pTemplate->IsDockedFrame(pFrame))
        return StateForDockSide(pTemplate->GetDockSide(pFrame));
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        if (pFrame->IsZoomed())
            return stateMDIChildMaximized;
        return pFrame->IsIconic() ? stateMDIChildMinimized : stateMDIChildRestored;
    }
    return stateNone;
}

SECMultiDocTemplate* ScxMsgFilter::FindFrameTemplate(CFrameWnd* pFrame) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return NULL;
    SECDocTemplateUtils utils;
    CDocTemplate* pTemplate =
        utils.FindTemplate(pFrame->GetActiveDocument(), pFrame, utils.IsDockableFrame(pFrame));
    return DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
}

BOOL ScxMsgFilter::DockFromMDIChild(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate) {
    return pTemplate->ToggleDocking(pFrame);
}

BOOL ScxMsgFilter::DockFromFloating(CFrameWnd* pFrame, SysCommandExRecord*) {
    SECControlBar* pBar = HostBar(pFrame);
    if (pBar == NULL || !pBar->IsFloating() || pBar->m_pDockContext == NULL)
        return FALSE;
    pBar->m_pDockContext->ToggleDocking();
    return !pBar->IsFloating();
}

BOOL ScxMsgFilter::DockMDIChildAt(CFrameWnd* pFrame, UINT nDockBarID, SECDockPos* pPos,
                                  SECDockSize* pSize, SECMultiDocTemplate* pTemplate) {
    return pTemplate->DockMDIChild(pFrame, nDockBarID, pPos, pSize) != NULL;
}

BOOL ScxMsgFilter::ToDocked(CFrameWnd* pFrame, int nCurrent, int nTarget,
                            SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord) {
    const int nFrom = GetCategory(nCurrent);
    const bool bPlaced = (pRecord->dwFlags & (flagPosition | flagSize)) != 0;
    SECDockPos* pPos = (pRecord->dwFlags & flagPosition) ? pRecord->pPos : NULL;
    SECDockSize* pSize = (pRecord->dwFlags & flagSize) ? pRecord->pSize : NULL;
    const bool bGeneric = nTarget == stateNone || nTarget == stateDocked;
    if (bGeneric && !bPlaced) {
        if (nFrom == stateMDIChild)
            return DockFromMDIChild(pFrame, pTemplate);
        if (nFrom == stateFloating)
            return DockFromFloating(pFrame, pRecord);
        return nFrom == stateDocked;
    }
    const UINT nDockBarID = DockBarForState(nTarget);
    if (nFrom == stateMDIChild)
        return DockMDIChildAt(pFrame, nDockBarID, pPos, pSize, pTemplate);
    SECMDIFrameWnd* pMain = DockingMainFrame();
    SECControlBar* pBar = HostBar(pFrame);
    if (pMain == NULL || pBar == NULL || nDockBarID == 0)
        return FALSE;
    const bool bTopLeft = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT;
    SECDockPos pos = bTopLeft ? SECDockPos{1, 0, 3} : SECDockPos{0, 0, 4};
    SECDockSize size;
    if (pPos != NULL)
        pos = *pPos;
    if (pSize != NULL)
        size = *pSize;
    DWORD dwAlign = CBRS_ALIGN_BOTTOM;
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        dwAlign = CBRS_ALIGN_TOP;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        dwAlign = CBRS_ALIGN_LEFT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        dwAlign = CBRS_ALIGN_RIGHT;
        break;
    default:
        break;
    }
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | dwAlign);
    pMain->DockControlBarSized(pBar, &pos, nDockBarID, &size);
    pMain->RecalcLayout(TRUE);
    return TRUE;
}

BOOL ScxMsgFilter::ToMDIChild(CFrameWnd* pFrame, int nCurrent, int nTarget,
                              SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord) {
    if (pFrame->GetActiveView() == NULL)
        return FALSE;
    CFrameWnd* pChild = pFrame;
    if (GetCategory(nCurrent) != stateMDIChild) {
        UpdateLock lock(true);
        pChild = pTemplate->UndockToMDIChild(pFrame);
    }
    // "&MDI Child" and the toggle ask for the form only.
    if (nTarget == stateNone || nTarget == stateMDIChild)
        return pChild != NULL;
    if (pChild == NULL || !pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return FALSE;
    const int nNow = GetFrameState(pChild, pTemplate);
    if (nNow != nTarget)
        pChild->ShowWindow(nTarget == stateMDIChildMinimized   ? SW_SHOWMINIMIZED
                           : nTarget == stateMDIChildMaximized ? SW_SHOWMAXIMIZED
                                                               : SW_SHOWNORMAL);
    if (nTarget != stateMDIChildMaximized)
        ApplyPlace(pChild->m_hWnd, *pRecord);
    if (pChild->IsZoomed()) {
        HWND hClient = ::GetParent(pChild->m_hWnd);
        CRect rect;
        ::GetClientRect(hClient, &rect);
        ::PostMessageW(hClient, WM_SIZE, 0, 0);
        ::PostMessageW(hClient, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    }
    return TRUE;
}

BOOL ScxMsgFilter::ToFloating(CFrameWnd* pFrame, int nCurrent, int nTarget,
                              SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord) {
    const int nFrom = GetCategory(nCurrent);
    if (nFrom == stateDocked || nFrom == stateFloating) {
        SECControlBar* pBar = HostBar(pFrame);
        CFrameWnd* pSite = pBar != NULL ? pBar->m_pDockSite : NULL;
        if (pSite == NULL)
            return FALSE;
        CPoint point(pRecord->x, pRecord->y);
        if (!(pRecord->dwFlags & flagPosition)) {
            CRect rect;
            pBar->GetWindowRect(&rect);
            point = rect.TopLeft();
        }
        if (!pBar->IsFloating())
            pSite->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
        if (!pBar->IsFloating())
            return FALSE;
        if (CWnd* pFloating = pBar->GetParentFrame())
            ApplyPlace(pFloating->m_hWnd, *pRecord);
        return TRUE;
    }
    if (nFrom != stateMDIChild)
        return FALSE;
    // The floating frame takes the place and size of the MDI child it replaces.
    if (pFrame->IsIconic())
        pFrame->ShowWindow(SW_RESTORE);
    CRect rectChild;
    pFrame->GetWindowRect(&rectChild);
    CFrameWnd* pDocked = pTemplate->DockMDIChild(pFrame, 0, NULL, NULL);
    // Docking failed: the frame is still an MDI child, and that is the end of it.
    if (pDocked == NULL || !pTemplate->IsDockedFrame(pDocked))
        return FALSE;
    SysCommandExRecord record = *pRecord;
    if (!(record.dwFlags & flagPosition)) {
        record.x = rectChild.left;
        record.y = rectChild.top;
        record.dwFlags |= flagPosition;
    }
    if (!(record.dwFlags & flagSize)) {
        record.cx = rectChild.Width();
        record.cy = rectChild.Height();
        record.dwFlags |= flagSize;
    }
    return ToFloating(pDocked, GetFrameState(pDocked, pTemplate), nTarget, pTemplate, &record);
}

} // namespace nsSysCommandEx
