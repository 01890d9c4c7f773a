#include "windows/eval/eval_ctrl.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cstring>
#include <string>

#include "shell/app/appearance.h"
#include "shell/app/pending_command.h"
#include "shell/app/tarvikapp.h"
#include "shell/frame/frame_ids.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/common/droptarget.h"
#include "windows/common/host_keys.h"
#include "windows/eval/set_value_line.h"

IMPLEMENT_DYNCREATE(CEvalCtrl, XSECTreeCtrl)

BEGIN_MESSAGE_MAP(CEvalCtrl, XSECTreeCtrl)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr const char* kKind = "EvalWnd";
constexpr COLORREF kGrey = RGB(100, 100, 100);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The host's commands that arrive as WM_COMMAND and go back to it with the selected item.
constexpr int kForwarded[] = {5,   6,   8,   9,   10,  11,  12,  13,  17,  156,
                              175, 176, 177, 178, 217, 219, 249, 271, 277, 278};
constexpr int kCmdEditValue = 3;
constexpr int kCmdExpand = 6;
constexpr int kCmdEnter = 176;
constexpr int kCmdNoItem = 177;
constexpr int kCmdDelete = 178;

const char* ExpressionOf(const EvalItemRecord* pRecord) {
    return pRecord != nullptr && pRecord->info != nullptr ? pRecord->info->expression : nullptr;
}

uint32_t InfoFlags(const EvalItemRecord* pRecord) {
    return pRecord != nullptr && pRecord->info != nullptr ? pRecord->info->flags : 0;
}

bool HostIsMultiCore() {
    return HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0;
}
} // namespace

CString FromHost(const char* text) {
    if (text == nullptr || *text == 0)
        return CString();
    const int cch = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (cch <= 0)
        return CString();
    CString result;
    LPWSTR buffer = result.GetBuffer(cch);
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, cch);
    result.ReleaseBuffer();
    return result;
}

CEvalCtrl::CEvalCtrl() = default;
CEvalCtrl::~CEvalCtrl() = default;

bool CEvalCtrl::MultiCoreHost() const {
    return HostTable() != nullptr && HostIsMultiCore();
}

const EvalItemRecord* CEvalCtrl::RecordOf(HTREEITEM hItem) {
    if (hItem == NULL || ItemFromHandle(hItem) == nullptr)
        return nullptr;
    return reinterpret_cast<const EvalItemRecord*>(GetItemData(hItem));
}

void CEvalCtrl::AttachWindow(int nWindow) {
    m_nWindow = nWindow;
    const bool bLocals = nWindow == kLocalsWindow;
    if (IDragDrop* service = DragDropService()) {
        auto pTarget = std::make_unique<CDropTarget>();
        if (pTarget->Register(this))
            m_pDropTarget = std::move(pTarget);
        if (!bLocals)
            service->RegisterDropTarget(kKind, m_nWindow);
        service->RegisterDragSource(kKind, m_nWindow);
    }
    if (bLocals) {
        if (MultiCoreHost() && HostTable()->GetOption(13) != 1)
            m_nCoreId = HostTable()->GetActiveCore();
        SetColumnText(0, L"Variable");
    } else {
        SetColumnText(0, L"Expression");
    }
    Invalidate();
}

bool CEvalCtrl::IsEditing() {
    SECListEdit* pEdit = GetEditControl();
    return pEdit != nullptr && pEdit->GetSafeHwnd() != NULL;
}

// ---- Texts and colours.

LRESULT CEvalCtrl::NotifyGetDispInfo(TVITEMW* pItem) {
    if (pItem == nullptr || !(pItem->mask & TVIF_TEXT) || pItem->pszText == nullptr ||
        pItem->pszText == LPSTR_TEXTCALLBACKW || pItem->cchTextMax <= 0)
        return XSECTreeCtrl::NotifyGetDispInfo(pItem);
    const EvalItemRecord* pRecord = RecordOf(pItem->hItem);
    if (pRecord == nullptr) {
        pItem->pszText[0] = 0;
        return 0;
    }
    const CString text = FromHost(pRecord->name ? pRecord->name : ExpressionOf(pRecord));
    lstrcpynW(pItem->pszText, text, pItem->cchTextMax);
    return 0;
}

// The value column is read from the item record whenever it is asked for: the list keeps no
// copy of it that could go stale.
BOOL CEvalCtrl::GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify) {
    if (pItem == nullptr || !(pItem->mask & LVIF_TEXT) || pItem->iSubItem != 1)
        return XSECTreeCtrl::GetItem(pItem, bCopyText, bNotify);
    HTREEITEM hItem = GetItemFromIndex(pItem->iItem);
    if (hItem == NULL)
        return FALSE;
    pItem->mask &= ~LVIF_TEXT;
    const BOOL bResult = pItem->mask == 0 || XSECTreeCtrl::GetItem(pItem, bCopyText, bNotify);
    pItem->mask |= LVIF_TEXT;
    const EvalItemRecord* pRecord = RecordOf(hItem);
    m_strValue = pRecord != nullptr ? FromHost(pRecord->value) : CString();
    if (bCopyText) {
        if (pItem->pszText != nullptr && pItem->cchTextMax > 0)
            lstrcpynW(pItem->pszText, m_strValue, pItem->cchTextMax);
    } else {
        pItem->pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(m_strValue));
    }
    return bResult;
}

void CEvalCtrl::PickTextColors(SECListPaintContext* pContext) {
    XSECTreeCtrl::PickTextColors(pContext);
    // A highlighted cell keeps the selection's colours, so that the caret row stays visible.
    if (pContext->rgbTextBk != GetTextBkColor())
        return;
    pContext->rgbText = Appearance().text;
    pContext->rgbTextBk = kWhite;
    if (pContext->pCol == nullptr || pContext->pCol->iSubItem != 1)
        return;
    const EvalItemRecord* pRecord = RecordOf(GetItemFromIndex(pContext->lvi.iItem));
    if (pRecord == nullptr)
        return;
    if (pRecord->flags & EvalItemFlags::grey)
        pContext->rgbText = kGrey;
    else if (pRecord->flags & EvalItemFlags::changed)
        pContext->rgbText = kRed;
}

CFont* CEvalCtrl::PickTextFont(SECListPaintContext* pContext) {
    CFont* pFont = XSECTreeCtrl::PickTextFont(pContext);
    if (HFONT hFont = Appearance().plain)
        pFont = CFont::FromHandle(hFont);
    pContext->pFont = pFont;
    return pFont;
}

// ---- Expanding.

LRESULT CEvalCtrl::NotifyItemExpanding(HTREEITEM hItem, UINT nCode) {
    const EvalItemRecord* pRecord = RecordOf(hItem);
    if (pRecord != nullptr && (nCode & 0x3) == TVE_EXPAND &&
        (pRecord->flags & EvalItemFlags::hasChildren) &&
        !(pRecord->flags & EvalItemFlags::childrenRequested) && HostTable() != nullptr) {
        const int answer = HostTable()->ExecuteWindowCommand(
            m_hWnd, kCmdExpand, static_cast<int>(reinterpret_cast<intptr_t>(pRecord)));
        // The host may have replaced the item while it answered.
        if (answer != 0 && RecordOf(hItem) == pRecord)
            const_cast<EvalItemRecord*>(pRecord)->flags |= EvalItemFlags::childrenRequested;
        if (ItemFromHandle(hItem) == nullptr)
            return 1;
    }
    return XSECTreeCtrl::NotifyItemExpanding(hItem, nCode);
}

// ---- Value edits.

void CEvalCtrl::EditCaretValue() {
    if (IsEditing())
        return;
    HTREEITEM hCaret = GetSelectedItem();
    const int nRow = hCaret != NULL ? FindItemIndex(hCaret) : -1;
    if (nRow >= 0)
        SECTreeBaseC::List::EditLabel(nRow, 1);
}

LRESULT CEvalCtrl::NotifyBeginLabelEdit(int nRow, int nSubItem) {
    if (nSubItem == 0)
        return 1; // names are the host's
    HTREEITEM hItem = GetItemFromIndex(nRow);
    const EvalItemRecord* pRecord = RecordOf(hItem);
    if (pRecord == nullptr || pRecord->editValue == nullptr ||
        (pRecord->flags & (EvalItemFlags::notEditable | EvalItemFlags::notEditable2 | 0x4)) ||
        (InfoFlags(pRecord) & EvalInfoFlags::readOnly))
        return 1;
    m_pEditRecord = pRecord;
    m_hEditItem = hItem;
    if (SECListEdit* pEdit = GetEditControl())
        pEdit->SetWindowText(FromHost(pRecord->editValue));
    g_bHostCommandBusy = 1;
    return 0;
}

void CEvalCtrl::ForgetEdit() {
    if (m_hEditItem != NULL || m_pEditRecord != nullptr)
        g_bHostCommandBusy = 0;
    m_pEditRecord = nullptr;
    m_hEditItem = NULL;
}

BOOL CEvalCtrl::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
    if (nSubItem == 0)
        return XSECTreeCtrl::NotifyEndLabelEdit(nRow, nSubItem, pText, bAccept);
    const EvalItemRecord* pRecord = m_pEditRecord;
    HTREEITEM hItem = m_hEditItem;
    ForgetEdit();
    g_bHostCommandBusy = 0;
    // The item must still be the one the edit began on, with the same record.
    if (!bAccept || pText == nullptr || pText->IsEmpty() || pRecord == nullptr ||
        RecordOf(hItem) != pRecord || HostTable() == nullptr)
        return FALSE;
    // A character without an 8-bit form would reach the host as another one: nothing is sent.
    char* text = nullptr;
    BOOL bLossy = FALSE;
    if (!WideToAnsiHeap(*pText, &text, &bLossy) || text == nullptr || bLossy) {
        if (text != nullptr)
            ::HeapFree(::GetProcessHeap(), 0, text);
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    SetValueInput in;
    in.text = text;
    ::HeapFree(::GetProcessHeap(), 0, text);
    in.expression = ExpressionOf(pRecord);
    in.suffix = pRecord->suffix;
    in.dereferenceString = (pRecord->flags & EvalItemFlags::dereferenceString) != 0;
    if (m_nCoreId != -1 && MultiCoreHost()) {
        in.wrapCore = true;
        in.core = m_nCoreId;
        in.activeCore = HostTable()->GetActiveCore();
    }
    std::string line;
    const SetValueResult result = BuildSetValueLine(in, sizeof PendingHostCommand.line, line);
    if (result == SetValueResult::tooLong || result == SetValueResult::controlCharacter)
        ::MessageBeep((UINT)-1);
    if (result == SetValueResult::ok)
        LeavePendingHostCommand(line, 0);
    return FALSE; // the host shows the new value in its record
}

// The host changes or removes an item while the user edits it: the edit ends without touching
// the item.
void CEvalCtrl::EndEditForHost(HTREEITEM hItem, bool bSubtree) {
    if (m_hEditItem == NULL || !IsEditing())
        return;
    bool bAffected = hItem == m_hEditItem || hItem == TVI_ROOT;
    for (HTREEITEM h = m_hEditItem; bSubtree && !bAffected && h != NULL; h = GetParentItem(h))
        bAffected = h == hItem;
    if (!bAffected)
        return;
    m_pEditRecord = nullptr; // nothing is sent for it
    EndLabelEdit(FALSE);
    ForgetEdit();
}

// ---- Host commands, keys and mouse.

void CEvalCtrl::SendCommand(int nCommand, const EvalItemRecord* pRecord) {
    if (HostTable() != nullptr)
        HostTable()->ExecuteWindowCommand(m_hWnd, nCommand,
                                          static_cast<int>(reinterpret_cast<intptr_t>(pRecord)));
}

BOOL CEvalCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int nCommand = LOWORD(wParam);
    if (lParam == 0 && nCommand == kCmdEditValue) {
        EditCaretValue();
        return TRUE;
    }
    if (lParam == 0 &&
        std::find(std::begin(kForwarded), std::end(kForwarded), nCommand) != std::end(kForwarded)) {
        const EvalItemRecord* pRecord = RecordOf(GetSelectedItem());
        if (pRecord != nullptr || nCommand == kCmdNoItem)
            SendCommand(nCommand, pRecord);
        return TRUE;
    }
    return XSECTreeCtrl::OnCommand(wParam, lParam);
}

void CEvalCtrl::OnEnter() {
    const EvalItemRecord* pRecord = RecordOf(GetSelectedItem());
    if (pRecord == nullptr)
        return;
    if (pRecord->flags & EvalItemFlags::enterRunsCommand)
        SendCommand(kCmdEnter, pRecord);
    else if ((pRecord->flags & (EvalItemFlags::notEditable | EvalItemFlags::notEditable2)) ||
             (InfoFlags(pRecord) & EvalInfoFlags::readOnly))
        ::MessageBeep((UINT)-1);
    else
        EditCaretValue();
}

void CEvalCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsFunctionKey(nChar))
        return; // the host's window had them in the pre-translate hook
    if (nChar == VK_RETURN) {
        OnEnter();
        return;
    }
    if (nChar == VK_DELETE) {
        if (const EvalItemRecord* pRecord = RecordOf(GetSelectedItem()))
            SendCommand(kCmdDelete, pRecord);
        return;
    }
    XSECTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CEvalCtrl::PreTranslateMessage(MSG* pMsg) {
    // Taken once the host has it: left to go on, the frame's accelerators would hand the same
    // key to the host a second time as its command (one F5, two runs).
    if (pMsg->message == WM_KEYDOWN && IsFunctionKey(static_cast<UINT>(pMsg->wParam)) &&
        SendFunctionKeyToHost(pMsg->wParam, pMsg->lParam))
        return TRUE;
    return XSECTreeCtrl::PreTranslateMessage(pMsg);
}

void CEvalCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const auto token = LifeToken();
    XSECTreeCtrl::OnLButtonDblClk(nFlags, point);
    if (!Alive(token))
        return;
    const EvalItemRecord* pRecord = RecordOf(GetSelectedItem());
    if (pRecord != nullptr && !(InfoFlags(pRecord) & EvalInfoFlags::noDoubleClickEdit))
        OnEnter();
}

void CEvalCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    const EvalItemRecord* pRecord = RecordOf(hItem);
    const bool bDrag = pRecord != nullptr && !(InfoFlags(pRecord) & EvalInfoFlags::readOnly) &&
                       pRecord->noDrag == 0 && pRecord->info != nullptr &&
                       pRecord->info->dragKey == -1 && !(pRecord->flags & EvalItemFlags::grey);
    const auto token = LifeToken();
    if (bDrag && DragDropService() != nullptr) {
        SelectItem(hItem);
        if (!Alive(token) || RecordOf(hItem) != pRecord)
            return;
        StartDrag(pRecord, point);
        if (!Alive(token))
            return;
    }
    XSECTreeCtrl::OnLButtonDown(nFlags, point);
}

void CEvalCtrl::OnRClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    CPoint client = point;
    ScreenToClient(&client);
    HTREEITEM hItem = HitTest(client, nullptr);
    const auto token = LifeToken();
    if (hItem != NULL)
        SelectItem(hItem);
    if (!Alive(token) || HostTable() == nullptr)
        return;
    const EvalItemRecord* pRecord = RecordOf(hItem);
    const EvalInfoRecord* pInfo = pRecord != nullptr ? pRecord->info : nullptr;
    HostTable()->ShowWindowContextMenu(
        m_hWnd, point.x, point.y, reinterpret_cast<const char*>(pInfo),
        static_cast<int>(reinterpret_cast<intptr_t>(pRecord)), m_nWindow);
}

// ---- Drag and drop.

bool CEvalCtrl::InNameColumn(CPoint point) {
    SECListColumn* pColumn = GetColumnCount() > 0 ? GetColumnAt(0) : nullptr;
    return pColumn != nullptr && point.x < pColumn->cx;
}

namespace {
// The drag's property record, closed on every way out.
class DragRecord {
public:
    explicit DragRecord(IDragDrop* service) : m_service(service) {
        m_service->BeginRecord(kDragRecordItem, &m_record);
    }
    ~DragRecord() { m_service->EndRecord(kDragRecordItem, m_record); }
    void Add(const char* key, const char* text) { m_service->AddString(m_record, 0, key, text); }
    void Add(const char* key, int value) { m_service->AddInteger(m_record, 0, key, value); }
    void* Get() const { return m_record; }

private:
    IDragDrop* m_service;
    void* m_record = nullptr;
};

// The core number that "CORE:" in an expression names, read only within the text.
bool CoreInExpression(const char* expression, int* pCore) {
    const char* found = expression != nullptr ? std::strstr(expression, "CORE:") : nullptr;
    if (found == nullptr || std::strlen(found) <= 6)
        return false;
    return std::sscanf(found + 6, "%i", pCore) == 1;
}

const char* FormatOf(int flags) {
    static const char* const names[] = {"HEX", "DEC", "OCT", "BIN", "ASCII", "ASCII:15"};
    for (int bit = 0; bit < 6; ++bit)
        if (flags & (1 << bit))
            return names[bit];
    return nullptr;
}
} // namespace

void CEvalCtrl::StartDrag(const EvalItemRecord* pRecord, CPoint point) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || HostTable() == nullptr)
        return;
    const bool bSymbol = InNameColumn(point);
    const char* expression = ExpressionOf(pRecord);
    std::string dragKind = bSymbol ? "EvalWndSymbol" : "EvalWndValue";
    DragRecord record(service);
    if (pRecord->name != nullptr) {
        record.Add("NAME", pRecord->name);
        record.Add("TEXT", expression != nullptr ? expression : pRecord->name);
        record.Add("ADDRESS", ("&(" + std::string(pRecord->name) + ")").c_str());
        record.Add("LANGUAGE", "ASM");
    } else if (expression != nullptr) {
        record.Add("TEXT", expression);
        record.Add("NAME", expression);
        record.Add("ADDRESS", ("(char*)" + std::string(expression)).c_str());
    }
    const bool bMultiCore = MultiCoreHost();
    if (m_nWindow != kLocalsWindow) {
        int core = 0;
        if (bMultiCore && CoreInExpression(expression, &core))
            record.Add("COREID", core);
    } else {
        record.Add("LOCAL_WIN", "defined");
        if (bMultiCore) {
            if (HostTable()->GetOption(13) != 1) {
                if (m_nCoreId != -1)
                    record.Add("COREID", m_nCoreId);
            } else if (const int active = HostTable()->GetActiveCore(); active != -1) {
                record.Add("COREID", active);
            }
        }
    }
    if (pRecord->value != nullptr)
        record.Add("VALUE", pRecord->value);
    const int id = pRecord->info != nullptr ? pRecord->info->id : 0;
    if (HostVersionAtLeast(3, 2)) {
        int unused = 0;
        if (const char* format = FormatOf(HostTable()->GetValueTypeFlags(id, &unused)))
            record.Add("FORMAT", format);
    }
    record.Add("ID", id);
    service->StartDrag(kKind, m_nWindow, dragKind.c_str(), record.Get());
}

// Entering and moving over the tree ask the service alike: the name column takes symbols, the
// value column values.
DROPEFFECT CEvalCtrl::OfferDrop(bool bEnter, DWORD dwKeyState, CPoint point) {
    uint32_t effect = 0;
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_nWindow == kLocalsWindow)
        return effect;
    const char* target = InNameColumn(point) ? "EvalWndSymbol" : "EvalWndValue";
    if (bEnter)
        service->DragEnter(kKind, m_nWindow, target, dwKeyState, &effect);
    else
        service->DragOver(kKind, m_nWindow, target, dwKeyState, &effect);
    return effect;
}

DROPEFFECT CEvalCtrl::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint point) {
    return OfferDrop(true, dwKeyState, point);
}

DROPEFFECT CEvalCtrl::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint point) {
    return OfferDrop(false, dwKeyState, point);
}

DROPEFFECT CEvalCtrl::OnDrop(COleDataObject*, DROPEFFECT, CPoint point) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_nWindow == kLocalsWindow)
        return DROPEFFECT_NONE;
    return service->Drop(kKind, m_nWindow, InNameColumn(point) ? "EvalWndSymbol" : "EvalWndValue");
}

void CEvalCtrl::OnDragLeave() {
    if (IDragDrop* service = DragDropService(); service && m_nWindow != kLocalsWindow)
        service->DragLeave(kKind, m_nWindow);
}

void CEvalCtrl::OnDestroy() {
    // An edit that ends with its window gets no end notification: the busy flag goes here.
    ForgetEdit();
    if (IDragDrop* service = DragDropService(); service && m_nWindow != 0) {
        if (m_pDropTarget) {
            m_pDropTarget->Revoke();
            m_pDropTarget.reset();
        }
        if (m_nWindow != kLocalsWindow)
            service->UnregisterDropTarget(kKind, m_nWindow);
        service->UnregisterDragSource(kKind, m_nWindow);
    }
    m_pDropTarget.reset();
    XSECTreeCtrl::OnDestroy();
}

// ---- The host's side.

void CEvalCtrl::RequestClose() {
    HostRequest request{};
    request.code = 5;
    request.flags = 0x4000;
    request.param[4] = m_nWindow == kLocalsWindow ? 32 : 2;
    wchar_t number[16];
    std::swprintf(number, 16, L"%d", m_nWindow);
    HostRequest* chain = &request;
    if (m_nCoreId != -1 && MultiCoreHost())
        chain = WrapRequestInCoreSwitch(m_nCoreId, &request, HostTable()->GetActiveCore());
    SendHostRequest(chain, number, 1, 1, 0, 0, 0);
}

void EvalWnd_RequestClose(CEvalCtrl* pCtrl) {
    if (pCtrl != nullptr && pCtrl->GetSafeHwnd() != NULL)
        pCtrl->RequestClose();
}
