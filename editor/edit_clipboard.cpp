// The clipboard and the context menu: the selection (or the caret line) offered as text, a
// column block marked so, and text taken back from any data object.
#include "editor/edit_commands.h"
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/core/exceptions.h"
#include "framework/ole/oledatasource.h"
#include "framework/win/cmdui.h"
#include "framework/win/menu.h"

#include <algorithm>
#include <cstring>

namespace {
// Global memory for the clipboard: always terminated, in 4,096-byte steps.
HGLOBAL GlobalText(const CString& text) {
    const SIZE_T bytes = (SIZE_T(text.GetLength()) + 1) * sizeof(wchar_t);
    const SIZE_T rounded = (bytes + 4095) / 4096 * 4096;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, rounded);
    if (memory == NULL)
        return NULL;
    if (void* p = ::GlobalLock(memory)) {
        std::memcpy(p, static_cast<LPCWSTR>(text), bytes - sizeof(wchar_t));
        ::GlobalUnlock(memory);
        return memory;
    }
    ::GlobalFree(memory);
    return NULL;
}

// Releases a data source's creator reference when it goes.
struct SourceRef {
    COleDataSource* source;
    ~SourceRef() {
        if (source)
            source->InternalRelease();
    }
};
} // namespace

CLIPFORMAT SECEditController::GetColumnClipFormat() {
    static const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"MSDEVColumnSelect"));
    return format;
}

COleDataSource* SECEditController::CreateClipboardDataSource() {
    if (m_editModel == nullptr)
        return nullptr;
    CString text;
    BOOL column = FALSE;
    if (HasSelection()) {
        column = IsColumnSelection();
        text = GetSelectedText();
        int sl = 0, sc = 0, el = 0, ec = 0;
        // A selection lying wholly in virtual space stands for that many blanks.
        if (text.IsEmpty() && GetSelectionBounds(sl, sc, el, ec, TRUE) && sl == el && ec > sc)
            text = CString(L' ', ec - sc);
    } else {
        const int line = m_caret.m_line;
        if (line < m_editModel->GetLastLine())
            m_editModel->GetText(text, line, 0, line + 1, 0);
        else
            m_editModel->GetText(text, line, 0, line, LineLengthOf(line));
    }
    if (text.IsEmpty())
        return nullptr;
    HGLOBAL memory = GlobalText(text);
    if (memory == NULL)
        return nullptr;
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_UNICODETEXT, memory);
    if (column)
        if (HGLOBAL marker = GlobalText(text))
            source->CacheGlobalData(GetColumnClipFormat(), marker);
    return source;
}

COleDataSource* SECEditController::CreateDataSource() {
    return CreateClipboardDataSource();
}

BOOL SECEditController::GetTextFromDataObject(COleDataObject* data, CString& text, BOOL& column) {
    text.Empty();
    column = FALSE;
    if (data == nullptr || !data->IsDataAvailable(CF_UNICODETEXT))
        return FALSE;
    HGLOBAL memory = data->GetGlobalData(CF_UNICODETEXT);
    if (memory == NULL)
        return FALSE;
    // Read within the block and up to its first NUL, whatever the giver wrote.
    const SIZE_T chars = ::GlobalSize(memory) / sizeof(wchar_t);
    if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(memory))) {
        const SIZE_T length = std::find(p, p + chars, L'\0') - p;
        text.SetString(p, int(std::min<SIZE_T>(length, 0x7FFFFFF0)));
        ::GlobalUnlock(memory);
    }
    ::GlobalFree(memory);
    column = data->IsDataAvailable(GetColumnClipFormat());
    return !text.IsEmpty();
}

void SECEditController::Copy() {
    SourceRef ref{CreateClipboardDataSource()};
    if (ref.source == nullptr) {
        if (::OpenClipboard(m_hWnd)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        return;
    }
    try {
        ref.source->SetClipboard();
    } catch (CException* e) {
        e->Delete();
    }
}

void SECEditController::Cut() {
    if (!CanEdit())
        return;
    Copy();
    if (HasSelection())
        ReplaceSelection(L"", FALSE);
}

void SECEditController::Paste() {
    if (!CanEdit())
        return;
    COleDataObject data;
    if (!data.AttachClipboard())
        return;
    CString text;
    BOOL column = FALSE;
    if (GetTextFromDataObject(&data, text, column)) {
        m_lastTypingSerial = 0;
        ReplaceSelection(text, column);
        ScrollToCaret();
        NotifyModel();
    }
}

void SECEditController::OnUpdateCopy(CCmdUI* ui) {
    ui->Enable(m_editModel && !(GetLineCount() <= 1 && LineLengthOf(0) == 0));
}

void SECEditController::OnUpdateCut(CCmdUI* ui) {
    ui->Enable(HasSelection() && CanEdit());
}

void SECEditController::OnUpdatePaste(CCmdUI* ui) {
    ui->Enable(!IsReadOnly() && ::IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// ---- context menu ----

BOOL SECEditController::GetContextMenu(CMenu& menu, CMenu*& popup) {
    popup = nullptr;
    if (!menu.LoadMenu(SECEDIT_ID_CONTEXT_MENU))
        return FALSE;
    popup = menu.GetSubMenu(0);
    return popup != nullptr;
}

void SECEditController::UpdateContextMenu(CMenu* popup) {
    if (popup)
        AfxUpdatePopupMenu(this, popup, FALSE);
}

void SECEditController::OnContextMenu(CPoint screen) {
    if (m_hWnd == NULL)
        return;
    if (screen.x == -1 && screen.y == -1) {
        screen = CPoint(5, 5);
        ::ClientToScreen(m_hWnd, &screen);
    } else {
        CPoint client = screen;
        ::ScreenToClient(m_hWnd, &client);
        CPoint logical = client;
        if (m_editViewport)
            m_editViewport->DPtoLP(&logical, 1);
        SECEditPosition position;
        PositionFromPoint(position, logical, 1);
        if (!IsInSelection(position)) {
            ClearSelection(TRUE);
            MoveCaretToPoint(client.x, client.y, FALSE);
        }
    }
    CMenu menu;
    CMenu* popup = nullptr;
    if (!GetContextMenu(menu, popup) || popup == nullptr || popup->GetMenuItemCount() == 0)
        return;
    UpdateContextMenu(popup);
    const HWND self = m_hWnd;
    ShowOwnCaret(FALSE);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
    // The menu's command may have closed the window.
    if (::IsWindow(self))
        ShowOwnCaret(TRUE);
}
