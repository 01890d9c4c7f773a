#include "windows/common/families.h"

#include "shell/hostlink.h"

bool IsSourceFrame(const CWnd* pFrame) {
    return pFrame != nullptr && (pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)) ||
                                 pFrame->IsKindOf(RUNTIME_CLASS(CDocChildFrame)));
}

bool IsAsmFrame(const CWnd* pFrame) {
    return pFrame != nullptr && (pFrame->IsKindOf(RUNTIME_CLASS(CAsmFrame)) ||
                                 pFrame->IsKindOf(RUNTIME_CLASS(CDocAsmFrame)));
}

int AsmFrameCoreId(const CWnd* pFrame) {
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CAsmFrame)))
        return static_cast<const CAsmFrame*>(pFrame)->GetCoreId();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CDocAsmFrame)))
        return static_cast<const CDocAsmFrame*>(pFrame)->GetCoreId();
    return -1;
}
