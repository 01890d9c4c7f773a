// The main frame's side of the source windows and the file viewer: opening, updating,
// activating and paging them for the host, the column records the host hands over, and blocks
// of their text.
#include "shell/frame/mainframe.h"

#include "shell/app/tarvikapp.h"
#include "shell/frame/window_update.h"
#include "shell/hostlink.h"
#include "windows/common/families.h"
#include "windows/common/file_viewer_list.h"
#include "windows/source/file_doc.h"
#include "windows/source/line_ctrl.h"
#include "windows/source/line_view.h"
#include "windows/source/line_wnd.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_frames.h"
#include "windows/source/src_view.h"

#include <algorithm>
#include <cwchar>

namespace {
constexpr UINT kNoSourceFlag = 0x200;

bool MultiCoreHost() {
    return HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0;
}

// The file name of a path: what follows its last backslash (all of it without one).
LPCTSTR FileNameOf(const CString& path) {
    LPCTSTR p = path;
    LPCTSTR slash = std::wcsrchr(p, L'\\');
    return slash != nullptr ? slash + 1 : p;
}

bool SamePath(const CString& docPath, LPCTSTR lpszPath) {
    if (docPath.CompareNoCase(lpszPath) == 0)
        return true;
    // A path with a drive letter is compared whole; any other also by the bare file name.
    const bool bDrive = lpszPath[0] != 0 && lpszPath[1] == L':';
    return !bDrive && ::_wcsicmp(FileNameOf(docPath), lpszPath) == 0;
}

template <class Match> CTarvikDoc* FindSourceDoc(Match match) {
    CDocTemplate* pTemplate = TarvikApp() != nullptr ? TarvikApp()->SourceTemplate() : nullptr;
    if (pTemplate == nullptr)
        return nullptr;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;) {
        auto* pDoc = DYNAMIC_DOWNCAST(CTarvikDoc, pTemplate->GetNextDoc(pos));
        if (pDoc != nullptr && match(*pDoc))
            return pDoc;
    }
    return nullptr;
}

// Three parents up from the view: the source pane, the splitter, the frame.
CFrameWnd* FrameOfSourceView(CTarvikView* pView) {
    CWnd* pWnd = pView;
    for (int i = 0; i < 3 && pWnd != nullptr; ++i)
        pWnd = pWnd->GetParent();
    return DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
}

int ModelLineCount(CTarvikView* pView) {
    SECEditModel* pModel = pView != nullptr ? pView->GetEditModel() : nullptr;
    return pModel != nullptr ? pModel->GetLineCount() : 0;
}

// Moves past the text's end change nothing: a count is bounded by what the text holds.
int BoundedCount(SECEditModel& model, int count, bool bCharacters) {
    if (count <= 0)
        return 0;
    const int last = model.GetLastLine();
    const int limit = bCharacters
                          ? model.PositionToOffset(last, std::max(0, model.GetLineLength(last))) + 1
                          : model.GetLineCount() + 1;
    return std::min(count, std::max(limit, 1));
}

// One paging action of the host on the view; false when the view is not to be redrawn.
bool PageView(CTarvikView& view, int action, int count) {
    SECEditController* pController = view.GetEditController();
    SECEditModel* pModel = view.GetEditModel();
    if (pController == nullptr || pModel == nullptr)
        return false;
    using Move = SECEditController::Move;
    // Each move may scroll and paint, and a host asked for colours there may close the window.
    const HWND hView = view.GetSafeHwnd();
    auto repeat = [&](Move move, bool bCharacters) {
        for (int i = BoundedCount(*pModel, count, bCharacters); i > 0 && ::IsWindow(hView); --i)
            pController->MoveCaret(move, FALSE);
    };
    switch (action) {
    case 1:
        repeat(SECEditController::movePageUp, false);
        return true;
    case 2:
        repeat(SECEditController::movePageDown, false);
        return true;
    case 3:
        repeat(SECEditController::moveCharRight, true);
        return true;
    case 4:
        repeat(SECEditController::moveCharLeft, true);
        return true;
    case 5:
        pController->MoveCaret(SECEditController::moveDocStart, FALSE);
        return true;
    case 6:
        pController->MoveCaret(SECEditController::moveDocEnd, FALSE);
        return true;
    case 8:
        repeat(SECEditController::moveLineDown, false);
        return true;
    case 9:
        repeat(SECEditController::moveLineUp, false);
        return true;
    case 10:
        view.GotoLine(count, 0, 0, 0, 0);
        return false;
    case 12:
        if (count != 0)
            return false;
        pController->ClearSelection(TRUE);
        view.ClearHighlight();
        return true;
    default:
        return false;
    }
}

// Lines first to last (1-based; both -1: the first line) from column a of the first to
// column b of the last (0 or less: its end), clamped to the text.
bool BlockText(SECEditModel& model, int a, int b, int first, int last, CString& text) {
    const int count = model.GetLineCount();
    if (count <= 0)
        return false;
    if (first == -1 && last == -1) {
        // Only the first line is wanted, so only it is copied; b bounds the text's last line,
        // which is the first only in a text of one line.
        first = 1, last = 1;
        b = count == 1 ? b : 0;
    }
    if (first < 1 || last < first || first > count)
        return false;
    last = std::min(last, count);
    const int lastLength = std::max(0, model.GetLineLength(last - 1));
    const int startColumn = std::min(std::max(a, 0), std::max(0, model.GetLineLength(first - 1)));
    const int endColumn = b > 0 ? std::min(b, lastLength) : lastLength;
    return model.GetText(text, first - 1, startColumn, last - 1, endColumn) != FALSE;
}

// The source view of a frame taken by handle before a call that can paint: a host asked for
// colours there may have closed the window. Null once it is gone.
CTarvikView* LiveSourceView(HWND hFrame) {
    CWnd* pFrame = ::IsWindow(hFrame) ? CWnd::FromHandlePermanent(hFrame) : nullptr;
    return pFrame != nullptr ? SourceFrameView(pFrame) : nullptr;
}

bool HasText(LPCTSTR lpszText) {
    return lpszText != nullptr && *lpszText != 0;
}

// A source window without source: a frame of the source template over an empty document
// that later updates can fill. Null when it cannot be made.
CFrameWnd* OpenNoSourceWindow(CMainFrame& main, const WindowPosition* pPos, CTarvikView*& pView) {
    auto* pDoc = DYNAMIC_DOWNCAST(
        CTarvikDoc, main.OpenFromTemplate(pPos, TarvikApp()->SourceTemplate(), nullptr));
    pView = pDoc != nullptr ? pDoc->GetSourceView() : nullptr;
    CFrameWnd* pFrame = FrameOfSourceView(pView);
    if (pFrame == nullptr)
        return nullptr;
    pDoc->ShowNoSource();
    pFrame->SetActiveView(pView, TRUE);
    return pFrame;
}

// An update without a path keeps the file the view shows.
void SetViewNames(CTarvikView* pView, LPCTSTR lpszName, LPCTSTR lpszPath, int core) {
    if (pView == nullptr)
        return;
    pView->SetModuleName(lpszName != nullptr ? lpszName : L"");
    if (HasText(lpszPath))
        pView->SetFilePath(lpszPath);
    pView->SetCoreId(core);
}
} // namespace

CTarvikDoc* CMainFrame::FindSourceDocByPath(LPCTSTR lpszPath) {
    if (lpszPath == nullptr)
        return nullptr;
    return FindSourceDoc([&](CTarvikDoc& doc) { return SamePath(doc.GetPathName(), lpszPath); });
}

CTarvikDoc* CMainFrame::FindSourceDocByCore(LPCTSTR lpszPath, int nCore) {
    if (lpszPath == nullptr)
        return nullptr;
    if (HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() == 0)
        return FindSourceDocByPath(lpszPath);
    return FindSourceDoc([&](CTarvikDoc& doc) {
        return doc.GetCoreId() == nCore && SamePath(doc.GetPathName(), lpszPath);
    });
}

CFrameWnd* CMainFrame::FindSourceFrame(LPCTSTR lpszPath, int nCore) {
    CTarvikDoc* pDoc = MultiCoreHost() && nCore != -1 ? FindSourceDocByCore(lpszPath, nCore)
                                                      : FindSourceDocByPath(lpszPath);
    return pDoc != nullptr ? FrameOfSourceView(pDoc->GetSourceView()) : nullptr;
}

CWnd* CMainFrame::SourceFrameOfId(int nId) const {
    CWnd* pFrame = FrameOfId(nId);
    return IsSourceFrame(pFrame) ? pFrame : nullptr;
}

int CMainFrame::OpenSourceWindow(LPCTSTR lpszName, LPCTSTR lpszPath, UINT nFlags,
                                 const WindowPosition* pPos, int nCore) {
    CFrameWnd* pFrame = FindSourceFrame(lpszPath, nCore);
    m_nColumnOptions = nFlags;
    if (pPos != nullptr && (GetHostWindowState(pPos) & 0x1))
        m_position = *pPos;
    else
        SetHostWindowStateShown(&m_position);
    CTarvikView* pView = nullptr;
    if (pFrame != nullptr) {
        pFrame->ActivateFrame();
        CTarvikDoc* pDoc = FindSourceDocByCore(lpszPath, nCore);
        pView = pDoc != nullptr ? pDoc->GetSourceView() : nullptr;
    } else if ((nFlags & kNoSourceFlag) == 0) {
        if (lpszPath == nullptr || *lpszPath == 0) {
            m_nColumnOptions = 0;
            return -1;
        }
        auto* pDoc =
            DYNAMIC_DOWNCAST(CTarvikDoc, OpenFromTemplate(pPos != nullptr ? pPos : &m_position,
                                                          TarvikApp()->SourceTemplate(), lpszPath));
        if (pDoc == nullptr)
            return -1;
        pDoc->SetCoreId(nCore);
        pView = pDoc->GetSourceView();
        pFrame = FrameOfSourceView(pView);
        if (pFrame != nullptr)
            pFrame->SetActiveView(pView, TRUE);
    } else {
        pFrame = OpenNoSourceWindow(*this, pPos != nullptr ? pPos : &m_position, pView);
        if (pFrame == nullptr)
            return -1;
        static_cast<CTarvikDoc*>(pView->GetDocument())->SetCoreId(nCore);
    }
    const bool bNoSource = pView != nullptr && pView->GetDocument()->ShowsNoSource();
    SetViewNames(pView, lpszName, bNoSource ? nullptr : lpszPath,
                 pView != nullptr ? pView->GetCoreId() : nCore);
    if (pFrame == nullptr) {
        m_nColumnOptions = 0;
        return -1;
    }
    const int nId = RegisterWindowHandle(pFrame->GetSafeHwnd());
    if (pPos != nullptr && (GetHostWindowState(pPos) & 0x1))
        UpdateWndPos(nId, TRUE, pPos);
    if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame))
        pLines->SetLineCount(ModelLineCount(pView));
    pFrame->SetWindowText(bNoSource ? kNoSourceText : lpszPath != nullptr ? lpszPath : L"");
    m_nColumnOptions = 0;
    return nId;
}

intptr_t CMainFrame::UpdateSourceWindow(int nId, LPCTSTR lpszName, LPCTSTR lpszPath, int nLine,
                                        UINT nFlags, int nStartColumn, int nEndColumn,
                                        int nLineCount, int32_t nTag) {
    if ((WindowUpdateMask() & kUpdateSource) == 0)
        return 0;
    const int core = HostTable() != nullptr ? HostTable()->GetActiveCore() : 0;
    m_nColumnOptions = nFlags;
    CWnd* pFrame = SourceFrameOfId(nId);
    if (nFlags & kNoSourceFlag)
        return ShowNoSource(nId, pFrame, lpszName, core);
    CTarvikView* pView = nullptr;
    intptr_t result = 0;
    if (pFrame != nullptr) {
        if (GetSourceFrameColumnOptions(pFrame) != m_nColumnOptions) {
            if (lpszPath != nullptr && *lpszPath != 0)
                RelayoutSourceFrame(pFrame, lpszPath);
            pView = SourceFrameView(pFrame);
            if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame))
                pLines->SetLineCount(ModelLineCount(pView));
            if ((lpszName == nullptr || *lpszName == 0) &&
                (lpszPath == nullptr || *lpszPath == 0)) {
                if (CSplitter* pSplitter = SourceFrameSplitter(pFrame)) {
                    pSplitter->Invalidate(TRUE);
                    pSplitter->RecalcLayout();
                    pSplitter->UpdateWindow();
                }
                return reinterpret_cast<intptr_t>(pFrame->GetSafeHwnd());
            }
            SetViewNames(pView, lpszName, lpszPath, core);
        } else {
            pView = SourceFrameView(pFrame);
        }
        if (pView != nullptr && static_cast<uint32_t>(nTag) != pView->GetUpdateTag()) {
            if (auto* pDoc = DYNAMIC_DOWNCAST(CTarvikDoc, pView->GetDocument())) {
                // Without a path the window's own file is read again, never nothing.
                const CString path = HasText(lpszPath) ? CString(lpszPath) : pDoc->GetPathName();
                const bool bNoSource = pDoc->ShowsNoSource();
                if (pDoc->ReloadFile(path) && bNoSource)
                    pFrame->SetWindowText(path); // the window has its source now
            }
            if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame))
                pLines->SetLineCount(ModelLineCount(pView));
            SetViewNames(pView, lpszName, lpszPath, core);
        }
        result = nId;
    } else {
        if (lpszPath == nullptr || *lpszPath == 0)
            return 0;
        auto* pMulti = DYNAMIC_DOWNCAST(SECMultiDocTemplate, TarvikApp()->SourceTemplate());
        auto* pDoc =
            pMulti != nullptr
                ? DYNAMIC_DOWNCAST(CTarvikDoc, pMulti->OpenDocumentFileEx(lpszPath, TRUE, FALSE, 0))
                : nullptr;
        if (pDoc == nullptr)
            return 0;
        pDoc->SetCoreId(core);
        pView = pDoc->GetSourceView();
        pFrame = FrameOfSourceView(pView);
        if (pFrame == nullptr)
            return 0;
        result = reinterpret_cast<intptr_t>(pFrame->GetSafeHwnd());
        if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame))
            pLines->SetLineCount(ModelLineCount(pView));
        SetViewNames(pView, lpszName, lpszPath, core);
    }
    // A window without line numbers follows the line and keeps the tag as well: left alone,
    // every later update would load its file again.
    // The column's caret mark leaves its old row here: the column repaints that row and the
    // new one as it scrolls (all of it only when it scrolls), so a step redraws what changed.
    if (pView != nullptr && nLine != 0) {
        const HWND hFrame = pFrame->GetSafeHwnd();
        pView->GotoLine(nLine, nStartColumn, nEndColumn, nLineCount, TRUE);
        pView = LiveSourceView(hFrame);
        CLineWnd* pLines = pView != nullptr ? SourceFrameLineNumbers(pFrame) : nullptr;
        if (pLines != nullptr) {
            pLines->ScrollToLine(nLine);
            // The column's page is shorter than the view's (its bottom strip), so its own
            // middle-third scroll can land elsewhere: the numbers stand beside the view's lines.
            if ((pView = LiveSourceView(hFrame)) != nullptr)
                pView->SyncLineNumbers();
            pView = LiveSourceView(hFrame);
        }
        if (pView != nullptr)
            pView->SetContextTag(static_cast<uint32_t>(nTag));
    }
    return result;
}

intptr_t CMainFrame::ShowNoSource(int nId, CWnd* pFrame, LPCTSTR lpszName, int core) {
    CTarvikView* pView = nullptr;
    intptr_t result = nId;
    if (pFrame != nullptr) {
        pView = SourceFrameView(pFrame);
        if (CTarvikDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr)
            pDoc->ShowNoSource();
    } else {
        pFrame = OpenNoSourceWindow(*this, &m_position, pView);
        if (pFrame == nullptr)
            return 0;
        result = reinterpret_cast<intptr_t>(pFrame->GetSafeHwnd());
    }
    if (pView == nullptr)
        return 0;
    pView->GetDocument()->SetCoreId(core);
    SetViewNames(pView, lpszName, nullptr, core);
    if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame))
        pLines->SetLineCount(ModelLineCount(pView));
    pFrame->SetWindowText(kNoSourceText);
    pView->GetDocument()->UpdateTitle();
    pView->CWnd::Invalidate(FALSE);
    return result;
}

// Any window of the table: the host brings its assembler windows forward this way too.
int CMainFrame::ActivateSourceWindow(int nId) {
    CWnd* pFrame = FrameOfId(nId < 0 ? -nId : nId);
    if (pFrame == nullptr)
        return 0;
    if (HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0)
        return 1;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    if (pActive != nullptr && bMaximized) {
        const HWND hActive = pActive->GetSafeHwnd();
        const HWND hFocus = ::GetFocus();
        const HWND hGrand = hFocus != NULL ? ::GetParent(::GetParent(hFocus)) : NULL;
        pFrame->ShowWindow(SW_MAXIMIZE);
        if (hFocus != NULL && hGrand != hActive && ::IsWindow(hFocus))
            ::SetFocus(hFocus);
    } else {
        pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return 1;
}

int CMainFrame::SetColumnDatas(int nId, UINT nFlags, void* pData, int) {
    CWnd* pFrame = FrameOfId(nId);
    if (pFrame == nullptr)
        return 0;
    if (nFlags & 0x1) {
        if (CTarvikView* pView = SourceFrameView(pFrame)) {
            pView->SetColumnData(static_cast<const SourceLineRecord*>(pData));
            if (pData == nullptr) {
                pView->SetContextTag(0);
                pView->SetModuleName(L"");
            }
        }
    }
    if (nFlags & 0x2) {
        CLineWnd* pLines = SourceFrameLineNumbers(pFrame);
        if (CLineCtrl* pCtrl = pLines != nullptr ? pLines->LineCtrl() : nullptr)
            pCtrl->SetColumnData(pData);
    }
    if (nFlags & 0x4) {
        // The coverage texts are the host's: read again for the new records, drawn at once.
        CLineWnd* pCoverage = SourceFrameCoverage(pFrame);
        if (CLineCtrl* pCtrl = pCoverage != nullptr ? pCoverage->LineCtrl() : nullptr) {
            const HWND hCtrl = pCtrl->GetSafeHwnd();
            pCtrl->SetColumnData(pData);
            pCtrl->LoadHostText();
            if (::IsWindow(hCtrl))
                ::InvalidateRect(hCtrl, nullptr, TRUE);
        }
    }
    if (nFlags & 0x8)
        SetAsmColumnData(pFrame, pData);
    return 1;
}

char* CMainFrame::RequestSourceBlock(int nId, int a, int b, int nFirst, int nLast) {
    CWnd* pFrame = SourceFrameOfId(nId);
    CTarvikView* pView = pFrame != nullptr ? SourceFrameView(pFrame) : nullptr;
    SECEditModel* pModel = pView != nullptr ? pView->GetEditModel() : nullptr;
    CString text;
    if (pModel == nullptr || !BlockText(*pModel, a, b, nFirst, nLast, text) || text.IsEmpty())
        return nullptr;
    char* pBlock = nullptr;
    WideToAnsiHeap(text, &pBlock);
    return pBlock;
}

int CMainFrame::PageWindow(int nId, int nAction, int nCount) {
    CWnd* pFrame = nullptr;
    if (nId == 0) {
        for (CWnd* p = MDIGetActive(); p != nullptr; p = p->GetWindow(GW_HWNDNEXT)) {
            if (IsSourceFrame(p)) {
                pFrame = p;
                break;
            }
        }
    } else {
        pFrame = SourceFrameOfId(nId);
    }
    CTarvikView* pView = pFrame != nullptr ? SourceFrameView(pFrame) : nullptr;
    if (pView == nullptr)
        return 0;
    const HWND hFrame = pFrame->GetSafeHwnd();
    if (!PageView(*pView, nAction, nCount) || (pView = LiveSourceView(hFrame)) == nullptr)
        return 1;
    pView->UpdateWindow();
    if (LiveSourceView(hFrame) == nullptr)
        return 1;
    if (CLineWnd* pLines = SourceFrameLineNumbers(pFrame)) {
        pLines->Invalidate(FALSE);
        pLines->UpdateWindow();
    }
    return 1;
}

int CMainFrame::OpenFileViewer(LPCTSTR lpszPath, int, const WindowPosition* pPos) {
    if (lpszPath == nullptr || *lpszPath == 0)
        return 0;
    if (HWND hFrame = FileViewerList().Find(lpszPath)) {
        ::SetWindowPos(hFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return 1;
    }
    CDocument* pDoc = OpenFromTemplate(pPos != nullptr ? pPos : &m_position,
                                       TarvikApp()->FindTemplateByName(L"File Viewer"), lpszPath);
    if (pDoc == nullptr)
        return 0;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos != NULL ? pDoc->GetNextView(pos) : nullptr;
    CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
    if (pFrame == nullptr)
        return 0;
    FileViewerList().Add(lpszPath, pFrame->GetSafeHwnd());
    pFrame->ShowWindow(SW_SHOW);
    return 1;
}
