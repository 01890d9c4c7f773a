// The source view's context commands: each turns the caret line or the selection into the
// request of its row, on the view's core.
#include "windows/source/src_commands.h"

#include "editor/edit_commands.h"
#include "editor/edit_model.h"
#include "shell/frame/mainframe.h"
#include "shell/host_text.h"
#include "shell/hostlink.h"
#include "windows/source/core_switch.h"
#include "windows/source/set_val_dlg.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_coverage.h"
#include "windows/source/src_menu.h"
#include "windows/source/src_view.h"

namespace {

SECEditPosition CaretOf(const CTarvikView& view) {
    CEditController* controller = view.GetSourceController();
    return controller ? controller->GetCaretPosition() : SECEditPosition();
}

CString SelectionOf(const CTarvikView& view) {
    CEditController* controller = view.GetSourceController();
    return controller && controller->HasSelection() ? controller->GetSelectedText() : CString();
}

// The text of a model line, empty past the model's end.
CString LineTextOf(CEditController& controller, int line) {
    SECEditModel* model = controller.GetEditModel();
    if (!model || line < 0 || line >= model->GetLineCount())
        return CString();
    CString buffer;
    const wchar_t* text = nullptr;
    int length = model->GetLinePointer(line, buffer, text);
    return length > 0 && text ? CString(text, length) : CString();
}

// "C(%s\@LINE %d:%d)" of the caret: the position that the coverage blocks are asked for.
CString CoveragePosition(const CTarvikView& view) {
    SECEditPosition caret = CaretOf(view);
    CString position;
    position.Format(L"C(%s\\@LINE %d:%d)", view.GetModuleName().GetString(), caret.m_line + 1,
                    caret.m_column + 1);
    return position;
}

} // namespace

void BuildSourceContextMenu(CMenu* popup, CTarvikView* view) {
    CEditController* source = view ? view->GetSourceController() : nullptr;
    if (!popup || !source)
        return;
    CEditController& controller = *source;
    SourceMenuContext context;
    SECEditPosition caret = controller.GetCaretPosition();
    context.line = caret.m_line;
    context.column = caret.m_column;
    context.record = view->FindLineRecord(caret.m_line + 1);
    context.lineText = LineTextOf(controller, caret.m_line);
    context.moduleName = view->GetModuleName();
    context.contextTag = static_cast<int>(view->GetUpdateTag());
    context.hasSelection = controller.HasSelection() != FALSE;
    if (context.hasSelection)
        context.selection = controller.GetSelectedText();
    context.owner = view->GetSafeHwnd();
    BuildSourceMenu(*popup, context, controller.MenuChoices());
}

SourceRequestArgs CTarvikView::CaretRequestArgs(int column) {
    SourceRequestArgs args = LineRequestArgs(m_moduleName, CaretOf(*this).m_line + 1, column,
                                             static_cast<int>(m_contextTag), m_coreId);
    args.selection = SelectionOf(*this);
    return args;
}

void CTarvikView::SendBreakpointRequest(SourceRequest request, int line, int column,
                                        uint32_t value) {
    SourceRequestArgs args =
        LineRequestArgs(m_moduleName, line, column, static_cast<int>(m_contextTag), m_coreId);
    args.entryValue = value;
    // The host may close the window while it runs the request.
    HWND self = GetSafeHwnd();
    SendSourceRequest(request, args);
    if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this)
        CWnd::Invalidate();
}

void CTarvikView::OnSetBreakpoint() {
    CSourceCoreSwitch onCore(*this);
    SendBreakpointRequest(SourceRequest::SetBreakpoint, CaretOf(*this).m_line + 1, 0, 0);
}

void CTarvikView::OnClearBreakpoint() {
    CSourceCoreSwitch onCore(*this);
    SendBreakpointRequest(SourceRequest::ClearBreakpoint, CaretOf(*this).m_line + 1, 0, 0);
}

BOOL CTarvikView::OnCaretRequest(UINT id) {
    static const struct {
        UINT id;
        SourceRequest request;
    } kCommands[] = {
        {kCmdGoHere, SourceRequest::GoHere},
        {kCmdRunUntilCaller, SourceRequest::RunUntilCaller},
        {kCmdRunUntilReturn, SourceRequest::RunUntilReturn},
        {kCmdJumpToAssembler, SourceRequest::JumpToAssembler},
        {kCmdEvaluate, SourceRequest::Evaluate},
        {kCmdEvaluateFromPointer, SourceRequest::EvaluateFromPointer},
        {kCmdEvaluateAddress, SourceRequest::EvaluateAddress},
        {kCmdAddToEval, SourceRequest::AddToEval},
        {kCmdAddToEvalFromPointer, SourceRequest::AddToEvalFromPointer},
        {kCmdAddToEvalAddress, SourceRequest::AddToEvalAddress},
        {kCmdJumpToDefinition, SourceRequest::JumpToDefinition},
        {kCmdCoverageJump, SourceRequest::CoverageJump},
    };
    for (const auto& command : kCommands)
        if (command.id == id) {
            SendSourceRequest(command.request, CaretRequestArgs());
            return TRUE;
        }
    return FALSE;
}

void CTarvikView::OnSetPc() {
    SendSetPc(CaretRequestArgs());
}

void CTarvikView::OnSetValue() {
    CSetVal dialog(this);
    dialog.m_expression = SelectionOf(*this);
    dialog.DoModal();
}

void CTarvikView::OnBreakChoice(UINT id) {
    CEditController* controller = m_controller;
    if (!controller)
        return;
    BreakChoice choice = ResolveBreakChoice(controller->MenuChoices(), id);
    int line = CaretOf(*this).m_line + 1;
    switch (choice.action) {
    case BreakChoiceAction::None:
        break;
    case BreakChoiceAction::SetColumn:
        SendBreakpointRequest(SourceRequest::SetBreakpoint, line, choice.column, 0);
        break;
    case BreakChoiceAction::ClearColumn:
        SendBreakpointRequest(SourceRequest::ClearBreakpoint, line, choice.column, 0);
        break;
    case BreakChoiceAction::SetStatement:
        SendBreakpointRequest(SourceRequest::SetStatementBreakpoint, line, 0, choice.value);
        break;
    case BreakChoiceAction::ClearStatement:
        SendBreakpointRequest(SourceRequest::ClearStatementBreakpoint, line, 0, choice.value);
        break;
    }
}

void CTarvikView::RunBlockCommentCommand(int mode) {
    CString position = CoveragePosition(*this);
    CSourceCoreSwitch onCore(*this);
    HostText expression(position);
    RunBlockComment(mode, expression.get());
}

void CTarvikView::OnAddBlockComment() {
    RunBlockCommentCommand(1);
}

void CTarvikView::OnEditBlockComment() {
    RunBlockCommentCommand(-1);
}

void CTarvikView::OnDeleteBlockComment() {
    RunBlockCommentCommand(0);
}

void CTarvikView::OnComplexConditions() {
    HostCommandTable* host = HostTable();
    if (!host)
        return;
    CSourceCoreSwitch onCore(*this);
    CString address;
    FormatCodeAddress(address, m_moduleName, CaretOf(*this).m_line + 1, 0,
                      static_cast<int>(m_contextTag));
    HostText expression(address);
    host->ShowConditionTree(expression.get());
}

// The editor's own commands, through the controller's map.
void CTarvikView::OnCopy() {
    if (m_controller)
        m_controller->OnCmdMsg(SECEDIT_ID_COPY, CN_COMMAND, nullptr, nullptr);
}

void CTarvikView::OnToggleBookmark() {
    if (m_controller)
        m_controller->OnCmdMsg(SECEDIT_ID_FLAG_TOGGLE + SECEDIT_FLAG_BOOKMARK, CN_COMMAND, nullptr,
                               nullptr);
}

void CTarvikView::OnSourcePrintPreview() {
    // The preview saves the layout now; closing the main frame while it is open does not.
    CMainFrame::s_bPreviewSavedLayout = TRUE;
    if (CMainFrame* frame = MainFrame())
        frame->SaveFrameState();
    OnFilePrintPreview();
}
