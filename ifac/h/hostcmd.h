// The host's side of the link: the command table that gui_Connect hands out, the memory table
// that Mem_ConnectG2C hands out, and the request record passed to the host. Both the library and
// the stand-in host compile against this one header, so the two sides cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// A font handle as the host hands it over (a GDI handle, one word on the wire).
typedef void* HFONT_WIRE;

// The 96-byte request record. Every filler zeroes all of it first.
struct HostRequest {
    uint32_t code;      // request code of the host's request interface
    uint32_t flags;     // option flags
    HostRequest* next;  // next record of a chain; null ends the chain
    uint32_t reserved;  // the library leaves it 0
    uint64_t param[10]; // text pointer in the low 4 bytes, or a 64-bit number

    void SetText(int slot, const char* text) { param[slot] = reinterpret_cast<uintptr_t>(text); }
    const char* Text(int slot) const {
        // On the 32-bit wire the pointer is the low 4 bytes; the cast keeps exactly those.
        return reinterpret_cast<const char*>(static_cast<uintptr_t>(param[slot]));
    }
};
MOX_WIRE32_ASSERT(sizeof(HostRequest) == 96, "HostRequest is 96 bytes");
MOX_WIRE32_ASSERT(offsetof(HostRequest, flags) == 4, "flags at 4");
MOX_WIRE32_ASSERT(offsetof(HostRequest, next) == 8, "next at 8");
MOX_WIRE32_ASSERT(offsetof(HostRequest, reserved) == 12, "reserved at 12");
MOX_WIRE32_ASSERT(offsetof(HostRequest, param) == 16, "slot 0 at 16");

constexpr uint32_t kHostRequestSelectCore = 130;
constexpr uint32_t kHostRequestSelectCoreFlags = 0x30000;

// Word-addressed tables: word 0 the major version, word 1 the minor version, then plain C
// functions (the caller removes the arguments). The library calls an entry only through Call,
// which answers a zero result for an entry the host left null instead of jumping to address 0
// inside the host's process.
template <unsigned Words> struct HostTableWords {
    uint32_t major;
    uint32_t minor;
    void* entry[Words - 2];

    static constexpr unsigned kWords = Words;
    // The entry the host documents as "word N".
    void*& Word(unsigned n) { return entry[n - 2]; }
    void* Word(unsigned n) const { return n >= 2 && n < Words ? entry[n - 2] : nullptr; }

    template <typename R = int, typename... A> R Call(unsigned n, A... args) const {
        using Fn = R(__cdecl*)(A...);
        void* fn = Word(n);
        if (!fn)
            return R();
        return reinterpret_cast<Fn>(fn)(args...);
    }
};

// One statement of a source line, as QueryLineInfo hands it out.
struct HostLineEntry {
    uint32_t flags;   // bit 0: a breakpoint is set on the statement
    const char* text; // what the menu shows
    uint32_t value;   // handed back as a request parameter
};
MOX_WIRE32_ASSERT(sizeof(HostLineEntry) == 12, "HostLineEntry is 12 bytes");

// Column word of QuerySourceLine.
constexpr uint32_t kColumnBreakpoint = 0x1;          // a breakpoint is set at the column
constexpr uint32_t kColumnLengthGiven = 0x80000000u; // bits 16..30 hold the text length
inline uint32_t ColumnOf(uint32_t word) {
    return (word >> 1) & 0x7FFF;
}
inline uint32_t ColumnLengthOf(uint32_t word) {
    return (word >> 16) & 0x7FFF;
}

// A code block of a source line (coverage and block comments), seven words. Word 0: bit 13 the
// block belongs to the line asked for, bits 0..3 kind 1 to 4, bits 14..15 sub-kind. Words 1 and
// 2: the block's 64-bit start address. Words 4 and 5: execution counts (kind 3 keeps both).
struct HostBlockRecord {
    uint32_t word[7];
};
MOX_WIRE32_ASSERT(sizeof(HostBlockRecord) == 28, "HostBlockRecord is 28 bytes");
constexpr uint32_t kBlockOfLine = 1u << 13;
constexpr uint32_t kBlockKindMask = 0xF;
inline uint32_t BlockKindOf(uint32_t flags) {
    return flags & kBlockKindMask;
}
inline uint32_t BlockSubKindOf(uint32_t flags) {
    return (flags >> 14) & 0x3;
}

// What ReadTargetMemory fills: a header word with the record count, then the records.
constexpr unsigned kHostBlockCapacity = 1024;
struct HostBlockBuffer {
    uint32_t count;
    HostBlockRecord record[kHostBlockCapacity];
};
MOX_WIRE32_ASSERT(offsetof(HostBlockBuffer, record) == 4, "records follow the count word");

struct HostCommandTable;
struct HostMemoryTable;
// What the host exports from its executable.
extern "C" {
typedef void(__cdecl* GuiConnectFn)(HostCommandTable** table);
typedef void(__cdecl* MemConnectFn)(HostMemoryTable** table);
}

constexpr unsigned kHostCommandWords = 66;
constexpr unsigned kHostMemoryWords = 25;

// The host's command table. Entry names follow the host's documentation; arguments are in call
// order. Texts are 8-bit in the host's ANSI code page.
struct HostCommandTable : HostTableWords<kHostCommandWords> {

    int ExecuteRequest(HostRequest* r, const char* text, int index, int a, int b) const {
        return Call(2, r, text, index, a, b);
    }
    int ExecuteRequestChain(int one, HostRequest* r, int* out, int zero, int one2) const {
        return Call(3, one, r, out, zero, one2);
    }
    int GetTargetType() const { return Call(4); }
    void ExecuteCommand(int command) const { Call<void>(5, command); }
    const char* GetPCRegisterName() const { return Call<const char*>(8); }
    int QueryMenuInsert() const { return Call(11); }
    int GetListItemText(int line, int size, char* buffer) const {
        return Call(12, line, size, buffer);
    }
    void* GetHostObject(int kind, void** out) const { return Call<void*>(14, kind, out); }
    void ExecuteUserButton(int button) const { Call<void>(15, button); }
    // Non-zero when the host did what the command asks (command 6: children were added).
    int ExecuteWindowCommand(void* hwnd, int command, int item) const {
        return Call(16, hwnd, command, item);
    }
    void ShowWindowContextMenu(void* hwnd, long x, long y, const char* text, int data,
                               int windowWord) const {
        Call<void>(17, hwnd, x, y, text, data, windowWord);
    }
    int GetPaneInfo(int pane, void* out) const { return Call(18, pane, out); }
    int GetLineColors(int kind, uint32_t* a, uint32_t* b, uint32_t* c) const {
        return Call(19, kind, a, b, c);
    }
    int IsCommandClassEnabled(int commandClass) const { return Call(20, commandClass); }
    const char* GetMultiLineText(const char* name, int zero) const {
        return Call<const char*>(21, name, zero);
    }
    // Background of a run of a source line (1-based line and column, the view's context tag);
    // a colour is used only when its top byte is 0.
    uint32_t GetSourceColor(int line, int column, int context) const {
        return Call<uint32_t>(22, line, column, context);
    }
    // The breakpoint columns of a 1-based source line: the column count, the table (one column
    // word each, host-owned, valid until the next call) in *columns.
    int QuerySourceLine(int context, int line, const uint32_t** columns) const {
        return Call(23, context, line, columns);
    }
    // The value of an expression as text: non-zero with *result pointing at the host's text
    // (valid until the next call). mode: 2 asks for the short tooltip form, 0 for the plain one.
    int EvaluateForTooltip(const char* text, const char** result, int* mode) const {
        return Call(24, text, result, mode);
    }
    int GetOption(int option) const { return Call(25, option); }
    void SetOption(int value, int option) const { Call<void>(26, value, option); }
    // Hands a block comment action to the host: mode 1 add, -1 edit, 0 delete; value points at
    // the 64-bit code address (the block record's word 1, or the evaluated address itself).
    void ReportEvaluationError(int mode, const void* value) const { Call<void>(27, mode, value); }
    int IsCoverageActive() const { return Call(28); }
    void ShowConditionTree(const char* expression) const { Call<void>(29, expression); }
    int OnIdle(long count) const { return Call(30, count); }
    int PreTranslateMessage(void* msg) const { return Call(31, msg); }
    int ExecuteRequestEx(HostRequest* r, const char* text, int index, int a, int b) const {
        return Call(36, r, text, index, a, b);
    }
    int ExecuteCommandLine(const char* line) const { return Call(37, line); }
    // The host's text builder: AppendText takes the number of texts, then the texts.
    template <typename... T> void AppendText(T... texts) const {
        Call<void>(38, static_cast<int>(sizeof...(texts)), static_cast<const char*>(texts)...);
    }
    void ClearText() const { Call<void>(40); }
    const char* GetText() const { return Call<const char*>(39); }
    int IsBusy() const { return Call(42); }
    // (item table, non-zero when the selected cell is active, enable callback) -> menu handle.
    void* BuildMemPopupMenu(const void* items, int active, void* enable) const {
        return Call<void*>(43, items, active, enable);
    }
    // The host's key of a source document (by its context tag); callers sign-extend it.
    int32_t GetDocumentKey(int context) const { return Call<int32_t>(44, context); }
    int GetValueTypeFlags(int value, int* flags) const { return Call(45, value, flags); }
    // The statements of a 1-based line of a module: 1 with *count entries in *table (host-owned,
    // valid until the next call), 0 when the line has none.
    int QueryLineInfo(const char* module, int line, int zero, int* count,
                      const HostLineEntry** table) const {
        return Call(46, module, line, zero, count, table);
    }
    const char* GetRegistryRoot() const { return Call<const char*>(47); }
    int EvaluateAddress(const char* expression, uint64_t* address) const {
        return Call(48, expression, address);
    }
    // The code blocks at an address: the host sets buffer->count (never above capacity) and
    // fills that many records from first (which is buffer->record).
    int ReadTargetMemory(const uint64_t* address, HostBlockBuffer* buffer, int capacity,
                         HostBlockRecord* first) const {
        return Call(49, address, buffer, capacity, first);
    }
    void SetCurrentCore(int core) const { Call<void>(50, core); }
    int GetCurrentCore() const { return Call(51); }
    int GetActiveCore() const { return Call(52); }
    void SetCoreMode(int mode) const { Call<void>(53, mode); }
    int GetCoreMode() const { return Call(54); }
    int GetCoreName(char* buffer, int size, int core) const { return Call(55, buffer, size, core); }
    int IsMultiCore() const { return Call(56); }
    int IsExtensionMode() const { return Call(57); }
    // Host-kept window settings; key is the address of the window's 5-word position record.
    // The state alone (four null outs) or flags, x, y, width and height of the placement.
    int GetWindowSetting(const void* key, int32_t* out0, int32_t* out1, int32_t* out2,
                         int32_t* out3, int32_t* out4) const {
        return Call(58, key, out0, out1, out2, out3, out4);
    }
    void SetWindowSetting(const void* key, int code, int32_t v0, int32_t v1, int32_t v2, int32_t v3,
                          int32_t v4) const {
        Call<void>(59, key, code, v0, v1, v2, v3, v4);
    }
    int CanJumpToDefinition(const char* symbol, int* out) const { return Call(60, symbol, out); }
    // The host's list fonts and colours: font, bold font, text, background, second text colour.
    int GetFontAndColors(HFONT_WIRE* font, HFONT_WIRE* bold, uint32_t* text, uint32_t* back,
                         uint32_t* second) const {
        return Call(61, font, bold, text, back, second);
    }
    const char* GetContextName(int value) const { return Call<const char*>(62, value); }
    int HasAllToolbar() const { return Call(63); }
    int SwitchContext(int context) const { return Call(64, context); }
    void OnListWindowCreated(int window) const { Call<void>(65, window); }
};
MOX_WIRE32_ASSERT(sizeof(HostCommandTable) == kHostCommandWords * 4, "66 words");
MOX_WIRE32_ASSERT(offsetof(HostCommandTable, entry) == 8, "entries start at word 2");

// The host's memory-service table: the same version header, then words 2 to 24, which only the
// memory window calls. "object" is the host's window object, "view" the descriptor's view
// handle, "state" the window's MemWndState.
//
// RequestRows: the three places that call it pass (object, key, active flag, caret offset) in
// that order everywhere; offset 0 where no caret moves.
struct HostMemoryTable : HostTableWords<kHostMemoryWords> {
    void RequestRows(void* object, uint32_t key, int active, int caret) const {
        Call<void>(2, object, key, active, caret);
    }
    int AutoScroll(void* object, int lines, int direction) const {
        return Call(3, object, lines, direction);
    }
    void* GetRowDescriptor(void* object) const { return Call<void*>(4, object); }
    void GotoExpression(void* view, const char* text) const { Call<void>(5, view, text); }
    const char* GetCellText(void* view, uint32_t keyLow, uint32_t keyHigh) const {
        return Call<const char*>(6, view, keyLow, keyHigh, 0);
    }
    void SetDisplayFormat(void* object, int format, int radix, uint32_t mode) const {
        Call<void>(7, object, format, radix, mode);
    }
    void PopupCommand87(void* object) const { Call<void>(8, object); }
    void PopupCommand46(void* view) const { Call<void>(9, view); }
    void FillWindow(void* object, int rows, int columns) const {
        Call<void>(10, object, rows, columns);
    }
    void EditCell(void* object, int caret, int character, uint32_t keyLow, uint32_t keyHigh,
                  int characterCell) const {
        Call<void>(11, object, caret, character, keyLow, keyHigh, characterCell);
    }
    void OnFocusLost(void* object) const { Call<void>(12, object); }
    void SelectAddress(void* object, uint32_t keyLow, uint32_t keyHigh) const {
        Call<void>(13, object, keyLow, keyHigh);
    }
    void ReleaseHandle(void* pool) const { Call<void>(14, pool); }
    void* AllocCell(void* pool, int count) const { return Call<void*>(15, pool, count); }
    void* OpenHandle(int size, int zero) const { return Call<void*>(16, size, zero); }
    // Draws one field at *xy (x characters, y lines) into dc.
    void AddField(void* grid, int32_t* xy, const char* text, int length, void* dc,
                  uint32_t attributes) const {
        Call<void>(17, grid, xy, text, length, dc, attributes);
    }
    void PopupCommand161(void* state) const { Call<void>(18, state); }
    void PopupCommand113(void* state) const { Call<void>(19, state); }
    void PopupCommand121(void* state) const { Call<void>(20, state); }
    void PopupCommand2(void* state) const { Call<void>(21, state); }
    void SubmitText(void* mainWindow, void* record) const { Call<void>(22, mainWindow, record); }
    const char* GetAsmContext(void* state) const { return Call<const char*>(23, state); }
    void ReplaceMemory(void* state) const { Call<void>(24, state); }
};
MOX_WIRE32_ASSERT(sizeof(HostMemoryTable) == kHostMemoryWords * 4, "25 words");
