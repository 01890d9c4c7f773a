// The window families by frame class: each family's MDI frame, its docked twin and the steps it
// runs when one of its frames changes form. The families whose windows do not stand yet run the
// common steps only; their windows fill their entry.
#pragma once

#include <memory>

#include "framework/afx.h"
#include "windows/common/multidoc.h"

struct CFrameFamily {
    CRuntimeClass* pMDIFrameClass;
    CRuntimeClass* pDockedFrameClass;
    std::unique_ptr<CFrameFamilySteps> (*MakeSteps)();
};

// The families in the order they are asked; null-terminated by a null MDI class.
const CFrameFamily* FrameFamilies();
// The family the frame belongs to (its class or a class derived from it), or null.
const CFrameFamily* FrameFamilyOf(const CWnd* pFrame);

// The steps of the families whose new frame takes its placement and its icon again
// (evaluation, host-window and assembler families).
class CPlacedFrameSteps : public CFrameFamilySteps {
public:
    void After(CFrameWnd* pNew) override;
};

// The host-window family (host windows and the file viewer); a docked frame closes through the
// docking frame's own close.
class CHostWindowSteps : public CPlacedFrameSteps {
public:
    void CloseDocked(CFrameWnd* pDocked) override;
};
