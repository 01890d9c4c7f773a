// Filling the disassembly list (and the address list) from the host's chain. The host hands over
// a new chain after every stop, mostly of the same lines: then the rows keep their places, take
// the new records and only the rows that look different are repainted.
#include "windows/asm/asm_views.h"

#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/list/list_admin.h"
#include "windows/list/list_iface.h"
#include "windows/list/list_window.h"

#include <cstring>
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
    HostCoreScope core(m_nCoreId);
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
            look.texts.push_back(CoverageText(*p));
        look.texts.push_back(TextOf(p->opcodeText));
        look.texts.push_back(TextOf(p->sourceText));
        TrimRight(look.texts.back());
        look.address = TextOf(p->addressText);
        looks.push_back(std::move(look));
    }
    return looks;
}

void CAsmSourceView::FillLines(bool bWithAddress) {
    const int id = static_cast<int>(m_listId);
    if (id == 0 || HostTable() == nullptr)
        return;
    CAsmAddrView* pAddr = bWithAddress ? AddrView() : nullptr;
    const int addrId = pAddr != nullptr ? static_cast<int>(pAddr->ListId()) : 0;
    std::vector<AsmRowLook> looks = LooksOfChain();
    if (!RefreshInPlace(looks, addrId))
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
// rows): each row takes its new record, and a row that looks different is updated, which
// repaints it. False, and nothing changed, for any other chain.
bool CAsmSourceView::RefreshInPlace(const std::vector<AsmRowLook>& looks, int addrId) {
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
    return true;
}
