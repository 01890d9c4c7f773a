#include "editor/edit_controller.h"

#include "editor/edit_commands.h"
#include "editor/edit_find_state.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/docview/splitter.h"
#include "framework/win/winapp.h"

#include <algorithm>

using namespace corvalis::foundation;

namespace {
constexpr UINT kAccelerators = 22502;
constexpr UINT kMarginCursor = 22503;
} // namespace

BEGIN_MESSAGE_MAP(SECEditController, MvcController)
ON_COMMAND(SECEDIT_CMD_CARET_LEFT_LINE, OnCaretLeftLine)
ON_COMMAND_EX_RANGE(SECEDIT_ID_SELECT_WORD, SECEDIT_ID_SCROLL_UP, OnEditCommand)
ON_COMMAND_EX_RANGE(SECEDIT_ID_COPY, SECEDIT_ID_COPY, OnEditCommand)
ON_COMMAND_EX_RANGE(SECEDIT_ID_CUT, SECEDIT_ID_CUT, OnEditCommand)
ON_COMMAND_EX_RANGE(SECEDIT_ID_PASTE, SECEDIT_ID_PASTE, OnEditCommand)
ON_COMMAND_EX_RANGE(SECEDIT_ID_SELECT_ALL, SECEDIT_ID_REDO, OnEditCommand)
ON_COMMAND_RANGE(SECEDIT_ID_FLAG_TOGGLE, SECEDIT_ID_FLAG_LAST, OnFlagCommand)
ON_UPDATE_COMMAND_UI_RANGE(SECEDIT_ID_FLAG_TOGGLE, SECEDIT_ID_FLAG_LAST, OnUpdateFlagCommand)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_UNDO, OnUpdateUndo)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_REDO, OnUpdateRedo)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_COPY, OnUpdateCopy)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_CUT, OnUpdateCut)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_PASTE, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_INDICATOR_OVR, OnUpdateOverwrite)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_STATUS_POSITION, OnUpdatePosition)
ON_UPDATE_COMMAND_UI(SECEDIT_ID_SHOW_WHITESPACE, OnUpdateShowWhitespace)
END_MESSAGE_MAP()

SECEditController::SECEditController() {
    HINSTANCE resources = AfxGetResourceHandle();
    m_accelerators = ::LoadAcceleratorsW(resources, MAKEINTRESOURCEW(kAccelerators));
    m_marginCursor = ::LoadCursorW(resources, MAKEINTRESOURCEW(kMarginCursor));
    m_ownDisplayInfo = std::make_unique<SECEditDisplayInfo>();
    UpdateFonts();
}

SECEditController::~SECEditController() {
    if (SECEditFindReplaceState* state = SECEditPeekFindReplaceState())
        state->ForgetController(this);
    if (m_timer != 0 && m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::KillTimer(m_hWnd, m_timer);
    if (m_caretExists && m_hWnd != NULL && ::GetFocus() == m_hWnd)
        ::DestroyCaret();
    if (m_accelerators)
        ::DestroyAcceleratorTable(m_accelerators);
}

BOOL SECEditController::Initialize(CWnd* window, MvcViewport* viewport) {
    ClearSelection(FALSE);
    m_editViewport = dynamic_cast<SECEditViewport*>(viewport);
    return MvcController::Initialize(window, viewport);
}

void SECEditController::SetModel(CMvcModel* model) {
    ForgetDrag();
    MvcController::SetModel(model);
    m_editModel = dynamic_cast<SECEditModel*>(model);
}

BOOL SECEditController::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!IsPluggedIn())
        return FALSE;
    switch (message) {
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return FALSE;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return FALSE;
    case WM_DESTROY:
        // A find dialog open on this window closes with it.
        if (SECEditFindReplaceState* state = SECEditPeekFindReplaceState())
            state->ForgetController(this);
        ForgetDrag();
        return MvcController::OnWndMsg(message, wParam, lParam, pResult);
    default:
        // A derived controller's map comes first; the input handling of this class after.
        if (MvcController::OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return OnInputMessage(message, wParam, lParam, pResult);
    }
}

// ---- gutter ----

void SECEditController::SetMarginWidth(int width) {
    m_marginWidth = std::max(0, width);
}

int SECEditController::GetMarginWidth() const {
    if (m_gutterMode == SECEDIT_GUTTER_NONE || m_gutterMode == SECEDIT_GUTTER_NO_MARGIN)
        return 0;
    return m_marginWidth;
}

int SECEditController::GetGutterWidth() {
    if (m_gutterMode == SECEDIT_GUTTER_NONE || m_gutterMode == SECEDIT_GUTTER_MARKS_ONLY)
        return 0;
    if (m_lineNumberWidth >= 0)
        return m_lineNumberWidth;
    return m_ownDisplayInfo->GetCharWidth() * GetLineNumberDigits();
}

void SECEditController::SetLineNumberWidth(int width) {
    m_lineNumberWidth = width;
}

void SECEditController::SetGutterMode(int mode) {
    m_gutterMode = mode;
}

int SECEditController::GetLineNumberDigits() {
    if (m_lineNumberDigits >= 0)
        return m_lineNumberDigits;
    int lines = std::max(1, GetLineCount());
    int digits = 1;
    while (lines >= 10) {
        lines /= 10;
        ++digits;
    }
    return digits;
}

void SECEditController::SetLineNumberDigits(int digits) {
    m_lineNumberDigits = digits;
}

int SECEditController::GetTextLeft() {
    return GetMarginWidth() + GetGutterWidth();
}

void SECEditController::UpdateFonts() {
    SECEditDisplayInfo* info = m_ownDisplayInfo.get();
    const CString& face = info->GetFaceName();
    HFONT font = ::CreateFontW(info->GetLineHeight(), info->GetCharWidth(), 0, 0, 0, 0, 0, 0, 0, 0,
                               0, 0, 0, face.IsEmpty() ? L"Ariel" : static_cast<LPCWSTR>(face));
    info->SetFont(font);
}

void SECEditController::FormatLineNumber(CString& out, int line) {
    out.Format(L"%*d", GetLineNumberDigits(), line + 1);
}

COLORREF SECEditController::GetLineNumberColour() const {
    return m_lineNumberColour == CLR_INVALID ? ::GetSysColor(COLOR_WINDOWTEXT) : m_lineNumberColour;
}

// ---- what the controller works on ----

SECEditDisplayInfo* SECEditController::GetDisplayInfo() const {
    return m_editViewport ? m_editViewport->GetDisplayInfo() : nullptr;
}

SECEditLangConfig* SECEditController::GetLangConfig() const {
    return m_editModel ? m_editModel->GetLangConfig() : nullptr;
}

SECEditFindReplaceState* SECEditController::GetFindReplaceState() {
    return &SECEditGetFindReplaceState();
}

BOOL SECEditController::IsReadOnly() const {
    return m_editModel == nullptr || m_editModel->IsReadOnly();
}

BOOL SECEditController::NotifyModel() {
    if (m_editModel == nullptr)
        return FALSE;
    // Hint 0: the caret or the selection moved; nothing to repaint.
    SECEditMsg moved(0);
    m_editModel->NotifyObservers(nullptr, &moved);
    return TRUE;
}

int SECEditController::GetTabWidth() const {
    SECEditDisplayInfo* info = GetDisplayInfo();
    SECEditLangConfig* config = GetLangConfig();
    if (info == nullptr || config == nullptr)
        return 1;
    return std::max(1, info->GetTabWidth(config->GetTabSize(), config->GetShowWhitespace()));
}

void SECEditController::LineText(int line, std::wstring& out) const {
    out.clear();
    if (m_editModel == nullptr)
        return;
    CString scratch;
    const wchar_t* text = nullptr;
    const int length = m_editModel->GetLinePointer(line, scratch, text);
    if (length > 0 && text)
        out.assign(text, size_t(length));
}

int SECEditController::LineLengthOf(int line) const {
    return m_editModel ? std::max(0, m_editModel->GetLineTextLength(line)) : 0;
}

BOOL SECEditController::HasFlag19(int line) const {
    return m_editModel && m_editModel->GetLineFlag(line, SECEDIT_FLAG_HIGHLIGHT);
}

void SECEditController::ToggleFlag19(int line) {
    if (m_editModel == nullptr)
        return;
    if (line < 0)
        line = m_caret.m_line;
    m_editModel->ToggleLineFlag(line, SECEDIT_FLAG_HIGHLIGHT);
    if (!m_editModel->GetLineFlag(line, SECEDIT_FLAG_HIGHLIGHT))
        m_editModel->ColourLine(line, 0);
    if (m_editViewport)
        m_editViewport->InvalidateLines(line, line);
    NotifyModel();
}

// ---- focus ----

void SECEditController::OnSetFocus(HWND) {
    CreateCaret(TRUE);
    SetCaretPosition(m_caret.m_line, m_caret.m_column, m_virtualCaret);
    m_splitterFocus = FALSE;
    if (!m_hideSelection)
        RepaintSelection();
}

void SECEditController::OnKillFocus(HWND newWnd) {
    if (m_mouseSelecting || (m_hWnd != NULL && ::GetCapture() == m_hWnd)) {
        m_mouseSelecting = FALSE;
        if (GetCaptureController() == this)
            SetCaptureController(nullptr);
        else if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (m_timer != 0) {
            ::KillTimer(m_hWnd, m_timer);
            m_timer = 0;
        }
        if (m_selection.m_mode == SECEditSelection::modeBlockDrag)
            m_selection.m_mode = SECEditSelection::modeBlock;
    }
    DestroyCaret();
    if (newWnd != NULL && m_hWnd != NULL) {
        CWnd* parent = CWnd::FromHandle(::GetParent(m_hWnd));
        if (parent && parent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
            m_splitterFocus = TRUE;
    }
    if (!m_splitterFocus && !m_hideSelection)
        RepaintSelection();
}

void SECEditController::OnCaretLeftLine() {
    m_caretLeftPosted = false;
    if (m_editModel == nullptr)
        return;
    m_internal = TRUE;
    const int left = m_lastCaretLine;
    if (!HasSelection() && left >= 0 && left < m_editModel->GetLineCount() &&
        m_editModel->GetLineFlag(left, SECEDIT_FLAG_CHANGED) && NotifyModel())
        m_editModel->SetLineFlag(left, SECEDIT_FLAG_CHANGED, FALSE);
    m_lastCaretLine = m_caret.m_line;
    m_internal = FALSE;
}
