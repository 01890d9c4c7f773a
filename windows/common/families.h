// The window families the document templates open: their documents, frames (MDI and docked)
// and views. The host-window family works now; the others stand on their bases until their
// windows come.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/doc_template.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/asm/asm_frames.h"
#include "windows/asm/asm_views.h"
#include "windows/common/docview.h"
#include "windows/common/host_frames.h"
#include "windows/common/multidoc.h"
#include "windows/eval/eval_frames.h"
#include "windows/source/file_doc.h"
#include "windows/source/file_view.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_frames.h"
#include "windows/source/src_view.h"

// Frame kinds: a source frame or an assembler frame in either form, and the assembler frame's
// core id through the twin it is (-1 for any other frame).
bool IsSourceFrame(const CWnd* pFrame);
bool IsAsmFrame(const CWnd* pFrame);
int AsmFrameCoreId(const CWnd* pFrame);
