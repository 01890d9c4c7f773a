#include "windows/common/frame_families.h"

#include "windows/common/families.h"

namespace {
template <class Steps> std::unique_ptr<CFrameFamilySteps> Make() {
    return std::make_unique<Steps>();
}
} // namespace

void CPlacedFrameSteps::After(CFrameWnd* pNew) {
    ApplyPlacementRule(pNew);
    ResendViewIcon(pNew);
}

void CHostWindowSteps::CloseDocked(CFrameWnd* pDocked) {
    if (auto* pFrame = DYNAMIC_DOWNCAST(CDocWndFrm, pDocked))
        pFrame->Close();
    else
        CFrameFamilySteps::CloseDocked(pDocked);
}

const CFrameFamily* FrameFamilies() {
    static const CFrameFamily families[] = {
        {RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CDocChildFrame), &Make<CSourceFamilySteps>},
        {RUNTIME_CLASS(CEvalWnd), RUNTIME_CLASS(CDocEvalWnd), &Make<CEvalFamilySteps>},
        {RUNTIME_CLASS(CWndFrm), RUNTIME_CLASS(CDocWndFrm), &Make<CHostWindowSteps>},
        {RUNTIME_CLASS(CAsmFrame), RUNTIME_CLASS(CDocAsmFrame), &Make<CAsmFamilySteps>},
        {nullptr, nullptr, nullptr},
    };
    return families;
}

const CFrameFamily* FrameFamilyOf(const CWnd* pFrame) {
    if (pFrame == nullptr)
        return nullptr;
    for (const CFrameFamily* p = FrameFamilies(); p->pMDIFrameClass != nullptr; ++p)
        if (pFrame->IsKindOf(p->pMDIFrameClass) || pFrame->IsKindOf(p->pDockedFrameClass))
            return p;
    return nullptr;
}
