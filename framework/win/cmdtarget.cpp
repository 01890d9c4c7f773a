#include "framework/win/cmdtarget.h"

#include "framework/win/winapp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr, nullptr}};
const AFX_MSGMAP kCmdTargetMap = {nullptr, &kNoEntries[0]};

const AFX_MSGMAP* BaseOf(const AFX_MSGMAP* pMap) {
    return pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr;
}

// The one wait-cursor count of the module (one thread runs the library's windows).
int g_nWaitCursorCount = 0;
HCURSOR g_hcurWaitCursorRestore = NULL;

// The application object may take the wait cursor over; without one the count here serves.
void WaitCursor(int nCode) {
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(nCode);
    else
        AfxDoWaitCursor(nCode);
}
} // namespace

void AfxDoWaitCursor(int nCode) {
    if (nCode > 0) {
        if (g_nWaitCursorCount++ == 0) {
            g_hcurWaitCursorRestore = ::SetCursor(::LoadCursorW(NULL, IDC_WAIT));
            return;
        }
    } else if (nCode < 0) {
        if (g_nWaitCursorCount == 0)
            return; // unbalanced: nothing to restore
        if (--g_nWaitCursorCount == 0) {
            ::SetCursor(g_hcurWaitCursorRestore ? g_hcurWaitCursorRestore
                                                : ::LoadCursorW(NULL, IDC_ARROW));
            return;
        }
    }
    if (g_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursorW(NULL, IDC_WAIT));
}

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
    return &kCmdTargetMap;
}
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr; pMap = BaseOf(pMap)) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pnMessage != nullptr) {
                if (*e->pnMessage != 0 && *e->pnMessage == message)
                    return e;
            } else if (e->nMessage == message) {
                return e;
            }
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(UINT nMessage, UINT nCode, UINT nID) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr; pMap = BaseOf(pMap)) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pnMessage == nullptr && e->nMessage == nMessage && e->nCode == nCode &&
                nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

// nCode: a CN_ code or control notification (high word 0, or all ones for
// CN_UPDATE_COMMAND_UI), or MAKELONG(code, message) for notifications and reflected forms.
BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT nMessage = HIWORD((DWORD)nCode);
    const UINT nNotifyCode = LOWORD((DWORD)nCode);
    if (nMessage == 0 || nMessage == 0xFFFF)
        nMessage = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* pEntry = FindCommandEntry(nMessage, nNotifyCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    AFX_DISPATCH dispatch = {nMessage, 0, 0, nID, pExtra, 0};
    return pEntry->pfn(this, dispatch);
}

void CCmdTarget::BeginWaitCursor() {
    WaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
    WaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
    WaitCursor(0);
}
