#include "windows/asm/asm_views.h"

#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/asm/asm_view_map.h"
#include "windows/list/list_admin.h"
#include "windows/list/list_iface.h"
#include "windows/list/list_tree.h"
#include "windows/source/splitter.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CAsmPaneView, CDocView)
IMPLEMENT_DYNCREATE(CAsmAddrView, CAsmPaneView)
IMPLEMENT_DYNCREATE(CAsmSourceView, CAsmPaneView)

namespace {
// The list styles each pane takes and those it leaves (tree lines and buttons among them).
constexpr uint32_t kSourceStyleAdd = 0x40008108;
constexpr uint32_t kSourceStyleRemove = 0x01056027;
constexpr uint32_t kAddrStyleAdd = 0x00550100;
constexpr uint32_t kAddrStyleRemove = 0x00044027;
constexpr UINT kSourceIcons[] = {182, 185, 184};
constexpr UINT kAddrIcons[] = {182, 183};
constexpr uint32_t kColumnFlags = ListColumnFlag::pixels | ListColumnFlag::inMenu; // 10
constexpr uint32_t kLastColumnFlags = ListColumnFlag::fill;                        // 16
// The user overwrites opcode bytes and assembles source text in place; the coverage text is
// the host's own.
constexpr uint32_t kEditable = ListColumnFlag::editable;
constexpr int kColumnWidth = 100;
constexpr uint32_t kResetColumns = 1;

const ListWindowInterface& Lists() {
    return *ListWindowTable();
}

int ActiveCore() {
    return HostTable() != nullptr ? HostTable()->GetActiveCore() : 0;
}

CListTree* TreeOf(intptr_t id) {
    CListAdmin* admin = ListAdmin();
    CListWindow* pWindow = admin != nullptr ? admin->Find(id) : nullptr;
    return pWindow != nullptr ? pWindow->Tree() : nullptr;
}

} // namespace

// ---- both panes ----

CAsmPaneView::CAsmPaneView() : m_nCoreId(ActiveCore()) {}

bool CAsmPaneView::CreateList(const ListMenuEntry* pMenu, uint32_t styleRemove, uint32_t styleAdd,
                              const UINT* pIcons, int nIcons) {
    int id = static_cast<int>(reinterpret_cast<intptr_t>(m_hWnd));
    if (!Lists().Create(kAsmWindowKind, nullptr, &id, pMenu, 1))
        return false;
    m_listId = id;
    Lists().SetUserData(id, m_nCoreId);
    Lists().SetStyle(id, styleRemove, styleAdd);
    for (int i = 0; i < nIcons; ++i)
        Lists().SetImage(id, ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pIcons[i]),
                                          IMAGE_ICON, 16, 16, LR_SHARED));
    return true;
}

void CAsmPaneView::RegisterCallback(int nCode, uintptr_t fn) {
    Lists().SetCallback(static_cast<int>(m_listId), nCode, fn);
}

void CAsmPaneView::RegisterDragSource() {
    if (DragDropService() != nullptr)
        Lists().SetDragSource(static_cast<int>(m_listId), &AsmDragSource, kAsmWindowKind);
}

int CAsmPaneView::ListTopIndex() const {
    CListTree* pTree = TreeOf(m_listId);
    return pTree != nullptr && pTree->GetSafeHwnd() != NULL ? pTree->GetTopIndex() : 0;
}

int CAsmPaneView::ListPerPage() const {
    CListTree* pTree = TreeOf(m_listId);
    return pTree != nullptr && pTree->GetSafeHwnd() != NULL ? pTree->GetCountPerPage() : 0;
}

int CAsmPaneView::ListItemCount() const {
    CListAdmin* admin = ListAdmin();
    CListWindow* pWindow = admin != nullptr ? admin->Find(m_listId) : nullptr;
    return pWindow != nullptr ? pWindow->ItemCount() : 0;
}

void CAsmPaneView::ScrollListTo(int nIndex) {
    CListTree* pTree = TreeOf(m_listId);
    if (pTree == nullptr || pTree->GetSafeHwnd() == NULL)
        return;
    const int count = ListItemCount();
    const int top = std::max(0, std::min(nIndex, count - 1));
    // A list already there neither scrolls nor lays out its bars again.
    if (pTree->GetTopIndex() != top)
        pTree->SetTopIndex(top);
}

void CAsmPaneView::SelectListItem(int nIndex) {
    if (nIndex >= 0 && nIndex < ListItemCount())
        Lists().SelectItem(static_cast<int>(m_listId), nIndex, 1);
}

void CAsmPaneView::SetListRedraw(bool bOn) {
    if (CListAdmin* admin = ListAdmin())
        admin->EnableRedraw(m_listId, bOn ? TRUE : FALSE, CListAdmin::kShortPause);
}

// The list goes with the view: its id is the view's handle, which a later window may take.
void CAsmPaneView::OnDestroy() {
    AsmViewMap().Forget(this);
    if (CListAdmin* admin = ListAdmin())
        if (m_listId != 0)
            admin->Destroy(m_listId, nullptr);
    m_listId = 0;
    CDocView::OnDestroy();
}

BEGIN_MESSAGE_MAP(CAsmPaneView, CDocView)
ON_WM_DESTROY()
END_MESSAGE_MAP()

// ---- the address pane ----

CAsmAddrView::CAsmAddrView() {
    AsmViewMap().SetAddrView(m_nCoreId, this);
}

CAsmAddrView::~CAsmAddrView() {
    AsmViewMap().Forget(this);
}

void CAsmAddrView::SetMark(int nMark) {
    if (nMark == m_nMark)
        return;
    CListTree* pTree = TreeOf(m_listId);
    const int count = ListItemCount();
    for (int row : {m_nMark, nMark})
        if (pTree != nullptr && pTree->GetSafeHwnd() != NULL && row >= 0 && row < count)
            pTree->InvalidateItem(row);
    m_nMark = nMark;
}

int CAsmAddrView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDocView::OnCreate(lpcs) == -1)
        return -1;
    if (!CreateList(AsmMenuTable(), kAddrStyleRemove, kAddrStyleAdd, kAddrIcons,
                    static_cast<int>(std::size(kAddrIcons))))
        return -1;
    const int id = static_cast<int>(m_listId);
    Lists().SetColumn(id, 0, "Address", kLastColumnFlags);
    RegisterCallback(ListCallback::image, reinterpret_cast<uintptr_t>(&AsmAddrImage));
    RegisterCallback(ListCallback::command, reinterpret_cast<uintptr_t>(&AsmListCommand));
    RegisterCallback(ListCallback::adjustMenu, reinterpret_cast<uintptr_t>(&AsmAdjustMenu));
    RegisterCallback(ListCallback::colors, reinterpret_cast<uintptr_t>(&AsmColors));
    RegisterDragSource();
    return 0;
}

BEGIN_MESSAGE_MAP(CAsmAddrView, CAsmPaneView)
ON_WM_CREATE()
END_MESSAGE_MAP()

// ---- the disassembly pane ----

CAsmSourceView::CAsmSourceView() {
    AsmViewMap().SetSourceView(m_nCoreId, this);
}

CAsmSourceView::~CAsmSourceView() {
    AsmViewMap().Forget(this);
}

int CAsmSourceView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDocView::OnCreate(lpcs) == -1)
        return -1;
    if (!CreateList(AsmMenuTable(), kSourceStyleRemove, kSourceStyleAdd, kSourceIcons,
                    static_cast<int>(std::size(kSourceIcons))))
        return -1;
    auto* pSplitter = DYNAMIC_DOWNCAST(CSplitter, GetParent());
    SetColumns(pSplitter != nullptr && pSplitter->HasCoverageColumn());
    const bool bExtension = HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
    RegisterCallback(ListCallback::image, reinterpret_cast<uintptr_t>(&AsmSourceImage));
    RegisterCallback(ListCallback::command, reinterpret_cast<uintptr_t>(&AsmListCommand));
    RegisterCallback(ListCallback::scroll, reinterpret_cast<uintptr_t>(&AsmScroll));
    RegisterCallback(ListCallback::colors, reinterpret_cast<uintptr_t>(&AsmColors));
    RegisterCallback(ListCallback::adjustMenu, reinterpret_cast<uintptr_t>(&AsmAdjustMenu));
    if (!bExtension)
        RegisterCallback(ListCallback::imageClick, reinterpret_cast<uintptr_t>(&AsmImageClick));
    RegisterCallback(ListCallback::editStart, reinterpret_cast<uintptr_t>(&AsmEditStart));
    RegisterCallback(ListCallback::editEnd, reinterpret_cast<uintptr_t>(&AsmEditEnd));
    RegisterDragSource();
    return 0;
}

void CAsmSourceView::SetLines(const AsmLineRecord* pLines) {
    ForgetAsmHostColors();
    m_pLines = pLines;
    m_nFirstLine = pLines != nullptr ? static_cast<int>(pLines->addressKey) : 0;
}

void CAsmSourceView::SetColumns(bool bCoverage) {
    m_bCoverage = bCoverage;
    m_rows.clear();
    const int id = static_cast<int>(m_listId);
    if (id == 0)
        return;
    Lists().Reset(id, kResetColumns);
    std::vector<const char*> titles;
    if (bCoverage)
        titles.push_back("Coverage");
    titles.push_back("Opcode");
    titles.push_back("Source");
    for (size_t i = 0; i < titles.size(); ++i) {
        const bool bLast = i + 1 == titles.size();
        const bool bCoverageColumn = bCoverage && i == 0;
        Lists().SetColumn(id, static_cast<int>(i), titles[i],
                          (bLast ? kLastColumnFlags : kColumnFlags) |
                              (bCoverageColumn ? 0 : kEditable));
        Lists().SetColumnWidth(id, static_cast<int>(i), kColumnWidth);
    }
    Lists().Rebuild(id);
}

CAsmAddrView* CAsmSourceView::AddrView() const {
    return AsmViewMap().GetAddrView(m_nCoreId);
}

void CAsmSourceView::ShowLine(int nLine) {
    ForgetAsmHostColors();
    const int count = ListItemCount();
    if (count <= 0)
        return;
    // A line outside the chain is scrolled towards, but no row stands for it: no row is
    // selected for it, the selection stays where it was.
    const long long wanted = static_cast<long long>(nLine) - m_nFirstLine;
    const int index = static_cast<int>(std::max(-1LL, std::min<long long>(wanted, count)));
    const int top = ListTopIndex();
    const int perPage = ListPerPage();
    if (index < top || index >= top + perPage)
        ScrollToLine(std::max(0, std::min(index, count - 1) - perPage / 3));
    SelectListItem(index);
}

void CAsmSourceView::ScrollToLine(int nIndex) {
    ScrollListTo(nIndex);
    if (CAsmAddrView* pAddr = AddrView())
        pAddr->ScrollListTo(nIndex);
}

BEGIN_MESSAGE_MAP(CAsmSourceView, CAsmPaneView)
ON_WM_CREATE()
END_MESSAGE_MAP()
