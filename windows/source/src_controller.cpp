#include "windows/source/src_controller.h"

#include "editor/edit_commands.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "editor/mvc_interfaces.h"
#include "shell/host_text.h"
#include "shell/hostlink.h"
#include "windows/common/host_keys.h"
#include "windows/source/src_menu.h"
#include "windows/source/src_requests.h"
#include "windows/source/src_view.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

using namespace corvalis::foundation;

BEGIN_MESSAGE_MAP(CEditController, SECEditController)
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {
bool IsButtonMessage(UINT message) {
    return message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
}

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The source view of the splitter a column sits in: the nearest ancestor of the column that
// holds one.
CTarvikView* SourceViewBeside(HWND column) {
    for (HWND ancestor = ::GetParent(column); ancestor != NULL; ancestor = ::GetParent(ancestor)) {
        for (HWND child = ::GetWindow(ancestor, GW_CHILD); child != NULL;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (auto* view = DYNAMIC_DOWNCAST(CTarvikView, CWnd::FromHandlePermanent(child)))
                return view;
            for (HWND inner = ::GetWindow(child, GW_CHILD); inner != NULL;
                 inner = ::GetWindow(inner, GW_HWNDNEXT))
                if (auto* view = DYNAMIC_DOWNCAST(CTarvikView, CWnd::FromHandlePermanent(inner)))
                    return view;
        }
        if (CWnd::FromHandlePermanent(ancestor) != nullptr &&
            CWnd::FromHandlePermanent(ancestor)->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            break;
    }
    return nullptr;
}
} // namespace

int ShowLinePreStep(int line, int linesPerPage, int topLine, int lineCount) {
    const int third = linesPerPage / 3;
    if (line > topLine + third && line < topLine + linesPerPage - third)
        return -1;
    if (line < topLine + third)
        return std::max(0, line - third);
    return std::min(std::max(0, lineCount - 1), line + third);
}

CEditController::CEditController(int kind, CTarvikView* ownerView)
    : m_kind(kind), m_ownerView(ownerView) {}

CEditController::CEditController(int kind, CWnd*) : m_kind(kind) {}

CEditController::~CEditController() = default;

bool CEditController::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IEventRouter)) {
        *out = static_cast<IEventRouter*>(this);
        return true;
    }
    return SECEditController::QueryGuid(guid, out);
}

BOOL CEditController::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && IsFunctionKey(UINT(pMsg->wParam))) {
        // The host's key window takes it; with none named the key is dropped, never typed.
        SendFunctionKeyToHost(pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return SECEditController::PreTranslateMessage(pMsg);
}

BOOL CEditController::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (IsButtonMessage(message) || IsKeyboardMessage(message)) {
        if (m_kind == kindSource) {
            if (m_ownerView != nullptr)
                if (CWnd* numbers = m_ownerView->GetLineNumberWindow())
                    numbers->Invalidate(FALSE);
        } else if (m_kind == kindLineNumbers && IsButtonMessage(message)) {
            if (OnColumnMessage(message, wParam, lParam)) {
                if (pResult)
                    *pResult = 0;
                return TRUE;
            }
        } else if (m_kind == kindCoverage && IsButtonMessage(message) && message != WM_LBUTTONUP &&
                   message != WM_RBUTTONUP && message != WM_MBUTTONUP) {
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
    }
    return SECEditController::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CEditController::OnColumnMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        break;
    default:
        return FALSE;
    }
    CTarvikView* view = m_hWnd ? SourceViewBeside(m_hWnd) : nullptr;
    CEditController* source = view ? view->GetSourceController() : nullptr;
    if (source == nullptr)
        return FALSE;
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const HWND column = m_hWnd;
    const HWND viewWindow = view->GetSafeHwnd();
    // The caret goes to the clicked row first, so that what follows is about that row.
    view->SetFocus();
    source->MoveCaretToPoint(source->GetTextLeft(), point.y, FALSE);
    if (message == WM_LBUTTONDOWN) {
        source->StartDrag(-point.x, point.y, TRUE);
    } else if (message == WM_RBUTTONDOWN) {
        CPoint screen = point;
        ::ClientToScreen(column, &screen);
        ::SendMessageW(viewWindow, WM_CONTEXTMENU, WPARAM(viewWindow),
                       MAKELPARAM(screen.x, screen.y));
    }
    if (::IsWindow(column))
        ::InvalidateRect(column, nullptr, FALSE);
    return TRUE;
}

void CEditController::SetMarginWidth(int width) {
    SECEditController::SetMarginWidth(width);
}

BOOL CEditController::GetContextMenu(CMenu& menu, CMenu*& popup) {
    popup = nullptr;
    if (!menu.LoadMenu(kSourceMenuResource))
        return FALSE;
    popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return FALSE;
    if (!HasSelection())
        popup->EnableMenuItem(SECEDIT_ID_COPY, MF_BYCOMMAND | MF_GRAYED);
    CTarvikView* view =
        m_hWnd ? DYNAMIC_DOWNCAST(CTarvikView, CWnd::FromHandlePermanent(m_hWnd)) : nullptr;
    if (view == nullptr)
        return FALSE;
    BuildSourceContextMenu(popup, view);
    popup->RemoveMenu(0, MF_BYPOSITION);
    return TRUE;
}

void CEditController::ShowLine(int line, int linesPerPage) {
    const int count = GetLineCount();
    const int top = GetFirstVisibleLine();
    const int first = ShowLinePreStep(line, linesPerPage, top, count);
    if (first >= 0) {
        SetCaretPosition(first, 0, FALSE);
        LockRedraw(FALSE);
        // The scroll paints at once, and the paint may close the window.
        const HWND self = m_hWnd;
        LockRedraw(TRUE);
        if (self != NULL && !::IsWindow(self))
            return;
    }
    SetCaretPosition(std::max(0, std::min(line, count - 1)), 0, FALSE);
}

BOOL CEditController::InMargin(CPoint point) {
    return point.x < GetTextLeft();
}

void CEditController::StartDrag(int x, int y, BOOL fromColumn) {
    CTarvikView* view = m_ownerView;
    if (view == nullptr || m_editViewport == nullptr)
        return;
    SECEditPosition position;
    CPoint point(std::max(0, x), y);
    m_editViewport->DPtoLP(&point, 1);
    PositionFromPoint(position, point, 0);
    const SourceLineRecord* record = view->FindLineRecord(position.m_line + 1);
    if (record != nullptr && HasSelection() && IsInSelection(position)) {
        MoveCaretToPoint(std::max(0, x), y, FALSE);
        char* text = nullptr;
        WideToAnsiHeap(GetSelectedText(), &text);
        if (text != nullptr) {
            view->GetDragData(record, text);
            ::HeapFree(::GetProcessHeap(), 0, text);
        }
    } else if (fromColumn || x < 0) {
        view->GetDragData(record, nullptr);
    }
    if (::IsWindow(view->GetSafeHwnd()))
        view->CWnd::Invalidate(FALSE);
}

void CEditController::OnLButtonDown(UINT nFlags, CPoint point) {
    if (InMargin(point)) {
        MoveCaretToPoint(point.x, point.y, FALSE);
        return;
    }
    if (m_kind == kindSource) {
        const HWND self = m_hWnd;
        StartDrag(point.x, point.y);
        if (!::IsWindow(self))
            return;
    }
    SECEditController::OnLButtonDown(nFlags, point);
}

void CEditController::OnLButtonUp(UINT nFlags, CPoint point) {
    if (InMargin(point)) {
        MoveCaretToPoint(point.x, point.y, FALSE);
        return;
    }
    SECEditController::OnLButtonUp(nFlags, point);
}

void CEditController::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_kind != kindSource || m_ownerView == nullptr || !InMargin(point)) {
        SECEditController::OnLButtonDblClk(nFlags, point);
        return;
    }
    ToggleMarginBreakpoint(GetCaretPosition().m_line);
}

void CEditController::ToggleMarginBreakpoint(int line) {
    CTarvikView* view = m_ownerView;
    const SourceLineRecord* record = view->FindLineRecord(line + 1);
    if (record == nullptr)
        return;
    const HWND self = view->GetSafeHwnd();
    SourceRequestArgs args;
    args.core = view->GetCoreId();
    FormatCodeAddress(args.codeAddress, view->GetModuleName(), line + 1, 0,
                      int(view->GetUpdateTag()));
    const uint32_t flags = record->flags;
    if (!(flags & kLineStatements)) {
        if (flags & kLineBreakpoint)
            SendSourceRequest(SourceRequest::ClearBreakpoint, args);
        else if (flags & kLineCode)
            SendSourceRequest(SourceRequest::SetBreakpoint, args);
    } else if ((flags & kLineBreakpoint) && HostVersionAtLeast(2, 2)) {
        HostText module(view->GetModuleName());
        int count = 0;
        const HostLineEntry* table = nullptr;
        if (HostTable()->QueryLineInfo(module.get(), line + 1, 0, &count, &table) == 1 &&
            table != nullptr) {
            // Copied first: the host's table lasts only until its next call, and each request
            // is one.
            std::vector<HostLineEntry> entries(
                table, table + std::max(0, std::min(count, kMaxLineEntries)));
            for (const HostLineEntry& entry : entries) {
                if (entry.value == 0 || !(entry.flags & 1))
                    continue;
                args.entryValue = entry.value;
                SendSourceRequest(SourceRequest::ClearStatementBreakpoint, args);
                if (!::IsWindow(self))
                    return; // the host closed the window inside its request
            }
        }
    } else if (flags & kLineCode) {
        SendSourceRequest(SourceRequest::SetBreakpoint, args);
    }
    if (::IsWindow(self))
        view->CWnd::Invalidate(FALSE);
}
