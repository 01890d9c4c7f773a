// Filling the disassembly list (and the address list) from the host's chain. The host hands over
// a new chain after every stop, mostly of the same lines: then the rows keep their places, take
// the new records and only the rows that look different are repainted.
#include "windows/asm/asm_views.h"

#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/list/list_admin.h"
#include "windows/list/list_iface.h"
#include "windows/list/list_window.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace {
constexpr uint32_t kResetItems = 8;
constexpr const char* kCoverageBreak = "<NL>";

void TrimRight(std::string& text) {
    const size_t end = text.find_last_not_of(" \t");
    text.erase(end == std::string::npos ? 0 : end + 1);
}

// The coverage text of a record up to its first "<NL>".
std::string CoverageText(const AsmLineRecord& record) {
    const char* text =
        HostTable()->GetMultiLineText(reinterpret_cast<const char*>(&record.blockComment), 0);
    if (text == nullptr)
        return std::string();
    const char* cut = std::strstr(text, kCoverageBreak);
    return cut != nullptr ? std::string(text, cut) : std::string(text);
}

std::string TextOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

const ListWindowInterface& Lists() {
    return *ListWindowTable();
}

CListWindow* WindowOf(int id) {
    CListAdmin* admin = ListAdmin();
    return admin != nullptr && id != 0 ? admin->Find(id) : nullptr;
}

// The item record of a row: its texts point into the look, its data names the record.
struct RowItem {
    AsmItemData data{};
    const char* columns[3] = {};
    ListItemRecord item{};

    RowItem(int window, const AsmLineRecord* record, const std::vector<std::string>& texts) {
        data.record = const_cast<AsmLineRecord*>(record);
        for (size_t i = 0; i < texts.size() && i < 3; ++i)
            columns[i] = texts[i].c_str();
        item.window = window;
        item.texts = columns;
        item.data = &data;
        item.dataLength = sizeof data;
        item.parent = ListParent::root;
        item.image = 0xFFFF;
        item.stateImage = 0xFFFF;
    }
};
} // namespace

std::vector<AsmRowLook> CAsmSourceView::LooksOfChain() {
    std::vector<AsmRowLook> looks;
    // A chain whose links loop ends where it meets a record again.
    std::unordered_set<const AsmLineRecord*> seen;
    for (const AsmLineRecord* p = m_pLines;
         p != nullptr && static_cast<int>(seen.size()) < kMaxAsmLineRecords &&
         seen.insert(p).second;
         p = p->next) {
        AsmRowLook look;
        look.key = p->addressKey;
        look.flags = p->flags;
        look.background = p->background;
        if (m_bCoverage)
            look.texts.emplace_back();
        look.texts.push_back(TextOf(p->opcodeText));
        look.texts.push_back(TextOf(p->sourceText));
        TrimRight(look.texts.back());
        look.address = TextOf(p->addressText);
        looks.push_back(std::move(look));
    }
    return looks;
}

// The coverage texts of the rows on the page are asked now; those of the other rows when they
// come into view or are copied. Until then a row that stays keeps the text it had.
void CAsmSourceView::TakeCoverage(std::vector<AsmRowLook>& looks, bool bInPlace) {
    if (!m_bCoverage)
        return;
    const int top = ListTopIndex();
    const int last = top + ListPerPage();
    std::optional<HostCoreScope> core;
    const AsmLineRecord* p = m_pLines;
    for (size_t i = 0; i < looks.size(); ++i, p = p->next) {
        const int row = static_cast<int>(i);
        std::string& coverage = looks[i].texts.front();
        if (row < top || row > last) {
            if (bInPlace)
                coverage = m_rows[i].texts.front();
            looks[i].coverageDue = true;
            continue;
        }
        if (!core)
            core.emplace(m_nCoreId);
        coverage = CoverageText(*p);
    }
}

void CAsmSourceView::SupplyCoverage(int nFirst, int nLast) {
    CListWindow* pList = WindowOf(static_cast<int>(m_listId));
    if (!m_bCoverage || pList == nullptr || HostTable() == nullptr)
        return;
    const int end = std::min({nLast + 1, static_cast<int>(m_rows.size()), pList->ItemCount()});
    std::optional<HostCoreScope> core;
    for (int row = std::max(0, nFirst); row < end; ++row) {
        AsmRowLook& look = m_rows[static_cast<size_t>(row)];
        CListItem* pItem = pList->Item(row);
        auto* data = pItem != nullptr ? static_cast<AsmItemData*>(pItem->Data()) : nullptr;
        if (!look.coverageDue || data == nullptr || data->record == nullptr)
            continue;
        if (!core)
            core.emplace(m_nCoreId);
        look.texts.front() = CoverageText(*data->record);
        look.coverageDue = false;
        pItem->SetHostText(0, look.texts.front().c_str());
    }
}

void CAsmSourceView::FillLines(bool bWithAddress) {
    const int id = static_cast<int>(m_listId);
    if (id == 0 || HostTable() == nullptr)
        return;
    CAsmAddrView* pAddr = bWithAddress ? AddrView() : nullptr;
    const int addrId = pAddr != nullptr ? static_cast<int>(pAddr->ListId()) : 0;
    std::vector<AsmRowLook> looks = LooksOfChain();
    const bool bInPlace = CanRefreshInPlace(looks, addrId);
    TakeCoverage(looks, bInPlace);
    if (bInPlace)
        RefreshInPlace(looks, addrId);
    else
        Refill(looks, addrId);
    m_rows = std::move(looks);
    m_bAddressRows = addrId != 0;
}

void CAsmSourceView::Refill(const std::vector<AsmRowLook>& looks, int addrId) {
    const int id = static_cast<int>(m_listId);
    Lists().Reset(id, kResetItems);
    if (addrId != 0)
        Lists().Reset(addrId, kResetItems);
    const AsmLineRecord* p = m_pLines;
    for (const AsmRowLook& look : looks) {
        RowItem row(id, p, look.texts);
        Lists().InsertItem(&row.item);
        if (addrId != 0) {
            const char* address[1] = {look.address.c_str()};
            row.item.window = addrId;
            row.item.texts = address;
            Lists().InsertItem(&row.item);
        }
        p = p->next;
    }
    Lists().Rebuild(id);
    if (addrId != 0)
        Lists().Rebuild(addrId);
}

// The same lines in the same rows (and, when the address list is refilled too, as many address
// rows).
bool CAsmSourceView::CanRefreshInPlace(const std::vector<AsmRowLook>& looks, int addrId) {
    CListWindow* pList = WindowOf(static_cast<int>(m_listId));
    CListWindow* pAddrList = WindowOf(addrId);
    const size_t count = looks.size();
    if (pList == nullptr || count == 0 || m_rows.size() != count ||
        static_cast<size_t>(pList->ItemCount()) != count ||
        (addrId != 0 && (!m_bAddressRows || pAddrList == nullptr ||
                         static_cast<size_t>(pAddrList->ItemCount()) != count)))
        return false;
    for (size_t i = 0; i < count; ++i)
        if (looks[i].key != m_rows[i].key)
            return false;
    return true;
}

// Each row takes its new record, and a row that looks different is updated, which repaints it.
void CAsmSourceView::RefreshInPlace(const std::vector<AsmRowLook>& looks, int addrId) {
    CListWindow* pList = WindowOf(static_cast<int>(m_listId));
    CListWindow* pAddrList = WindowOf(addrId);
    const size_t count = looks.size();
    const AsmLineRecord* p = m_pLines;
    for (size_t i = 0; i < count; ++i, p = p->next) {
        const int index = static_cast<int>(i);
        const bool bChanged = looks[i] != m_rows[i];
        if (bChanged) {
            RowItem row(static_cast<int>(m_listId), p, looks[i].texts);
            Lists().UpdateItem(index, &row.item);
            if (pAddrList != nullptr) {
                const char* address[1] = {looks[i].address.c_str()};
                row.item.window = addrId;
                row.item.texts = address;
                Lists().UpdateItem(index, &row.item);
            }
            continue;
        }
        // An unchanged row only names the new record: the host may free the old one.
        for (CListWindow* pWindow : {pList, pAddrList})
            if (pWindow != nullptr)
                if (auto* data = static_cast<AsmItemData*>(pWindow->Item(index)->Data()))
                    data->record = const_cast<AsmLineRecord*>(p);
    }
}
