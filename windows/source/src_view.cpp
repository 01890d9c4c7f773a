#include "windows/source/src_view.h"

#include "editor/edit_model.h"
#include "shell/frame/mainframe.h"
#include "shell/host_text.h"
#include "shell/hostlink.h"
#include "toolbars/tooltip_ctrl.h"
#include "windows/common/host_keys.h"
#include "windows/source/core_switch.h"
#include "windows/source/line_ctrl.h"
#include "windows/source/line_view.h"
#include "windows/source/line_wnd.h"
#include "windows/source/splitter.h"
#include "windows/source/src_commands.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_doc.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNCREATE(CTarvikView, SECEditView)

BEGIN_MESSAGE_MAP(CTarvikView, SECEditView)
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_KEYDOWN()
SOURCE_VIEW_COMMAND_ENTRIES()
END_MESSAGE_MAP()

namespace {
CTarvikView* g_currentLineView = nullptr;

constexpr int kColumnSentinel = 1023;
constexpr int kLineCountSentinel = 63;
const char kSourceWindowKind[] = "SrcWnd";

void Trace(const wchar_t* format, int a, int b = 0) {
    CString text;
    text.Format(format, a, b);
    ::OutputDebugStringW(text);
}

int ModelLineLength(void* context, int line) {
    auto* model = static_cast<SECEditModel*>(context);
    if (line < 0 || line >= model->GetLineCount())
        return 0;
    return model->GetLineTextLength(line);
}
} // namespace

const SourceLineRecord* FindSourceLine(const SourceLineRecord* head, int line) {
    for (int n = 0; head != nullptr && n < kMaxSourceLineRecords; head = head->next, ++n)
        if (head->line == line)
            return head;
    return nullptr;
}

CTarvikView* CurrentLineView() {
    return g_currentLineView;
}

void FormatCodeAddress(CString& out, LPCTSTR file, int line, int column, int context) {
    const wchar_t* name = file ? file : L"";
    const bool withColumn = column >= 1;
    if (HostVersionAtLeast(3, 9)) {
        const char* host = HostTable()->GetContextName(context);
        wchar_t* wide = nullptr;
        if (host != nullptr)
            AnsiToWideHeap(host, &wide);
        const wchar_t* contextName = wide ? wide : L".";
        if (withColumn)
            out.Format(L"C(& {\"%s\"}\"%s\"\\@LINE %d:%d)", contextName, name, line, column);
        else
            out.Format(L"C(& {\"%s\"}\"%s\"\\@LINE %d)", contextName, name, line);
        if (wide)
            ::HeapFree(::GetProcessHeap(), 0, wide);
    } else if (HostVersionAtLeast(3, 7)) {
        if (withColumn)
            out.Format(L"C(& \"%s\"\\@LINE %d:%d)", name, line, column);
        else
            out.Format(L"C(& \"%s\"\\@LINE %d)", name, line);
    } else if (withColumn) {
        out.Format(L"C(& %s\\@LINE %d:%d)", name, line, column);
    } else {
        out.Format(L"C(& %s\\@LINE %d)", name, line);
    }
}

GotoLinePlan PlanGotoLine(const GotoLineRequest& r, int lineTotal,
                          int (*lineLength)(void* context, int line), void* context) {
    GotoLinePlan plan;
    plan.trivial = r.startColumn == 0 && r.endColumn == 0 && r.lineCount == 0 && r.line <= 1;
    int line = r.line > 0 ? r.line - 1 : 0;
    if (line >= lineTotal) {
        plan.illegalLine = true;
        // An empty model still shows its first line, never line -1.
        line = std::max(0, lineTotal - 1);
    }
    plan.line = line;
    int start = r.startColumn;
    if (start == kColumnSentinel) {
        plan.illegalStart = true;
        start = 0;
    } else if (start > 0) {
        start -= 1;
    } else {
        start = 0;
    }
    plan.startColumn = start;
    plan.illegalCount = r.lineCount == kLineCountSentinel;
    if (r.highlight) {
        plan.setEndLine = true;
        if (r.lineCount == kLineCountSentinel || r.lineCount == 0)
            plan.endLine = line;
        else
            plan.endLine = std::min(line + std::max(0, r.lineCount), std::max(0, lineTotal - 1));
    }
    // The end column of "to the end of the line" is that of the highlight's last line.
    const int lastLine = plan.setEndLine ? plan.endLine : line;
    int end = r.endColumn;
    if (end == kColumnSentinel || end == 0)
        end = lineLength ? lineLength(context, lastLine) : 0;
    else if (end > 0)
        end -= 1;
    else
        end = 0;
    plan.endColumn = end;
    return plan;
}

bool SourceHighlight::Contains(int runLine, int column, int count) const {
    const bool startsInside = runLine > line || (runLine == line && column >= startColumn);
    const bool endsInside =
        runLine < endLine || (runLine == endLine && column + count <= endColumn);
    return startsInside && endsInside;
}

RunColours PickRunColours(bool inHighlight, bool hostAsked, uint32_t hostColour,
                          COLORREF textColour) {
    RunColours colours;
    if (inHighlight)
        colours.back = kSourceHighlightColour;
    else if (hostAsked && (hostColour >> 24) == 0)
        colours.back = hostColour;
    if (colours.back == CLR_INVALID)
        return colours;
    const uint32_t difference = uint32_t(colours.back) - uint32_t(textColour);
    const int sum =
        int(difference & 0xFF) + int((difference >> 8) & 0xFF) + int((difference >> 16) & 0xFF);
    if (sum < 200)
        colours.text = 0;
    return colours;
}

CTarvikView::CTarvikView() = default;

CTarvikView::~CTarvikView() {
    if (g_currentLineView == this)
        g_currentLineView = nullptr;
}

CTarvikDoc* CTarvikView::GetDocument() const {
    return DYNAMIC_DOWNCAST(CTarvikDoc, m_pDocument);
}

SECEditModel* CTarvikView::CreateModel() {
    CTarvikDoc* doc = GetDocument();
    return doc ? &doc->GetModel() : nullptr;
}

BOOL CTarvikView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!SECEditView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                             pContext))
        return FALSE;
    // The host knows the window's drags and drops by this id.
    SetWindowId(static_cast<int>(nID));
    RegisterDragDrop();
    return TRUE;
}

void CTarvikView::RegisterDragDrop() {
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_dragDropRegistered)
        return;
    // The editor's own drop target serves the window: it hands every drag event to the hooks
    // below. A second target on the same window could never be registered.
    service->RegisterDropTarget(kSourceWindowKind, m_windowId);
    service->RegisterDragSource(kSourceWindowKind, m_windowId);
    m_dragDropRegistered = true;
}

void CTarvikView::UnregisterDragDrop() {
    IDragDrop* service = DragDropService();
    if (!m_dragDropRegistered || service == nullptr)
        return;
    service->UnregisterDropTarget(kSourceWindowKind, m_windowId);
    service->UnregisterDragSource(kSourceWindowKind, m_windowId);
    m_dragDropRegistered = false;
}

COXToolTipCtrl* CTarvikView::PaneToolTip() const {
    auto* pane = DYNAMIC_DOWNCAST(CLineView, GetParent());
    return pane ? pane->ToolTip().GetToolTip() : nullptr;
}

BOOL CTarvikView::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONDBLCLK)
        if (COXToolTipCtrl* tip = PaneToolTip())
            tip->RelayEvent(pMsg);
    return SECEditView::PreTranslateMessage(pMsg);
}

LRESULT CTarvikView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (!m_tipRegistered)
            if (COXToolTipCtrl* tip = PaneToolTip()) {
                tip->DelTool(this, 0);
                tip->AddTool(this, LPSTR_TEXTCALLBACKW, nullptr, 0);
                m_tipRegistered = TRUE;
            }
        break;
    default:
        break;
    }
    return SECEditView::WindowProc(message, wParam, lParam);
}

void CTarvikView::PostNcDestroy() {
    delete this;
}

DROPEFFECT SourceDragEnter(int windowId, const char* target, DWORD keyState) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService())
        service->DragEnter(kSourceWindowKind, windowId, target, keyState, &effect);
    return effect;
}

DROPEFFECT SourceDragOver(int windowId, const char* target, DWORD keyState) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService())
        service->DragOver(kSourceWindowKind, windowId, target, keyState, &effect);
    return effect;
}

void SourceDragLeave(int windowId) {
    if (IDragDrop* service = DragDropService())
        service->DragLeave(kSourceWindowKind, windowId);
}

BOOL SourceDrop(int windowId, const char* target) {
    IDragDrop* service = DragDropService();
    return service ? service->Drop(kSourceWindowKind, windowId, target) : 0;
}

DROPEFFECT CTarvikView::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint) {
    return SourceDragEnter(m_windowId, kSourceWindowKind, dwKeyState);
}

DROPEFFECT CTarvikView::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint) {
    return SourceDragOver(m_windowId, kSourceWindowKind, dwKeyState);
}

void CTarvikView::OnDragLeave() {
    SourceDragLeave(m_windowId);
}

BOOL CTarvikView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    return SourceDrop(m_windowId, kSourceWindowKind);
}

void CTarvikView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView) {
    SECEditView::OnEndPrintPreview(pDC, pInfo, point, pView);
    CMainFrame::s_bPreviewSavedLayout = FALSE;
}

int CTarvikView::GetDragData(const SourceLineRecord* record, const char* selected) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || record == nullptr)
        return 1;
    void* drag = nullptr;
    service->BeginRecord(kDragRecordSourceView, &drag);
    int index = 0;
    service->AddInteger(drag, index++, "ID", record->line);
    service->AddInteger(drag, index++, "LINE", record->line);
    if (HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0 && m_coreId != -1)
        service->AddInteger(drag, index++, "COREID", m_coreId);
    HostText module(m_moduleName);
    const char* moduleText = module.get() ? module.get() : "";
    service->AddString(drag, index++, "MODULE", moduleText);
    // As long as the module's name is: a full path is no reason to cut the address.
    const std::string address =
        std::string("C(& ") + moduleText + "\\@LINE " + std::to_string(record->line) + ")";
    service->AddString(drag, index++, "ADDRESS", address.c_str());
    service->AddString(drag, index++, "LANGUAGE", "C++");
    int result;
    if (selected == nullptr) {
        result = service->StartDrag(kSourceWindowKind, m_windowId, "SrcWndLine", drag);
    } else {
        service->AddString(drag, index++, "NAME", selected);
        service->AddString(drag, index++, "SELECTED_TEXT", selected);
        result = service->StartDrag(kSourceWindowKind, m_windowId, "SrcWndSymbol", drag);
    }
    service->EndRecord(kDragRecordSourceView, drag);
    return result;
}

BOOL CTarvikView::UsesController() {
    if (GetController() == nullptr) {
        auto controller = std::make_unique<CEditController>(CEditController::kindSource, this);
        m_controller = controller.get();
        SetController(controller.release(), TRUE);
    }
    return GetController() != nullptr;
}

void CTarvikView::ClearHighlight() {
    m_highlight.Clear();
    if (!::IsWindow(m_hWnd))
        return;
    CWnd::Invalidate(FALSE);
    if (CWnd* numbers = GetLineNumberWindow())
        numbers->CWnd::Invalidate(FALSE);
}

CWnd* CTarvikView::GetLineNumberWindow() const {
    // The view sits in its pane, the pane in the frame's splitter.
    CWnd* pane = GetParent();
    auto* splitter = pane ? DYNAMIC_DOWNCAST(CSplitter, pane->GetParent()) : nullptr;
    auto* column = splitter ? DYNAMIC_DOWNCAST(CLineWnd, splitter->GetLineNumberPane()) : nullptr;
    return column ? column->LineCtrl() : nullptr;
}

void CTarvikView::SyncLineNumbers() {
    CWnd* numbers = GetLineNumberWindow();
    auto* viewport = dynamic_cast<SECEditViewport*>(numbers);
    if (viewport == nullptr)
        return;
    const CPoint before = viewport->GetLogOrigin();
    viewport->SECEditViewport::SetLogOrigin(before.x, GetLogOrigin().y);
    // Numbers that stand where they stood need no repaint: a step redraws its own two rows.
    if (viewport->GetLogOrigin() != before)
        numbers->CWnd::Invalidate(FALSE);
}

void CTarvikView::DrawLineMarks(int line, CDC* dc, int left, int top, int right, int bottom) {
    const SourceLineRecord* record = FindLineRecord(line + 1);
    if (record != nullptr) {
        const uint32_t flags = record->flags;
        if (flags & kLineCode) {
            const int diameter = std::max(1, bottom - top - 8);
            const int y = top + (bottom - top - diameter) / 2;
            const COLORREF fill = (flags & kLineStatements) ? 0xFF9696 : 0xFF0000;
            HBRUSH brush = ::CreateSolidBrush(fill);
            HGDIOBJ oldBrush = ::SelectObject(dc->m_hDC, brush);
            HGDIOBJ oldPen = ::SelectObject(dc->m_hDC, ::GetStockObject(BLACK_PEN));
            ::Ellipse(dc->m_hDC, left + 5, y, left + 5 + diameter, y + diameter);
            ::SelectObject(dc->m_hDC, oldPen);
            ::SelectObject(dc->m_hDC, oldBrush);
            ::DeleteObject(brush);
        }
        if (flags & kLineBreakpoint) {
            CMainFrame* frame = MainFrame();
            CBitmap* bitmap =
                frame ? frame->BreakpointBitmap((flags & kLineStatements) ? 1 : 0) : nullptr;
            if (bitmap == nullptr || bitmap->m_hObject == NULL)
                return;
            BITMAP info = {};
            ::GetObjectW(bitmap->m_hObject, sizeof info, &info);
            HDC memory = ::CreateCompatibleDC(dc->m_hDC);
            HGDIOBJ old = ::SelectObject(memory, bitmap->m_hObject);
            ::BitBlt(dc->m_hDC, left, top, std::min<int>(info.bmWidth, right - left),
                     std::min<int>(info.bmHeight, bottom - top), memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        }
        if (flags & kLineCurrent) {
            CTarvikView* other = g_currentLineView;
            if (other != nullptr && other != this && other->m_coreId == m_coreId)
                other->ClearHighlight();
            g_currentLineView = this;
        }
    }
    // The title follows the view's module, core and path; setting it only when it changes
    // keeps painting from rewriting the frame's caption line by line.
    if (CTarvikDoc* doc = GetDocument()) {
        if (!m_titleSet || m_titleCore != m_coreId || m_titleModule != m_moduleName ||
            m_titlePath != m_filePath) {
            m_titleSet = true;
            m_titleCore = m_coreId;
            m_titleModule = m_moduleName;
            m_titlePath = m_filePath;
            doc->UpdateTitle();
        }
    }
}

RunColours CTarvikView::RunColoursOf(int line, int column, int count, bool blanksOnly,
                                     COLORREF textColour) {
    const bool inside = m_highlight.Contains(line, column, count);
    bool asked = false;
    uint32_t host = 0;
    if (!inside && (!blanksOnly || m_contextTag != 0) && HostTable() != nullptr) {
        host = HostTable()->GetSourceColor(line + 1, column + 1, int(m_contextTag));
        asked = true;
    }
    return PickRunColours(inside, asked, host, textColour);
}

namespace {
void ApplyRunColours(CDC* dc, const RunColours& colours) {
    if (colours.back != CLR_INVALID)
        dc->SetBkColor(colours.back);
    if (colours.text != CLR_INVALID)
        dc->SetTextColor(colours.text);
}
} // namespace

CSize CTarvikView::DrawTextSegment(CDC* dc, int tabWidth, int x, int y, int textLeft,
                                   const wchar_t* text, int count, int column, int line,
                                   SECEditColorGroup* colours, BOOL selected) {
    if (selected)
        return SECEditView::DrawTextSegment(dc, tabWidth, x, y, textLeft, text, count, column, line,
                                            colours, selected);
    int blanks = 0;
    bool tabs = false;
    while (blanks < count && (text[blanks] == L' ' || text[blanks] == L'\t'))
        tabs |= text[blanks++] == L'\t';
    if (blanks == 0) {
        ApplyRunColours(dc, RunColoursOf(line, column, count, false, dc->GetTextColor()));
        return SECEditView::DrawTextSegment(dc, tabWidth, x, y, textLeft, text, count, column, line,
                                            colours, selected);
    }
    const RunColours lead = RunColoursOf(line, column, blanks, true, dc->GetTextColor());
    ApplyRunColours(dc, lead);
    if (blanks < count) {
        // Leading spaces on the background of the rest are drawn with the rest: the same pixels
        // from one text call instead of three.
        const RunColours rest =
            RunColoursOf(line, column + blanks, count - blanks, false, dc->GetTextColor());
        const COLORREF leadBack = dc->GetBkColor();
        const COLORREF restBack = rest.back != CLR_INVALID ? rest.back : leadBack;
        if (!tabs && restBack == leadBack) {
            ApplyRunColours(dc, rest);
            return SECEditView::DrawTextSegment(dc, tabWidth, x, y, textLeft, text, count, column,
                                                line, colours, selected);
        }
        return DrawBlanksThenRest(dc, tabWidth, x, y, textLeft, text, count, blanks, column, line,
                                  colours, &rest);
    }
    return DrawBlanksThenRest(dc, tabWidth, x, y, textLeft, text, count, blanks, column, line,
                              colours, nullptr);
}

CSize CTarvikView::DrawBlanksThenRest(CDC* dc, int tabWidth, int x, int y, int textLeft,
                                      const wchar_t* text, int count, int blanks, int column,
                                      int line, SECEditColorGroup* colours,
                                      const RunColours* rest) {
    const DWORD extent = ::GetTabbedTextExtentW(dc->m_hDC, text, blanks, 1, &tabWidth);
    const CSize blankExtent(LOWORD(extent), HIWORD(extent));
    const int height = GetLineHeight();
    CRect rect(textLeft + x, y, textLeft + x + blankExtent.cx, y + height);
    dc->FillSolidRect(&rect, dc->GetBkColor());
    ::TabbedTextOutW(dc->m_hDC, textLeft + x, y, text, blanks, 1, &tabWidth, textLeft);
    if (rest == nullptr)
        return blankExtent;
    ApplyRunColours(dc, *rest);
    CSize drawn =
        SECEditView::DrawTextSegment(dc, tabWidth, x + blankExtent.cx, y, textLeft, text + blanks,
                                     count - blanks, column + blanks, line, colours, FALSE);
    drawn.cx += blankExtent.cx;
    return drawn;
}

CPoint CTarvikView::SetLogOrigin(int x, int y) {
    const CPoint old = SECEditView::SetLogOrigin(x, y);
    // The origin the view settled on (the editor rounds it to whole lines).
    SyncLineNumbers();
    return old;
}

void CTarvikView::GotoLine(int line, int startColumn, int endColumn, int lineCount,
                           BOOL highlight) {
    CSourceCoreSwitch coreSwitch(*this);
    SECEditModel* model = dynamic_cast<SECEditModel*>(GetModel());
    if (model == nullptr || m_controller == nullptr)
        return;
    GotoLineRequest request;
    request.line = line;
    request.startColumn = startColumn;
    request.endColumn = endColumn;
    request.lineCount = lineCount;
    request.highlight = highlight;
    const int total = model->GetLineCount();
    const GotoLinePlan plan = PlanGotoLine(request, total, &ModelLineLength, model);
    if (plan.illegalLine)
        Trace(L"Illegal line %d (max line in file %d)\n", line > 0 ? line - 1 : 0, total);
    const int lineHeight = GetLineHeight();
    CRect client;
    GetClientRect(&client);
    const int perPage = lineHeight > 0 ? client.Height() / lineHeight : 0;
    const CPoint origin = GetLogOrigin();
    const SourceHighlight previous = m_highlight;
    // Showing the line may paint, and a host asked for colours there may close the window.
    const HWND self = m_hWnd;
    m_controller->ShowLine(plan.line, perPage);
    if (self != NULL && CWnd::FromHandlePermanent(self) != this)
        return;
    if (plan.illegalStart)
        Trace(L"Illegal start column %d\n", kColumnSentinel);
    if (plan.illegalCount)
        Trace(L"Illegal line count %d\n", kLineCountSentinel);
    if (highlight && !plan.trivial) {
        m_highlight.line = plan.line;
        m_highlight.endLine = plan.endLine;
        m_highlight.startColumn = plan.startColumn;
        m_highlight.endColumn = plan.endColumn;
    }
    // A step that leaves the page where it is changes only the lines the highlight left and
    // the lines it reached (the host's colours of the current line move with it); repainting
    // the page would ask the host for the colours of every run on it.
    if (GetLogOrigin() != origin) {
        CWnd::Invalidate(FALSE);
        return;
    }
    InvalidateLines(previous.line, previous.endLine);
    InvalidateLines(m_highlight.line, m_highlight.endLine);
}

BOOL CTarvikView::GetTipText(int requestKind, CPoint point, CString& text) {
    text.Empty();
    if (m_controller == nullptr)
        return FALSE;
    SECEditPosition position;
    m_controller->PositionFromPoint(position, point, 0);
    if (m_controller->HasSelection() && m_controller->IsInSelection(position)) {
        m_tipExpression = m_controller->GetSelectedText();
    } else {
        int start = 0, end = 0;
        m_tipExpression.Empty();
        m_controller->GetWordAt(m_tipExpression, position.m_line, position.m_column, start, end);
    }
    if (m_tipExpression.IsEmpty() || HostTable() == nullptr)
        return FALSE;
    HostText expression(m_tipExpression);
    m_tipExpression.Empty();
    if (expression.get() == nullptr)
        return FALSE;
    const char* answer = nullptr;
    int mode = requestKind == 1 ? 2 : 0;
    if (HostTable()->EvaluateForTooltip(expression.get(), &answer, &mode) == 0 || answer == nullptr)
        return FALSE;
    // The answer is the host's: copied at once, never freed here.
    m_tipText = CString(answer);
    text = m_tipText;
    return TRUE;
}

void CTarvikView::OnSetFocus(CWnd* pOldWnd) {
    SECEditView::OnSetFocus(pOldWnd);
}

void CTarvikView::OnDestroy() {
    SECEditView::OnDestroy();
    UnregisterDragDrop();
    if (g_currentLineView == this)
        g_currentLineView = nullptr;
}

void CTarvikView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsFunctionKey(nChar))
        return; // the controller handed it to the host
    SECEditView::OnKeyDown(nChar, nRepCnt, nFlags);
}
