#include "windows/memory/memstate.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "shell/hostlink.h"
#include "windows/memory/memchildwnd.h"
#include "windows/memory/memmetrics.h"

namespace {

struct FreeBlock {
    void operator()(MemWndState* p) const { std::free(p); }
};

struct MemRecord {
    std::unique_ptr<MemWndState, FreeBlock> block;
    std::array<int16_t, kMemMaxRows> filled{}; // cells the latest refill gave each row
    bool closed = false;
    bool deferred = false; // a paint found the refill stack full
};

std::map<const MemWndState*, MemRecord>& Records() {
    static std::map<const MemWndState*, MemRecord> records;
    return records;
}

MemRecord* RecordOf(const MemWndState* state) {
    auto found = Records().find(state);
    return found == Records().end() || found->second.closed ? nullptr : &found->second;
}

MemWndState* g_stack[kMemRefillStack];
int g_stackDepth = 0;
bool g_refilling = false;

bool Push(MemWndState* state) {
    for (int i = 0; i < g_stackDepth; ++i)
        if (g_stack[i] == state)
            return true;
    if (g_stackDepth == kMemRefillStack)
        return false;
    g_stack[g_stackDepth++] = state;
    return true;
}

void RemoveFromStack(const MemWndState* state) {
    int kept = 0;
    for (int i = 0; i < g_stackDepth; ++i)
        if (g_stack[i] != state)
            g_stack[kept++] = g_stack[i];
    g_stackDepth = kept;
}

void FreeRetired() {
    for (auto it = Records().begin(); it != Records().end();)
        it = it->second.closed ? Records().erase(it) : std::next(it);
}

void RestoreSelection(MemWndState* s, bool remembered, uint32_t key) {
    const int count = MemRowCellCount(s, 0);
    if (count == 0)
        return; // nothing to select: the selection stays where it was
    CMemChildWnd* pGrid = CMemChildWnd::FromState(s);
    if (s->selCell < count && s->selRow < s->rows) {
        MemCell* cell = SelectedMemCell(s);
        if (cell == nullptr || (remembered && cell->keyLow == key))
            return;
        g_pHostMemTable->RequestRows(s->object, cell->keyLow, IsActiveCell(cell) ? 1 : 0, 0);
        return;
    }
    s->selCell = std::clamp(s->selCell, 0, count - 1);
    s->selRow = std::clamp(s->selRow, 0, std::max(s->rows - 1, 0));
    MemCell* cell = SelectedMemCell(s);
    if (cell == nullptr)
        return;
    if (pGrid)
        pGrid->DrawSelection(true);
    g_pHostMemTable->RequestRows(s->object, cell->keyLow, IsActiveCell(cell) ? 1 : 0, 0);
}

void RefillOne(MemWndState* s) {
    MemRecord* record = RecordOf(s);
    HWND hGrid = static_cast<HWND>(s->grid);
    if (record == nullptr || !::IsWindow(hGrid) || g_pHostMemTable == nullptr)
        return;
    const bool titled = !(s->flags & kMemStateNoTitle);
    const MemCell* selected = titled ? SelectedMemCell(s) : nullptr;
    const bool remembered = selected != nullptr;
    const uint32_t key = remembered ? selected->keyLow : 0;
    HDC dc = ::GetDC(hGrid);
    HGDIOBJ oldFont = ::SelectObject(dc, MemoryFont());
    s->dc = dc;
    s->x = s->y = s->row = s->cellIndex = 0;
    record->filled.fill(0);
    g_pHostMemTable->FillWindow(s->object, s->rows, s->columns);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(hGrid, dc);
    s->dc = nullptr; // the block outlives a close from inside the host's call
    if (RecordOf(s) != nullptr && !(s->flags & kMemStateNoTitle))
        RestoreSelection(s, remembered, key);
}

} // namespace

MemWndState* NewMemState() {
    auto* block = static_cast<MemWndState*>(std::calloc(1, sizeof(MemWndState)));
    if (block == nullptr)
        return nullptr;
    MemRecord record;
    record.block.reset(block);
    Records().emplace(block, std::move(record));
    return block;
}

bool IsLiveMemState(const MemWndState* state) {
    return state != nullptr && RecordOf(state) != nullptr;
}

void RetireMemState(MemWndState* state) {
    MemRecord* record = RecordOf(state);
    if (record == nullptr)
        return;
    record->closed = true;
    RemoveFromStack(state);
    if (CurrentMemState() == state)
        CurrentMemState() = nullptr;
    if (!g_refilling)
        FreeRetired();
}

MemWndState*& CurrentMemState() {
    static MemWndState* current = nullptr;
    return current;
}

MemCell* MemCellAt(const MemWndState* state, int row, int index) {
    const MemRecord* record = RecordOf(state);
    if (record == nullptr || row < 0 || row >= kMemMaxRows || index < 0 ||
        index >= record->filled[row])
        return nullptr;
    return state->cells[row][index];
}

MemCell* SelectedMemCell(const MemWndState* state) {
    return state ? MemCellAt(state, state->selRow, state->selCell) : nullptr;
}

int MemRowCellCount(const MemWndState* state, int row) {
    int count = 0;
    for (int i = 0; i < kMemMaxCells; ++i) {
        const MemCell* cell = MemCellAt(state, row, i);
        if (cell == nullptr)
            break;
        ++count;
        if (cell->flags & kMemCellLastOfRow)
            break;
    }
    return count;
}

int MemRowOfLine(const MemWndState* state, int line) {
    for (int row = 0; row < kMemMaxRows; ++row) {
        const int count = MemRowCellCount(state, row);
        if (count == 0)
            return -1; // rows are filled from the top: no later row has cells
        for (int i = 0; i < count; ++i)
            if (state->cells[row][i]->y == line)
                return row;
    }
    return -1;
}

MemCell* FirstMemCellOnLine(const MemWndState* state, int row, int line) {
    const int count = MemRowCellCount(state, row);
    for (int i = 0; i < count; ++i)
        if (state->cells[row][i]->y == line)
            return state->cells[row][i];
    return nullptr;
}

uint32_t MemFieldAttributes(uint32_t flags) {
    using namespace MemField;
    uint32_t attributes = 0;
    if (flags & (mark8 | mark16))
        attributes += 2;
    if (flags & attr20)
        attributes += 0x10;
    else if (flags & attr40)
        attributes += 0x20;
    else if (flags & attr80)
        attributes += 0x40;
    return attributes;
}

bool AddMemField(MemWndState* s, const char* text, uint32_t key, int gap, uint32_t flags) {
    MemRecord* record = RecordOf(s);
    if (record == nullptr || s->dc == nullptr || g_pHostMemTable == nullptr)
        return false;
    const char* shown = text ? text : "";
    const int length = static_cast<int>(strnlen(shown, 4096));
    g_pHostMemTable->AddField(s->grid, &s->x, shown, length, s->dc, MemFieldAttributes(flags));
    if (RecordOf(s) == nullptr)
        return false; // closed by the host while it drew
    if (!(flags & MemField::notCell)) {
        // Cells past the table are drawn by the host but not kept.
        if (s->row >= 0 && s->row < kMemMaxRows && s->cellIndex >= 0 &&
            s->cellIndex < kMemMaxCells) {
            MemCell*& slot = s->cells[s->row][s->cellIndex];
            if (slot == nullptr)
                slot = static_cast<MemCell*>(g_pHostMemTable->AllocCell(s->cellPool, 1));
            if (slot != nullptr) {
                slot->flags = ((flags & MemField::inactive) ? 0 : kMemCellActive) |
                              ((flags & MemField::endOfRow) ? kMemCellLastOfRow : 0);
                slot->keyLow = key;
                slot->keyHigh = 0;
                slot->x = s->x;
                slot->y = s->y;
                slot->length = length;
                record->filled[s->row] = static_cast<int16_t>(s->cellIndex + 1);
                if (s->row == s->selRow && s->cellIndex == s->selCell)
                    if (CMemChildWnd* pGrid = CMemChildWnd::FromState(s))
                        pGrid->DrawSelectionOn(static_cast<HDC>(s->dc), true);
            }
        }
        if (flags & MemField::endOfRow) {
            ++s->row;
            s->cellIndex = 0;
        } else {
            ++s->cellIndex;
        }
    }
    if (flags & MemField::endOfRow) {
        s->x = 0;
        ++s->y;
    } else {
        s->x += length + gap;
    }
    return true;
}

void RefillMemWindow(MemWndState* state) {
    MemRecord* record = RecordOf(state);
    if (record == nullptr)
        return;
    if (!Push(state))
        record->deferred = true;
    if (g_refilling)
        return;
    g_refilling = true;
    while (g_stackDepth > 0) {
        MemWndState* next = g_stack[--g_stackDepth];
        RefillOne(next);
    }
    g_refilling = false;
    FreeRetired();
    for (auto& entry : Records()) {
        if (!entry.second.deferred)
            continue;
        entry.second.deferred = false;
        ::InvalidateRect(static_cast<HWND>(entry.second.block->grid), nullptr, FALSE);
    }
}
