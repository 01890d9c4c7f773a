#include "host/lib/host_memory.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/lib/host_requests.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"

namespace {

const MemoryWindowInterface* g_iface = nullptr;
std::string g_text; // the text builder
std::string g_lastMenu;

// Cell pools: the host's memory for the window's cell records.
struct CellPool {
    std::deque<MemCell> cells;
};
std::vector<std::unique_ptr<CellPool>>& Pools() {
    static std::vector<std::unique_ptr<CellPool>> pools;
    return pools;
}

HostMemView* ViewOf(const void* object) {
    return FindMemoryView(object);
}

uint64_t ReadUnit(uint32_t address, int size) {
    uint64_t value = 0;
    const std::vector<uint8_t>& m = TargetMemory();
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | (address + i < m.size() ? m[address + i] : 0);
    return value;
}

void WriteUnit(uint32_t address, int size, uint64_t value, HostMemView& view) {
    std::vector<uint8_t>& m = TargetMemory();
    view.changed.clear();
    for (int i = 0; i < size && address + i < m.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(value >> (8 * i));
        if (m[address + i] != byte)
            view.changed.push_back(address + i);
        m[address + i] = byte;
    }
}

int DigitsFor(int radix, int size) {
    switch (radix) {
    case 2:
        return 8 * size;
    case 8:
        return (8 * size + 2) / 3;
    case 10:
        return size >= 8 ? 20 : size >= 4 ? 10 : size >= 2 ? 5 : 3;
    default:
        return 2 * size;
    }
}

std::string InRadix(uint64_t value, int radix, int digits) {
    std::string text(digits, '0');
    for (int i = digits - 1; i >= 0 && value; --i, value /= radix)
        text[i] = "0123456789ABCDEF"[value % radix];
    return text;
}

bool IsFloat(int format) {
    return format == MemFormat::single || format == MemFormat::doubleFloat ||
           format == MemFormat::longDouble || format == MemFormat::longDoubleOld;
}

std::string FloatText(uint32_t address, int format) {
    char buffer[40];
    double value = 0;
    if (format == MemFormat::single) {
        const uint32_t bits = static_cast<uint32_t>(ReadUnit(address, 4));
        float f;
        std::memcpy(&f, &bits, 4);
        value = f;
    } else {
        const uint64_t bits = ReadUnit(address, 8);
        std::memcpy(&value, &bits, 8);
    }
    snprintf(buffer, sizeof buffer, "%+.6e", std::isfinite(value) ? value : 0.0);
    return buffer;
}

char Printable(uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

void Repaint(HostMemView& view, int erase) {
    if (g_iface && view.state)
        g_iface->Repaint(view.state, erase);
}

uint32_t Clamp(const HostMemView& view, int64_t top) {
    const int64_t last = kTargetMemorySize - view.bytesPerRow;
    top = std::clamp<int64_t>(top, 0, last);
    return static_cast<uint32_t>(top - top % view.bytesPerRow);
}

bool ParseAddress(const char* text, uint32_t& address) {
    if (text == nullptr)
        return false;
    for (const TargetRegion& r : TargetRegions())
        if (_stricmp(text, r.name) == 0)
            return address = r.start, true;
    char* end = nullptr;
    const unsigned long value = strtoul(text, &end, 16);
    if (end == text || *end != 0 || value >= kTargetMemorySize)
        return false;
    address = static_cast<uint32_t>(value);
    return true;
}

void UpdateDescriptor(HostMemView& view) {
    MemRowDescriptor& d = view.descriptor;
    d.view = &view;
    d.back = &view.back;
    view.back.depth = static_cast<uint32_t>(view.history.size());
    d.firstCharCell = view.bytesPerRow / UnitSize(d.format);
}

// --- the memory table's entries ---

void __cdecl RequestRows(void* object, uint32_t key, int active, int caret) {
    LogHostCall("Mem.RequestRows", static_cast<unsigned>(key), active, caret);
    (void)object;
}
int __cdecl AutoScroll(void* object, int lines, int direction) {
    LogHostCall("Mem.AutoScroll", lines, direction);
    HostMemView* view = ViewOf(object);
    if (view == nullptr)
        return 0;
    const int64_t step = static_cast<int64_t>(lines) * view->bytesPerRow;
    view->top = Clamp(*view, view->top + (direction == 1 ? -step : step));
    Repaint(*view, 0);
    return 1;
}
void* __cdecl GetRowDescriptor(void* object) {
    LogHostCall("Mem.GetRowDescriptor");
    HostMemView* view = ViewOf(object);
    return view ? &view->descriptor : nullptr;
}
void __cdecl GotoExpression(void* viewHandle, const char* text) {
    LogHostCall("Mem.GotoExpression", text);
    HostMemView* view = ViewOf(viewHandle);
    uint32_t address = 0;
    if (view == nullptr)
        return;
    if (text == nullptr)
        address = TargetRegions()[1].start; // home: the program's data
    else if (!ParseAddress(text, address))
        return;
    view->history.push_back(view->top);
    view->top = Clamp(*view, address);
    UpdateDescriptor(*view);
    Repaint(*view, 1);
}
const char* __cdecl GetCellText(void* viewHandle, uint32_t keyLow, uint32_t, int) {
    LogHostCall("Mem.GetCellText", static_cast<unsigned>(keyLow));
    static std::string text;
    HostMemView* view = ViewOf(viewHandle);
    if (view == nullptr)
        return nullptr;
    const uint32_t address = keyLow & ~kTextCellKey;
    if (keyLow & kTextCellKey)
        text = std::string(1, Printable(TargetMemory()[address % kTargetMemorySize]));
    else
        text = FormatUnit(*view, address);
    return text.c_str();
}
void __cdecl SetDisplayFormat(void* object, int format, int radix, uint32_t mode) {
    LogHostCall("Mem.SetDisplayFormat", format, radix, static_cast<unsigned>(mode));
    HostMemView* view = ViewOf(object);
    if (view == nullptr)
        return;
    view->descriptor.format = format;
    view->descriptor.radix = radix;
    view->descriptor.mode = mode;
    UpdateDescriptor(*view);
    if (g_iface && view->state)
        g_iface->SetTitle(view->state, ViewTitle(*view).c_str());
    Repaint(*view, 1);
}
void __cdecl PopupCommand87(void* object) {
    LogHostCall("Mem.Reload");
    if (HostMemView* view = ViewOf(object))
        Repaint(*view, 1);
}
void __cdecl PopupCommand46(void* viewHandle) {
    LogHostCall("Mem.Back");
    HostMemView* view = ViewOf(viewHandle);
    if (view == nullptr || view->history.empty())
        return;
    view->top = view->history.back();
    view->history.pop_back();
    UpdateDescriptor(*view);
    Repaint(*view, 1);
}
void __cdecl FillWindow(void* object, int rows, int columns) {
    LogHostCall("Mem.FillWindow", rows, columns);
    HostMemView* view = ViewOf(object);
    if (view == nullptr || g_iface == nullptr)
        return;
    MemWndState* state = view->state;
    const int format = view->descriptor.format;
    const int size = UnitSize(format);
    const int units = std::max(view->bytesPerRow / size, 1);
    const bool characterCells = format == MemFormat::byte;
    char address[16];
    for (int r = 0; r < rows; ++r) {
        const uint32_t row = view->top + static_cast<uint32_t>(r * view->bytesPerRow);
        if (row >= kTargetMemorySize)
            break;
        snprintf(address, sizeof address, "%08X", static_cast<unsigned>(row));
        g_iface->AddField(state, address, row, 0, 2, MemField::notCell);
        for (int u = 0; u < units; ++u) {
            const uint32_t at = row + static_cast<uint32_t>(u * size);
            const bool changed = std::any_of(view->changed.begin(), view->changed.end(),
                                             [&](uint32_t c) { return c >= at && c < at + size; });
            const uint32_t flags = changed ? MemField::mark8 : 0;
            g_iface->AddField(state, FormatUnit(*view, at).c_str(), at, 0, u + 1 == units ? 2 : 1,
                              flags);
        }
        if (characterCells) {
            for (int b = 0; b < view->bytesPerRow; ++b) {
                const char text[2] = {Printable(TargetMemory()[(row + b) % kTargetMemorySize]), 0};
                g_iface->AddField(state, text, (row + b) | kTextCellKey, 0, 0,
                                  b + 1 == view->bytesPerRow ? MemField::endOfRow : 0);
            }
        } else {
            std::string text;
            for (int b = 0; b < view->bytesPerRow; ++b)
                text += Printable(TargetMemory()[(row + b) % kTargetMemorySize]);
            g_iface->AddField(state, text.c_str(), row | kTextCellKey, 0, 0,
                              MemField::inactive | MemField::endOfRow);
        }
    }
    (void)columns;
}

// Parses the digits of a unit's text (the pointer formats' separator skipped) in a radix.
bool ParseUnit(const std::string& text, int radix, uint64_t& value) {
    value = 0;
    for (char c : text) {
        if (c == ':')
            continue;
        const char* digits = "0123456789ABCDEF";
        const char* at = strchr(digits, toupper(static_cast<unsigned char>(c)));
        if (c == 0 || at == nullptr || at - digits >= radix)
            return false;
        value = value * radix + static_cast<uint64_t>(at - digits);
    }
    return true;
}

std::vector<uint8_t>& MemoryAtLastStop();

// The unit the user typed into, as the value to write; false with the host's error when the
// text is no value of the unit's size (nothing is written then, not even part of it).
bool EditedUnit(HostMemView& view, uint32_t address, int caret, int character, uint64_t& value,
                int& size) {
    const int format = view.descriptor.format;
    size = IsFloat(format) ? std::min(UnitSize(format), 8) : UnitSize(format);
    std::string text = FormatUnit(view, address);
    if (caret < 0 || caret >= static_cast<int>(text.size()) || text[caret] == ':')
        return false; // not a digit's place: the grid moves the caret on, nothing to write
    text[caret] = static_cast<char>(character);
    if (IsFloat(format)) {
        char* end = nullptr;
        const double d = strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0')
            return ReportHostError("not a value: " + text);
        if (format == MemFormat::single) {
            const float f = static_cast<float>(d);
            uint32_t b32;
            std::memcpy(&b32, &f, 4);
            value = b32;
        } else {
            std::memcpy(&value, &d, 8);
        }
        return true;
    }
    const int radix = MemFormat::IsPointer(format) ? 16 : view.descriptor.radix;
    if (!ParseUnit(text, radix, value) || (size < 8 && (value >> (8 * size)) != 0))
        return ReportHostError("not a value: " + text);
    return true;
}

void __cdecl EditCell(void* object, int caret, int character, uint32_t keyLow, uint32_t keyHigh,
                      int characterCell) {
    LogHostCall("Mem.EditCell", caret, character, static_cast<unsigned>(keyLow),
                static_cast<unsigned>(keyHigh), characterCell);
    HostMemView* view = ViewOf(object);
    if (view == nullptr || character == 0)
        return; // Escape: nothing pending to drop in this host
    const uint32_t address = keyLow & ~kTextCellKey;
    if (!characterCell && (keyLow & kTextCellKey))
        return; // the text column of a wide format is not edited
    uint64_t value = static_cast<uint8_t>(character);
    int size = 1;
    if (!characterCell && !EditedUnit(*view, address, caret, character, value, size))
        return;
    if (address >= kTargetMemorySize || size > static_cast<int>(kTargetMemorySize - address)) {
        ReportHostError("outside the target's memory");
        return;
    }
    // Before the first stop there is nothing to compare with: the memory as it was before the
    // edit is what every view's marks are measured from.
    if (MemoryAtLastStop().empty())
        MemoryAtLastStop() = TargetMemory();
    WriteUnit(address, size, value, *view);
    // An edit of the target is seen by every window that shows it, as after a stop.
    PublishStop();
}
void __cdecl OnFocusLost(void*) {
    LogHostCall("Mem.OnFocusLost");
}
void __cdecl SelectAddress(void*, uint32_t keyLow, uint32_t) {
    LogHostCall("Mem.SelectAddress", static_cast<unsigned>(keyLow));
    char text[16];
    snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(keyLow & ~kTextCellKey));
    g_text += text;
}
void __cdecl ReleaseHandle(void* pool) {
    LogHostCall("Mem.ReleaseHandle", static_cast<const void*>(pool));
    auto& pools = Pools();
    pools.erase(
        std::remove_if(pools.begin(), pools.end(),
                       [pool](const std::unique_ptr<CellPool>& p) { return p.get() == pool; }),
        pools.end());
}
void* __cdecl AllocCell(void* pool, int) {
    for (const auto& p : Pools())
        if (p.get() == pool)
            return &p->cells.emplace_back();
    return nullptr;
}
void* __cdecl OpenHandle(int, int) {
    LogHostCall("Mem.OpenHandle");
    Pools().push_back(std::make_unique<CellPool>());
    return Pools().back().get();
}
// Draws one field where the window's character grid puts it, in the DC's font.
void __cdecl AddField(HWND, int32_t* xy, const char* text, int length, HDC dc,
                      uint32_t attributes) {
    if (dc == nullptr || xy == nullptr || text == nullptr)
        return;
    // One refill draws every field into the same DC with the same font: measured once.
    static HDC measured = nullptr;
    static HGDIOBJ measuredFont = nullptr;
    static TEXTMETRICA tm{};
    HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    if (dc != measured || font != measuredFont) {
        ::GetTextMetricsA(dc, &tm);
        measured = dc;
        measuredFont = font;
    }
    const int rowPitch = tm.tmHeight + tm.tmExternalLeading;
    const int left = xy[0] * tm.tmAveCharWidth + tm.tmAveCharWidth / 2;
    const int top = xy[1] * rowPitch + tm.tmExternalLeading;
    const RECT r{left, top, left + length * tm.tmAveCharWidth, top + rowPitch};
    ::SetTextColor(dc, (attributes & 2) ? RGB(220, 0, 0) : RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::ExtTextOutA(dc, left, top, ETO_OPAQUE, &r, text, static_cast<UINT>(length), nullptr);
}
void __cdecl PopupCommand161(MemWndState*) {
    LogHostCall("Mem.Modify");
}
void __cdecl PopupCommand113(MemWndState* state) {
    LogHostCall("Mem.Fill");
    // Fills the selected row with zeros, as the fill dialog's default would.
    for (auto& view : MemoryViews()) {
        if (view->state != state)
            continue;
        const uint32_t row = view->top + static_cast<uint32_t>(state->selRow * view->bytesPerRow);
        for (int b = 0; b < view->bytesPerRow && row + b < kTargetMemorySize; ++b)
            TargetMemory()[row + b] = 0;
        Repaint(*view, 0);
    }
}
void __cdecl PopupCommand121(MemWndState*) {
    LogHostCall("Mem.Search");
}
void __cdecl PopupCommand2(MemWndState*) {
    LogHostCall("Mem.StartAddress");
}
void __cdecl SubmitText(void* main, const MemBreakpointRecord* record) {
    if (record == nullptr)
        return LogHostCall("Mem.SubmitText", static_cast<const void*>(main));
    LogHostCall("Mem.SubmitText", static_cast<const void*>(main),
                reinterpret_cast<const char*>(static_cast<uintptr_t>(record->word[0])),
                static_cast<unsigned>(record->word[12]), static_cast<unsigned>(record->word[14]),
                static_cast<int>(record->word[15]));
}
const char* __cdecl GetAsmContext(MemWndState*) {
    LogHostCall("Mem.GetAsmContext");
    return "main";
}
void __cdecl ReplaceMemory(MemWndState*) {
    LogHostCall("Mem.Replace");
}

// --- the command table's text builder and menu builder ---

void __cdecl AppendText(int count, ...) {
    va_list args;
    va_start(args, count);
    for (int i = 0; i < count && i < 16; ++i)
        if (const char* part = va_arg(args, const char*))
            g_text += part;
    va_end(args);
    LogHostCall("AppendText", count, g_text.c_str());
}
const char* __cdecl GetText() {
    return g_text.c_str();
}
void __cdecl ClearText() {
    g_text.clear();
}

HMENU BuildMenu(const MemMenuItem* items, int active, MemMenuEnableFn enable, int depth) {
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; items && items[i].text && i < 64; ++i) {
        const MemMenuItem& item = items[i];
        std::wstring text(item.text, item.text + strlen(item.text));
        if ((item.flags & kMemMenuNested) && depth < 4) {
            HMENU nested = BuildMenu(reinterpret_cast<const MemMenuItem*>(item.command), active,
                                     enable, depth + 1);
            ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), text.c_str());
            continue;
        }
        const UINT id = static_cast<UINT>(item.command);
        ::AppendMenuW(menu, MF_STRING, id, text.c_str());
        if ((item.flags & 2) && !active)
            ::EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
        if (item.flags & 4)
            ::SetMenuDefaultItem(menu, id, FALSE);
        if ((item.flags & 8) && enable)
            ::CheckMenuItem(menu, id,
                            MF_BYCOMMAND | (enable(menu, static_cast<int>(id)) ? MF_CHECKED : 0));
        const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
        g_lastMenu += std::string(item.text) + ((state & MF_GRAYED) ? "|gray" : "") +
                      ((state & MF_CHECKED) ? "|checked" : "") +
                      ((item.flags & 4) ? "|default" : "") + ";";
    }
    return menu;
}

void* __cdecl BuildMemPopupMenu(const MemMenuItem* items, int active, MemMenuEnableFn enable) {
    LogHostCall("BuildMemPopupMenu", active);
    g_lastMenu.clear();
    return BuildMenu(items, active, enable, 0);
}

} // namespace

const std::vector<TargetRegion>& TargetRegions() {
    static const std::vector<TargetRegion> regions = {
        {"code", 0x0000, 0x4000},
        {"data", 0x4000, 0x2000},
        {"heap", 0x6000, 0x8000},
        {"stack", 0xF000, 0x1000},
    };
    return regions;
}

namespace {
// The target's memory as the windows last showed it after a stop (empty: nothing shown yet).
std::vector<uint8_t>& MemoryAtLastStop() {
    static std::vector<uint8_t> memory;
    return memory;
}
// Bytes from a view's top that a window can show; changes beyond are not marked.
constexpr uint32_t kMarkedSpan = 0x400;
} // namespace

std::vector<uint8_t>& TargetMemory() {
    static std::vector<uint8_t> memory = [] {
        std::vector<uint8_t> m;
        return m;
    }();
    if (memory.empty()) {
        memory.resize(kTargetMemorySize);
        ResetTargetMemory();
    }
    return memory;
}

void ResetTargetMemory() {
    ForgetMemoryChanges();
    std::vector<uint8_t>& m = TargetMemory();
    std::fill(m.begin(), m.end(), 0);
    uint32_t seed = 0x1234567u;
    for (uint32_t a = 0; a < 0x4000; ++a) { // code: a deterministic stream of opcodes
        seed = seed * 1103515245u + 12345u;
        m[a] = static_cast<uint8_t>(seed >> 16);
    }
    const char greeting[] = "Hello, target world!";
    std::memcpy(&m[0x4000], greeting, sizeof greeting);
    for (uint32_t i = 0; i < 64; ++i) // a table of counters
        m[0x4040 + i] = static_cast<uint8_t>(i * 3);
    const char name[] = "sensor_calibration";
    std::memcpy(&m[0x4100], name, sizeof name);
    for (uint32_t a = 0xF000; a < 0x10000; a += 4) // stack: return addresses
        m[a] = static_cast<uint8_t>(a >> 4), m[a + 1] = 0x12;
}

const MemoryWindowInterface* ConnectMemoryWindows(HMODULE library) {
    using ConnectFn = int(__cdecl*)(const MemoryWindowInterface**);
    auto connect = reinterpret_cast<ConnectFn>(
        reinterpret_cast<void*>(::GetProcAddress(library, "Mem_Connect")));
    g_iface = nullptr;
    if (connect)
        connect(&g_iface);
    return g_iface;
}

const MemoryWindowInterface* MemoryWindows() {
    return g_iface;
}

std::vector<std::unique_ptr<HostMemView>>& MemoryViews() {
    static std::vector<std::unique_ptr<HostMemView>> views;
    return views;
}

HostMemView* FindMemoryView(const void* object) {
    for (auto& view : MemoryViews())
        if (view.get() == object)
            return view.get();
    return nullptr;
}

int UnitSize(int format) {
    switch (format) {
    case MemFormat::word:
    case MemFormat::near16:
        return 2;
    case MemFormat::longWord:
    case MemFormat::single:
    case MemFormat::near32:
    case MemFormat::far16:
        return 4;
    case MemFormat::longLong:
    case MemFormat::doubleFloat:
        return 8;
    case MemFormat::longDouble:
    case MemFormat::longDoubleOld:
        return 8; // shown as a double: the simulated target has no wider floats
    case MemFormat::far32:
        return 6;
    default:
        return 1;
    }
}

std::string FormatUnit(const HostMemView& view, uint32_t address) {
    const int format = view.descriptor.format;
    const int size = UnitSize(format);
    if (IsFloat(format))
        return FloatText(address, format);
    if (MemFormat::IsFarPointer(format)) {
        const uint64_t value = ReadUnit(address, size);
        const int offsetDigits = format == MemFormat::far16 ? 4 : 8;
        const uint64_t offset = value & ((uint64_t(1) << (4 * offsetDigits)) - 1);
        const uint64_t segment = (value >> (4 * offsetDigits)) & 0xFFFF;
        return InRadix(segment, 16, 4) + ":" + InRadix(offset, 16, offsetDigits);
    }
    const int radix = MemFormat::IsPointer(format) ? 16 : view.descriptor.radix;
    const int useRadix = radix == 2 || radix == 8 || radix == 10 ? radix : 16;
    return InRadix(ReadUnit(address, size), useRadix, DigitsFor(useRadix, size));
}

std::string ViewTitle(const HostMemView& view) {
    const char* names[] = {"Byte", "Word", "Long", "Long Long", "Float", "Double", "Pointer"};
    const int f = view.descriptor.format;
    const char* name = f == MemFormat::word       ? names[1]
                       : f == MemFormat::longWord ? names[2]
                       : f == MemFormat::longLong ? names[3]
                       : f == MemFormat::single   ? names[4]
                       : IsFloat(f)               ? names[5]
                       : MemFormat::IsPointer(f)  ? names[6]
                                                  : names[0];
    char text[96];
    snprintf(text, sizeof text, "Address   %s, radix %d", name, view.descriptor.radix);
    return text;
}

HostMemView* OpenMemoryView(uint32_t address, int rows, int columns,
                            const HostMemViewOptions& options) {
    if (g_iface == nullptr)
        return nullptr;
    auto owned = std::make_unique<HostMemView>();
    HostMemView* view = owned.get();
    view->descriptor.format = options.format;
    view->descriptor.radix = options.radix;
    view->bytesPerRow = std::max(options.bytesPerRow, 1);
    if (options.placement) {
        HostState::Get().states[&view->position] = 1;
        HostState::Get().placements[&view->position] = *options.placement;
    }
    view->top = Clamp(*view, address);
    UpdateDescriptor(*view);
    MemoryViews().push_back(std::move(owned));
    MemWndState* state = nullptr;
    const int result = g_iface->Create(view, rows, columns, &view->state, &view->position);
    state = view->state;
    if (result != 0 || state == nullptr) {
        MemoryViews().pop_back();
        return nullptr;
    }
    g_iface->SetCaption(state, options.caption);
    g_iface->SetTitle(state, ViewTitle(*view).c_str());
    g_iface->Repaint(state, 1);
    return view;
}

void CloseMemoryView(HostMemView* view) {
    if (view == nullptr)
        return;
    if (g_iface && view->state)
        g_iface->Close(view->state);
    auto& views = MemoryViews();
    views.erase(
        std::remove_if(views.begin(), views.end(),
                       [view](const std::unique_ptr<HostMemView>& v) { return v.get() == view; }),
        views.end());
}

const std::string& LastMemoryMenu() {
    return g_lastMenu;
}

void FillMemoryCommands(HostCommandTable& t) {
    auto set = [&t](unsigned word, auto fn) { t.Word(word) = reinterpret_cast<void*>(fn); };
    set(38, &AppendText);
    set(39, &GetText);
    set(40, &ClearText);
    set(43, &BuildMemPopupMenu);
}

void FillMemoryTable(HostMemoryTable& t) {
    auto set = [&t](unsigned word, auto fn) { t.Word(word) = reinterpret_cast<void*>(fn); };
    set(2, &RequestRows);
    set(3, &AutoScroll);
    set(4, &GetRowDescriptor);
    set(5, &GotoExpression);
    set(6, &GetCellText);
    set(7, &SetDisplayFormat);
    set(8, &PopupCommand87);
    set(9, &PopupCommand46);
    set(10, &FillWindow);
    set(11, &EditCell);
    set(12, &OnFocusLost);
    set(13, &SelectAddress);
    set(14, &ReleaseHandle);
    set(15, &AllocCell);
    set(16, &OpenHandle);
    set(17, &AddField);
    set(18, &PopupCommand161);
    set(19, &PopupCommand113);
    set(20, &PopupCommand121);
    set(21, &PopupCommand2);
    set(22, &SubmitText);
    set(23, &GetAsmContext);
    set(24, &ReplaceMemory);
}

void ForgetMemoryChanges() {
    MemoryAtLastStop().clear();
}

void ShowMemoryChanges() {
    std::vector<uint8_t>& before = MemoryAtLastStop();
    const std::vector<uint8_t>& now = TargetMemory();
    for (const auto& view : MemoryViews()) {
        // A view none of whose bytes changed, and that marked none, shows what it showed.
        const bool marked = !view->changed.empty();
        if (!before.empty()) {
            view->changed.clear();
            const uint32_t end = std::min(view->top + kMarkedSpan, kTargetMemorySize);
            for (uint32_t a = view->top; a < end; ++a)
                if (before[a] != now[a])
                    view->changed.push_back(a);
            if (!marked && view->changed.empty())
                continue;
        }
        Repaint(*view, 0);
    }
    before = now;
}

bool ShowMemoryAt(uint32_t address) {
    if (address >= kTargetMemorySize)
        return false;
    if (MemoryViews().empty())
        return OpenMemoryView(address, 8, 80) != nullptr;
    HostMemView& view = *MemoryViews().front();
    view.history.push_back(view.top);
    view.top = Clamp(view, address);
    UpdateDescriptor(view);
    Repaint(view, 1);
    return true;
}
