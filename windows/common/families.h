// The window families the document templates open: their documents, frames (MDI and docked)
// and views. The host-window family works now; the others stand on their bases until their
// windows come.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/doc_template.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/common/docview.h"
#include "windows/common/host_frames.h"
#include "windows/common/multidoc.h"
#include "windows/eval/eval_frames.h"
#include "windows/source/file_doc.h"
#include "windows/source/file_view.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_frames.h"
#include "windows/source/src_view.h"

// The assembler family.
class CAsmFrame : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CAsmFrame)
public:
    // The core the window shows: 0 unless the host is 3.2 or later and reports several cores.
    void SetCoreId(int nCoreId);
    int GetCoreId() const { return m_nCoreId; }

private:
    int m_nCoreId = 0;
};
class CDocAsmFrame : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocAsmFrame)
public:
    void SetCoreId(int nCoreId) { m_nCoreId = nCoreId; }
    int GetCoreId() const { return m_nCoreId; }

private:
    int m_nCoreId = 0;
};

// Frame kinds: a source frame or an assembler frame in either form, and the assembler frame's
// core id through the twin it is (-1 for any other frame).
bool IsSourceFrame(const CWnd* pFrame);
bool IsAsmFrame(const CWnd* pFrame);
int AsmFrameCoreId(const CWnd* pFrame);
class CAsmSourceView : public CDocView {
    DECLARE_DYNCREATE(CAsmSourceView)
};
