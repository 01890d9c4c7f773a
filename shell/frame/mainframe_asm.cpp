// The main frame's side of the assembler windows: opening one for a core, the host's updates
// of the active core's views and line chain, and the redrawing switch of its list.
#include "shell/frame/mainframe.h"

#include "shell/app/tarvikapp.h"
#include "shell/frame/window_update.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/asm/asm_frames.h"
#include "windows/asm/asm_view_map.h"
#include "windows/asm/asm_views.h"
#include "windows/common/asm_frame_table.h"
#include "windows/common/families.h"
#include "windows/list/list_admin.h"
#include "windows/list/list_iface.h"

namespace {
constexpr UINT kCoverageChanged = 0x100;
constexpr uint32_t kFirstVisible = 0x50;

int ActiveCore() {
    return HostTable() != nullptr ? HostTable()->GetActiveCore() : 0;
}

// A single-core host (or one before 3.2) has only core 0, which it may also pass as -1 ("none");
// a multi-core host names its cores.
bool HostReportsCore(int nCore) {
    if (!HostMultiCore())
        return nCore == 0 || nCore == -1;
    if (nCore < 0 || nCore > CAsmFrameTable::kMaxIndex)
        return false;
    char name[16] = {};
    return HostTable()->GetCoreName(name, sizeof name, nCore) != 0 && name[0] != 0;
}

// Enters a newly opened frame in the table under its core; false for a frame of another kind or
// a table that refuses the entry.
bool EnterNewAsmFrame(CFrameWnd* pFrame, int nCore) {
    // The host's stored state may open the window docked.
    if (auto* pAsm = DYNAMIC_DOWNCAST(CAsmFrame, pFrame)) {
        pAsm->SetCoreId(nCore);
        return AsmFrameTable().SetMdiFrame(pAsm, nCore) != FALSE;
    }
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocAsmFrame, pFrame)) {
        pDocked->SetCoreId(nCore);
        return AsmFrameTable().SetDockedFrame(pDocked, nCore) != FALSE;
    }
    return false;
}

// Nothing of a failed open stays: the document goes with its frames and no id names them.
void DropFailedAsmDocument(CDocument* pDoc, CFrameWnd* pFrame) {
    if (pFrame != nullptr) {
        AsmFrameTable().ClearFrame(pFrame->GetSafeHwnd());
        WindowIdList().Remove(pFrame->GetSafeHwnd());
    }
    if (pDoc != nullptr)
        pDoc->OnCloseDocument();
}
} // namespace

CWnd* CMainFrame::AsmFrameOfId(int nId) const {
    CWnd* pFrame = FrameOfId(nId);
    return IsAsmFrame(pFrame) ? pFrame : nullptr;
}

int CMainFrame::OpenAsmWindow(UINT nFlags, const WindowPosition* pPos, int nCore) {
    if (!HostReportsCore(nCore))
        return -1;
    if (!HostMultiCore())
        nCore = 0;
    if (pPos != nullptr)
        m_position = *pPos;
    m_nColumnOptions = nFlags;
    CFrameWnd* pFrame = AsmFrameTable().GetFrame(nCore);
    if (pFrame != nullptr) {
        pFrame->ActivateFrame();
    } else {
        CDocument* pDoc = OpenFromTemplate(pPos != nullptr ? pPos : &m_position,
                                           TarvikApp()->FindTemplateByName(L"Asm"), nullptr);
        POSITION pos = pDoc != nullptr ? pDoc->GetFirstViewPosition() : NULL;
        CView* pView = pos != NULL ? pDoc->GetNextView(pos) : nullptr;
        pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
        if (!EnterNewAsmFrame(pFrame, nCore)) {
            DropFailedAsmDocument(pDoc, pFrame);
            m_nColumnOptions = 0;
            return -1;
        }
    }
    m_nColumnOptions = 0;
    return RegisterWindowHandle(pFrame->GetSafeHwnd());
}

int CMainFrame::UpdateAsmWindow(int nId, int nLine, UINT nFlags) {
    CWnd* pFrame = AsmFrameOfId(nId);
    if ((WindowUpdateMask() & kUpdateAssembler) == 0)
        return nId;
    const int core = ActiveCore();
    CAsmSourceView* pSource = AsmViewMap().GetSourceView(core);
    if ((nFlags & kCoverageChanged) && (nFlags & kCoverageColumn)) {
        if (pSource == nullptr)
            return 1;
        int first = 0;
        ListWindowTable()->QueryItem(static_cast<int>(pSource->ListId()), kFirstVisible, nullptr,
                                     &first);
        pSource->FillLines(false);
        pSource->ScrollToLine(first);
        return 1;
    }
    m_nColumnOptions = nFlags & ~kCoverageChanged;
    if (pFrame != nullptr && GetAsmFrameColumnOptions(pFrame) != m_nColumnOptions)
        ApplyAsmFrameColumnOptions(pFrame, m_nColumnOptions);
    if (pSource != nullptr)
        pSource->ShowLine(nLine);
    // Rows the address view painted while updates were held back lack their colours; the rows
    // whose look changed since were repainted as they changed, and the mark's rows as it moved.
    CAsmAddrView* pAddr = AsmViewMap().GetAddrView(core);
    if (pAddr != nullptr && TakeAsmColoursMissed())
        ::RedrawWindow(pAddr->GetSafeHwnd(), nullptr, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_nColumnOptions = 0;
    return nId;
}

void CMainFrame::SetAsmColumnData(CWnd* pFrame, void* pData) {
    CAsmSourceView* pSource = AsmViewMap().GetSourceView(ActiveCore());
    if (pSource == nullptr)
        return;
    pSource->SetLines(static_cast<const AsmLineRecord*>(pData));
    if (pData != nullptr)
        pSource->FillLines(true);
    CWnd* pViewFrame =
        pSource->GetParent() != nullptr ? pSource->GetParent()->GetParent() : nullptr;
    if (pViewFrame != nullptr && pViewFrame->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd))) {
        if (auto* p = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
            p->RecalcLayout(TRUE);
    } else if (pViewFrame != nullptr) {
        pViewFrame->Invalidate(TRUE);
    }
}

void CMainFrame::EnableWindowUpdate(BOOL bOn) {
    if (HostTable() == nullptr)
        return;
    CAsmSourceView* pSource = AsmViewMap().GetSourceView(HostTable()->GetActiveCore());
    if (pSource != nullptr && pSource->ListId() != 0)
        if (CListAdmin* admin = ListAdmin())
            admin->EnableRedraw(pSource->ListId(), bOn, CListAdmin::kHostUpdates);
}
