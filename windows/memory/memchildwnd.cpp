#include "windows/memory/memchildwnd.h"

#include <algorithm>
#include <cstdlib>

#include "shell/hostlink.h"
#include "windows/common/droptarget.h"
#include "windows/common/host_keys.h"
#include "windows/memory/memmetrics.h"
#include "windows/memory/mempopup.h"
#include "windows/memory/memstate.h"

IMPLEMENT_DYNCREATE(CMemChildWnd, CWnd)

BEGIN_MESSAGE_MAP(CMemChildWnd, CWnd)
ON_WM_KILLFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr char kKindName[] = "MemWnd";

// Handlers that the host may re-enter through its calls run once at a time.
int s_clickDepth = 0, s_keyDepth = 0, s_charDepth = 0, s_scrollDepth = 0, s_autoDepth = 0;

class Reentry {
public:
    explicit Reentry(int& depth) : m_depth(depth) { ++m_depth; }
    ~Reentry() { --m_depth; }
    explicit operator bool() const { return m_depth == 1; }

private:
    int& m_depth;
};

bool HostBusy() {
    return HostTable() && HostTable()->IsBusy();
}

const HostMemoryTable* Mem() {
    return g_pHostMemTable;
}

int ObjectId(void* object) {
    return static_cast<int>(reinterpret_cast<intptr_t>(object));
}

int Format(const MemWndState* s) {
    return s->descriptor ? s->descriptor->format : 0;
}

int Radix(const MemWndState* s) {
    return s->descriptor ? s->descriptor->radix : 0;
}

bool Down(int key) {
    return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

// One scroll step of the scroll bar: only while a button or key that scrolls is held.
int AutoScrollStep(MemWndState* s, int lines, int direction) {
    Reentry guard(s_autoDepth);
    if (!guard ||
        !(Down(VK_LBUTTON) || Down(VK_PRIOR) || Down(VK_NEXT) || Down(VK_UP) || Down(VK_DOWN)))
        return 0;
    Mem()->AutoScroll(s->object, lines, direction);
    return 1;
}

bool IsHex(UINT c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether a typed character fits the window's format and radix.
bool Accepts(int format, int radix, UINT c) {
    if (MemFormat::IsPointer(format))
        return IsHex(c);
    if (format == MemFormat::doubleFloat || format == MemFormat::single ||
        format == MemFormat::longDouble)
        return (c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '-' || c == '.' || c == '+';
    if (format == MemFormat::byte || format == MemFormat::longWord || format == MemFormat::word ||
        format == MemFormat::longLong) {
        switch (radix) {
        case 2:
            return c == '0' || c == '1';
        case 8:
            return c >= '0' && c <= '7';
        case 10:
            return c >= '0' && c <= '9';
        case 16:
            return IsHex(c);
        }
    }
    return false;
}

} // namespace

CMemChildWnd::CMemChildWnd() = default;
CMemChildWnd::~CMemChildWnd() = default;

BOOL CMemChildWnd::CreateGrid(CWnd* pParent, MemWndState* pState) {
    m_pState = pState;
    m_pObject = pState->object;
    CRect client;
    pParent->GetClientRect(&client);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW), NULL, NULL);
    return CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, client, pParent, 0);
}

CMemChildWnd* CMemChildWnd::FromState(const MemWndState* pState) {
    if (!IsLiveMemState(pState))
        return nullptr;
    auto* pGrid =
        DYNAMIC_DOWNCAST(CMemChildWnd, CWnd::FromHandlePermanent(static_cast<HWND>(pState->grid)));
    return pGrid && pGrid->m_pState == pState ? pGrid : nullptr;
}

void CMemChildWnd::DrawSelectionOn(HDC hDC, bool bShow) {
    const MemCell* cell = m_pState ? SelectedMemCell(m_pState) : nullptr;
    if (hDC == NULL || cell == nullptr)
        return;
    const MemMetrics m = MemoryMetrics();
    const RECT caret = m.FieldRect(cell->x + m_nCaret, cell->y, 1);
    const int oldRop = ::SetROP2(hDC, R2_NOT);
    ::Rectangle(hDC, caret.left, caret.top, caret.right, caret.bottom);
    ::SetROP2(hDC, oldRop);
    const RECT frame = m.FieldRect(cell->x, cell->y, cell->length);
    ::FrameRect(hDC, &frame,
                static_cast<HBRUSH>(::GetStockObject(bShow ? BLACK_BRUSH : WHITE_BRUSH)));
}

void CMemChildWnd::DrawSelection(bool bShow) {
    if (m_hWnd == NULL)
        return;
    HDC hDC = ::GetDC(m_hWnd);
    DrawSelectionOn(hDC, bShow);
    ::ReleaseDC(m_hWnd, hDC);
}

void CMemChildWnd::MoveSelection(int nRow, int nCell, int nCaret) {
    MemWndState* s = m_pState;
    if (s == nullptr || MemCellAt(s, nRow, nCell) == nullptr)
        return;
    DrawSelection(false);
    s->selRow = nRow;
    s->selCell = nCell;
    m_nCaret = nCaret;
    DrawSelection(true);
    const MemCell* cell = SelectedMemCell(s);
    Mem()->RequestRows(s->object, cell->keyLow, IsActiveCell(cell) ? 1 : 0, nCaret);
}

void CMemChildWnd::InvalidateSelected() {
    if (const MemCell* cell = SelectedMemCell(m_pState)) {
        const RECT r = MemoryMetrics().FieldRect(cell->x, cell->y, cell->length);
        ::InvalidateRect(m_hWnd, &r, FALSE);
    }
}

CMemChildWnd::Hit CMemChildWnd::HitTest(CPoint point) const {
    Hit hit;
    const MemMetrics m = MemoryMetrics();
    // The margins belong to the first line and column (the division truncates towards 0).
    if (m_pState == nullptr || point.y < 0 || point.x < 0)
        return hit;
    hit.line = (point.y - m.topMargin) / m.rowPitch;
    if (hit.line >= m_pState->rows)
        return hit;
    // Cells are found by the text line they stand on: rows and lines part where the host
    // ends a line without ending a grid row.
    hit.row = MemRowOfLine(m_pState, hit.line);
    hit.column = (point.x - m.leftMargin) / m.colPitch;
    if (hit.row >= 0)
        hit.value = hit.column + 1 >= FirstMemCellOnLine(m_pState, hit.row, hit.line)->x;
    return hit;
}

void CMemChildWnd::Dispose(std::unique_ptr<CMemChildWnd> pGrid) {
    if (pGrid && pGrid->m_nHandlerDepth > 0)
        pGrid.release()->m_bDisposed = true;
}

LRESULT CMemChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    ++m_nHandlerDepth;
    const LRESULT lResult = Handle(message, wParam, lParam);
    if (--m_nHandlerDepth == 0 && m_bDisposed)
        delete this;
    return lResult;
}

LRESULT CMemChildWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreateGrid();
        break;
    case WM_DESTROY:
        OnDestroyGrid();
        break;
    case WM_PAINT:
        OnPaintGrid();
        return 0;
    case WM_LBUTTONDOWN:
        OnClick(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        break;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick();
        break;
    case WM_RBUTTONDOWN:
        ShowPopup(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        break;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        break;
    case WM_CHAR:
        OnCharacter(static_cast<UINT>(wParam));
        break;
    case WM_VSCROLL:
        OnScroll(LOWORD(wParam));
        break;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0; // taken: the frame around must not scroll as well
    case WM_SIZE:
        if (LOWORD(lParam) != 0 && HIWORD(lParam) != 0)
            OnSized(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_FONTCHANGE: {
        // Measured as a resize is: the width less both left margins. The top margin belongs
        // to the height and has no place in the column count.
        CRect client;
        GetClientRect(&client);
        OnSized(client.Width(), client.Height());
        break;
    }
    case WM_COMMAND:
        if (m_pState != nullptr)
            MemoryPopupDispatch(m_pState, LOWORD(wParam));
        break;
    }
    if (m_hWnd == NULL)
        return 0; // the window went while the message was handled
    return CWnd::WindowProc(message, wParam, lParam);
}

void CMemChildWnd::OnCreateGrid() {
    if (IDragDrop* service = DragDropService()) {
        m_pDropTarget = std::make_unique<CDropTarget>();
        m_pDropTarget->Register(this);
        service->RegisterDropTarget(kKindName, ObjectId(m_pObject));
        service->RegisterDragSource(kKindName, ObjectId(m_pObject));
        m_bServiceRegistered = true;
    }
    SetScrollRange(SB_VERT, 0, 100, FALSE);
    SetScrollPos(SB_VERT, 50, FALSE);
}

void CMemChildWnd::OnDestroyGrid() {
    // The registration is always revoked here: the target object dies with the window, and a
    // registration left behind would send the next drag into freed memory.
    if (m_pDropTarget) {
        m_pDropTarget->Revoke();
        m_pDropTarget.reset();
    }
    IDragDrop* service = DragDropService();
    if (service && m_bServiceRegistered) {
        service->UnregisterDropTarget(kKindName, ObjectId(m_pObject));
        service->UnregisterDragSource(kKindName, ObjectId(m_pObject));
    }
    m_bServiceRegistered = false;
}

void CMemChildWnd::OnPaintGrid() {
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
    if (m_pState != nullptr)
        RefillMemWindow(m_pState);
}

void CMemChildWnd::OnKillFocus(CWnd* pNewWnd) {
    if (m_pState != nullptr && Mem())
        Mem()->OnFocusLost(m_pState->object);
    CWnd::OnKillFocus(pNewWnd);
}

BOOL CMemChildWnd::OnEraseBkgnd(CDC* pDC) {
    HDC hDC = pDC->GetSafeHdc();
    RECT clip{};
    ::GetClipBox(hDC, &clip);
    ::PatBlt(hDC, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, WHITENESS);
    return TRUE;
}

void CMemChildWnd::OnClick(CPoint point) {
    Reentry guard(s_clickDepth);
    MemWndState* s = m_pState;
    if (!guard || s == nullptr || HostBusy())
        return;
    const Hit hit = HitTest(point);
    if (hit.row < 0)
        return;
    const int last = MemRowCellCount(s, hit.row) - 1;
    if (!hit.value) {
        MemoryDragSource(s, hit.row, -1, last);
        return;
    }
    for (int i = last; i >= 0; --i) {
        const MemCell* cell = MemCellAt(s, hit.row, i);
        if (cell == nullptr || cell->y != hit.line || hit.column < cell->x ||
            hit.column > cell->x + cell->length)
            continue;
        const RECT r = MemoryMetrics().FieldRect(cell->x, cell->y, cell->length);
        ::InvalidateRect(m_hWnd, &r, FALSE);
        int caret = hit.column - cell->x;
        if (MemFormat::IsFarPointer(Format(s)) && caret == 4)
            caret = 5; // past the separator
        if (caret >= cell->length)
            caret = std::max(cell->length - 1, 0);
        MoveSelection(hit.row, i, caret);
        if (m_pState == s && DragDropService())
            MemoryDragSource(s, hit.row, i, last);
        return;
    }
}

void CMemChildWnd::OnDoubleClick() {
    MemWndState* s = m_pState;
    if (s == nullptr || HostBusy())
        return;
    if (IsActiveCell(SelectedMemCell(s)))
        Mem()->PopupCommand161(s);
}

bool CMemChildWnd::StepCaretRight(const MemCell* cell) {
    MemWndState* s = m_pState;
    if (m_nCaret >= cell->length - 1) {
        if (!(cell->flags & kMemCellLastOfRow) && MemCellAt(s, s->selRow, s->selCell + 1)) {
            MoveSelection(s->selRow, s->selCell + 1, 0);
            return true;
        }
        return false;
    }
    m_nCaret += (MemFormat::IsFarPointer(Format(s)) && m_nCaret == 3) ? 2 : 1;
    m_nCaret = std::min(m_nCaret, cell->length - 1);
    return true;
}

void CMemChildWnd::OnKey(UINT nKey) {
    Reentry guard(s_keyDepth);
    MemWndState* s = m_pState;
    if (!guard || s == nullptr || HostBusy())
        return;
    const MemCell* cell = SelectedMemCell(s);
    switch (nKey) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_BACK:
    case VK_DELETE:
    case VK_ESCAPE:
        InvalidateSelected();
        break;
    }
    const bool farPointer = MemFormat::IsFarPointer(Format(s));
    switch (nKey) {
    case VK_TAB:
        if (cell && !(cell->flags & kMemCellLastOfRow))
            MoveSelection(s->selRow, s->selCell + 1, m_nCaret);
        return;
    case VK_RETURN:
        if (::GetKeyState(VK_CONTROL) < 0) {
            if (cell) {
                const MemMetrics m = MemoryMetrics();
                const RECT r = m.FieldRect(cell->x, cell->y, cell->length);
                ShowPopup(CPoint(r.right, r.top + m.rowPitch));
            }
        } else if (IsActiveCell(cell)) {
            Mem()->PopupCommand161(s);
        }
        return;
    case VK_PRIOR:
    case VK_NEXT:
        // A key scrolls at once: the step's held-key gate serves the scroll bar's repeats.
        Mem()->AutoScroll(s->object, std::max(s->rows - 1, 0), nKey == VK_PRIOR ? 1 : 2);
        return;
    case VK_LEFT:
        if (cell == nullptr)
            return;
        if (m_nCaret == 0) {
            // The caret lands at the current cell's last offset, kept inside the previous
            // cell when that one is shorter (the hex cell left of the first character cell).
            if (const MemCell* previous = MemCellAt(s, s->selRow, s->selCell - 1))
                MoveSelection(s->selRow, s->selCell - 1,
                              std::max(std::min(cell->length, previous->length) - 1, 0));
        } else {
            m_nCaret = std::max(m_nCaret - ((farPointer && m_nCaret == 5) ? 2 : 1), 0);
        }
        return;
    case VK_RIGHT:
        if (cell)
            StepCaretRight(cell);
        return;
    case VK_UP:
        if (s->selRow > 0)
            MoveSelection(s->selRow - 1, s->selCell, m_nCaret);
        else
            Mem()->AutoScroll(s->object, 1, 1);
        return;
    case VK_DOWN:
        if (s->selRow + 1 < s->rows)
            MoveSelection(s->selRow + 1, s->selCell, m_nCaret);
        else
            Mem()->AutoScroll(s->object, 1, 2);
        return;
    case VK_BACK:
        if (cell == nullptr)
            return;
        m_nCaret = std::max(m_nCaret - ((farPointer && m_nCaret == 5) ? 2 : 1), 0);
        Mem()->EditCell(s->object, m_nCaret, '0', cell->keyLow, cell->keyHigh, 0);
        return;
    case VK_DELETE:
        if (cell == nullptr)
            return;
        Mem()->EditCell(s->object, m_nCaret, '0', cell->keyLow, cell->keyHigh, 0);
        if (m_pState == s && (cell = SelectedMemCell(s)) != nullptr)
            StepCaretRight(cell);
        return;
    case VK_ESCAPE:
        if (cell)
            Mem()->EditCell(s->object, m_nCaret, 0, cell->keyLow, cell->keyHigh, 0);
        return;
    default: {
        // Any other key is the host's: its function keys act from the memory window too.
        if (HWND hTarget = HostKeyWindow())
            ::SendMessageW(hTarget, WM_KEYDOWN, nKey, 0);
        return;
    }
    }
}

void CMemChildWnd::OnCharacter(UINT nChar) {
    Reentry guard(s_charDepth);
    MemWndState* s = m_pState;
    if (!guard || s == nullptr || HostBusy())
        return;
    const MemCell* cell = SelectedMemCell(s);
    if (cell == nullptr)
        return;
    const int format = Format(s);
    if (format == MemFormat::byte && s->descriptor && s->selCell >= s->descriptor->firstCharCell) {
        // A character cell takes any printable character; the control characters of the
        // editing keys (already handled as keys) must not land in the target's memory.
        if (nChar < 0x20 || nChar == 0x7F)
            return;
        Mem()->EditCell(s->object, m_nCaret, static_cast<int>(nChar), cell->keyLow, cell->keyHigh,
                        1);
        if (m_pState == s && !(cell->flags & kMemCellLastOfRow) &&
            MemCellAt(s, s->selRow, s->selCell + 1))
            MoveSelection(s->selRow, s->selCell + 1, 0);
        return;
    }
    if (!Accepts(format, Radix(s), nChar))
        return;
    Mem()->EditCell(s->object, m_nCaret, static_cast<int>(nChar), cell->keyLow, cell->keyHigh, 0);
    if (m_pState == s && (cell = SelectedMemCell(s)) != nullptr) {
        InvalidateSelected();
        StepCaretRight(cell);
    }
}

void CMemChildWnd::OnScroll(UINT nCode) {
    Reentry guard(s_scrollDepth);
    MemWndState* s = m_pState;
    if (!guard || s == nullptr || HostBusy())
        return;
    int lines = 0, direction = 0;
    switch (nCode) {
    case SB_LINEUP:
        lines = 1, direction = 1;
        break;
    case SB_LINEDOWN:
        lines = 1, direction = 2;
        break;
    case SB_PAGEUP:
        lines = std::max(s->rows - 1, 0), direction = 1;
        break;
    case SB_PAGEDOWN:
        lines = std::max(s->rows - 1, 0), direction = 2;
        break;
    }
    ScrollLines(lines, direction, true);
}

// One scroll of the scroll bar or the wheel: the host's step, the thumb back in the middle and
// the selected cell announced again. The scroll bar steps only while a button or key that
// scrolls is held; a wheel holds none.
void CMemChildWnd::ScrollLines(int nLines, int nDirection, bool bHeldOnly) {
    MemWndState* s = m_pState;
    if (nLines >= 1) {
        if (bHeldOnly) {
            AutoScrollStep(s, nLines, nDirection);
        } else {
            Reentry guard(s_autoDepth);
            if (guard)
                Mem()->AutoScroll(s->object, nLines, nDirection);
        }
        if (m_pState != s)
            return; // closed by the host while it scrolled
    }
    SetScrollPos(SB_VERT, 50, TRUE);
    if (nLines < 1)
        return;
    if (const MemCell* cell = SelectedMemCell(s))
        Mem()->RequestRows(s->object, cell->keyLow, IsActiveCell(cell) ? 1 : 0, 0);
}

// Each whole notch is one step of the lines the user set for the wheel (a page when the user
// asked for pages), forward towards lower addresses; what is left of a notch waits for more.
void CMemChildWnd::OnWheel(int nDelta) {
    Reentry guard(s_scrollDepth);
    MemWndState* s = m_pState;
    if (!guard || s == nullptr || HostBusy())
        return;
    if ((m_nWheelDelta < 0 && nDelta > 0) || (m_nWheelDelta > 0 && nDelta < 0))
        m_nWheelDelta = 0; // a turn back starts a new notch
    m_nWheelDelta += nDelta;
    const int notches = m_nWheelDelta / WHEEL_DELTA;
    if (notches == 0)
        return;
    m_nWheelDelta -= notches * WHEEL_DELTA;
    UINT perNotch = 3;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0))
        perNotch = 3;
    const int lines = perNotch == WHEEL_PAGESCROLL
                          ? std::max(s->rows - 1, 0)
                          : static_cast<int>(std::min<UINT>(perNotch, kMemMaxRows));
    ScrollLines(std::abs(notches) * lines, notches > 0 ? 1 : 2, false);
}

void CMemChildWnd::OnSized(int cx, int cy) {
    if (m_pState == nullptr)
        return;
    const MemMetrics m = MemoryMetrics();
    m_pState->rows = std::max((cy - 2 * m.topMargin) / m.rowPitch, 0);
    m_pState->columns = std::max((cx - (m.colPitch & ~1)) / m.colPitch, 0);
    Invalidate(FALSE);
}

void CMemChildWnd::ShowPopup(CPoint point) {
    MemWndState* s = m_pState;
    if (s == nullptr || HostBusy() || HostTable() == nullptr)
        return;
    SetFocus();
    CurrentMemState() = s;
    HMENU hMenu = static_cast<HMENU>(
        HostTable()->BuildMemPopupMenu(MemoryPopupTable(), IsActiveCell(SelectedMemCell(s)) ? 1 : 0,
                                       reinterpret_cast<void*>(&MemoryPopupEnable)));
    if (hMenu == NULL || !::IsMenu(hMenu))
        return;
    ClientToScreen(&point);
    ::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
}

DROPEFFECT CMemChildWnd::DragEvent(int nEvent, DWORD dwKeyState, CPoint point) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_pState == nullptr)
        return DROPEFFECT_NONE;
    const Hit hit = HitTest(point);
    if (hit.row < 0)
        return DROPEFFECT_NONE;
    const char* target = hit.value ? "MemWndValue" : "MemWndAddress";
    const int id = ObjectId(m_pState->object);
    uint32_t effect = 0;
    if (nEvent == 0)
        service->DragEnter(kKindName, id, target, dwKeyState, &effect);
    else if (nEvent == 1)
        service->DragOver(kKindName, id, target, dwKeyState, &effect);
    else
        return service->Drop(kKindName, id, target);
    return effect;
}

DROPEFFECT CMemChildWnd::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint point) {
    return DragEvent(0, dwKeyState, point);
}

DROPEFFECT CMemChildWnd::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint point) {
    return DragEvent(1, dwKeyState, point);
}

void CMemChildWnd::OnDragLeave() {
    if (IDragDrop* service = DragDropService(); service && m_pState)
        service->DragLeave(kKindName, ObjectId(m_pState->object));
}

BOOL CMemChildWnd::OnDrop(COleDataObject*, DROPEFFECT, CPoint point) {
    return DragEvent(2, 0, point) != 0;
}
