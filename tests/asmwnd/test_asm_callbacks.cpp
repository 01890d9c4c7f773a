// The assembler panes' callbacks against a recording host: what the host receives for each
// command, how menu entries, images and colours follow a line's flags, what an edit leaves for
// command 280 and what a drag carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "shell/app/pending_command.h"
#include "shell/frame/window_update.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/asm/asm_line_host.h"

namespace {
using namespace AsmCommand;

constexpr uint32_t kKey = kAsmLineKeyBase + 0x10; // line 16 of the host's disassembly

// What the host received, one entry a call, in order.
std::vector<std::string> g_calls;
std::map<uint32_t, std::string> g_addresses; // GetListItemText answers by line id
int g_targetType = 54;
int g_option0 = 0;
const void* g_commentArea = nullptr; // the record's word 27, as the block comment should name
uint32_t g_codeText = 0x123456;

void Note(const std::string& s) {
    g_calls.push_back(s);
}

std::string Records(const HostRequest* r) {
    std::string out;
    for (int i = 0; r != nullptr && i < 8; ++i, r = r->next) {
        char head[32];
        std::snprintf(head, sizeof head, "%s%u/0x%x", out.empty() ? "" : ",",
                      static_cast<unsigned>(r->code), static_cast<unsigned>(r->flags));
        out += head;
        for (int slot = 0; slot < 10; ++slot) {
            if (r->param[slot] == 0)
                continue;
            const bool bText = r->code == 115 && slot == 0;
            out += " s" + std::to_string(slot) + "=" +
                   (bText ? std::string(r->Text(0)) : std::to_string(r->param[slot]));
        }
    }
    return out;
}

int __cdecl Request(HostRequest* r, const char* text, int index, int, int) {
    Note("R " + Records(r) + " '" + (text ? text : "") + "' " + std::to_string(index));
    return 1;
}
int __cdecl RequestChain(int, HostRequest* r, int*, int, int) {
    Note("C " + Records(r));
    return 1;
}
int __cdecl SwitchContext(int context) {
    if (context != 0)
        Note("ctx" + std::to_string(context));
    return 0;
}
int __cdecl ListItemText(int line, int size, char* buffer) {
    Note("T@" + std::to_string(HostState::Get().currentCore));
    const auto it = g_addresses.find(static_cast<uint32_t>(line));
    const std::string text = it != g_addresses.end() ? it->second : "";
    // A text as long as the buffer or longer fills all of it and leaves no end.
    std::memcpy(buffer, text.c_str(), std::min(text.size() + 1, static_cast<size_t>(size)));
    return 1;
}
const char* __cdecl NoPcName() {
    return nullptr;
}
int __cdecl TargetType() {
    return g_targetType;
}
void __cdecl Execute(int command) {
    Note("E" + std::to_string(command));
}
int __cdecl GetOption(int option) {
    return option == 0 ? g_option0 : 0;
}
void __cdecl SetOption(int value, int option) {
    Note("O" + std::to_string(value) + "," + std::to_string(option));
}
void __cdecl BlockComment(int mode, const void* area) {
    Note("B" + std::to_string(mode) + (area == g_commentArea ? " word27" : " elsewhere"));
}
int __cdecl FontAndColors(HFONT_WIRE*, HFONT_WIRE*, uint32_t* text, uint32_t* back,
                          uint32_t* second) {
    Note("F");
    *text = g_codeText;
    *back = 0xFFFFFF;
    *second = 0;
    return 1;
}

// The component's record words, recorded as the drag source fills them.
int g_record = 0;
int __cdecl BeginRecord(CocoComponent*, int kind, void** record) {
    Note("open " + std::to_string(kind));
    *record = &g_record;
    return 1;
}
int __cdecl AddString(CocoComponent*, void* record, int index, const char* key, const char* text) {
    Note(std::to_string(index) + " " + key + "=" + text + (record == &g_record ? "" : " (stray)"));
    return 1;
}
int __cdecl AddInteger(CocoComponent*, void* record, int index, const char* key, int value) {
    Note(std::to_string(index) + " " + key + "=#" + std::to_string(value) +
         (record == &g_record ? "" : " (stray)"));
    return 1;
}

template <typename F> void SetWord(unsigned n, F fn) {
    HostTable()->Word(n) = reinterpret_cast<void*>(fn);
}

class AsmCallbacks : public ::testing::Test {
protected:
    void TearDown() override { SetWindowUpdate(kUpdateAssembler, true); }

    void Bind(unsigned minor = 13, int cores = 1, bool bExtension = false) {
        HostOptions o;
        o.minor = minor;
        o.cores = cores;
        o.extension = bExtension;
        ConfigureHost(o);
        ASSERT_EQ(1, ConnectHost(nullptr));
        // The window keeps the host's colours between the host's updates; a new host is one.
        ForgetAsmHostColors();
        ImportDragDropService();
        SetWord(2, &Request);
        SetWord(3, &RequestChain);
        SetWord(4, &TargetType);
        SetWord(5, &Execute);
        SetWord(12, &ListItemText);
        SetWord(25, &GetOption);
        SetWord(26, &SetOption);
        SetWord(27, &BlockComment);
        SetWord(61, &FontAndColors);
        SetWord(64, &SwitchContext);
        if (g_pCocoComponent != nullptr) {
            g_pCocoComponent->word[9] = reinterpret_cast<void*>(&BeginRecord);
            g_pCocoComponent->word[11] = reinterpret_cast<void*>(&AddString);
            g_pCocoComponent->word[12] = reinterpret_cast<void*>(&AddInteger);
        }
        g_addresses = {{kKey, "0x1000"}};
        g_targetType = 54;
        g_option0 = 0;
        g_calls.clear();
        SetWindowUpdate(kUpdateAssembler, true);
    }

    AsmLineRecord Line(uint16_t flags) {
        AsmLineRecord r{};
        r.flags = flags;
        r.addressKey = kKey;
        r.opcodeText = "E3A01002";
        r.sourceText = "MOV R1, #2";
        r.background = 0xFFFFFFFF;
        return r;
    }
    // Runs the command on the line (null: no line) of a pane of the core; what the host got.
    std::vector<std::string> Run(int command, AsmLineRecord* record, int core = 0) {
        g_calls.clear();
        AsmItemData data{record};
        g_commentArea = record ? &record->blockCommentArea[0] : nullptr;
        AsmListCommand(record ? &data : nullptr, command, 0, core, 0);
        return g_calls;
    }
};

using Calls = std::vector<std::string>;

TEST_F(AsmCallbacks, EachCommandSendsItsRequestsWithTheLinesAddress) {
    Bind();
    const std::string a = "'0x1000' ";
    const struct {
        int command;
        Calls calls;
    } kRows[] = {
        {setBreakpoint, {"T@0", "ctx1", "R 116/0x8000 " + a + "0"}},
        {clearBreakpoint, {"T@0", "ctx1", "R 101/0x8400 " + a + "0"}},
        {goHere, {"T@0", "ctx1", "R 106/0x1000 " + a + "0", "ctx1", "C 138/0x8000"}},
        {setPc, {"T@0", "ctx1", "R 115/0x8000 s0=PC s2=90 " + a + "1", "ctx1", "C 138/0x8000"}},
        {findSource, {"T@0", "ctx2", "R 8/0x200 s0=4 " + a + "1"}},
        {showMemory, {"T@0", "ctx1", "R 109/0x400 " + a + "0"}},
        {jumpToBrowser, {"T@0", "ctx1", "R 8/0x200 s0=13 " + a + "1"}},
        {home, {"ctx1", "R 8/0x200 s0=5 'ASM(CS:[EIP])' 1"}},
        {changeAddress, {"E155"}},
        {addBlockComment, {"B1 word27"}},
        {deleteBlockComment, {"B0 word27"}},
        {editBlockComment, {"B-1 word27"}},
        {sourceAnnotations, {"O1,0"}},
        {ListNotice::activated, {}},
    };
    for (const auto& row : kRows) {
        AsmLineRecord line = Line(kAsmLineCode);
        EXPECT_EQ(row.calls, Run(row.command, &line)) << row.command;
    }
    g_option0 = 1;
    AsmLineRecord line = Line(kAsmLineCode);
    EXPECT_EQ(Calls{"O0,0"}, Run(sourceAnnotations, &line));
}

TEST_F(AsmCallbacks, ALineWithoutAnAddressTextSendsNothing) {
    Bind();
    g_addresses.clear();
    for (int command :
         {setBreakpoint, clearBreakpoint, goHere, setPc, findSource, showMemory, jumpToBrowser}) {
        AsmLineRecord line = Line(kAsmLineCode);
        EXPECT_EQ(Calls{"T@0"}, Run(command, &line)) << command;
        EXPECT_EQ(Calls{}, Run(command, nullptr)) << command;
    }
    // A host that fills all of the buffer gets it ended: the text is cut, never read past.
    g_addresses = {{kKey, std::string(300, '7')}};
    AsmLineRecord line = Line(kAsmLineCode);
    const Calls calls = Run(showMemory, &line);
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("R 109/0x400 '" + std::string(kAsmAddressTextSize - 1, '7') + "' 0", calls[2]);
}

TEST_F(AsmCallbacks, CurrentInstructionFollowsTheTargetAndTheRegisterName) {
    Bind(13, 2);
    HostState::Get().activeCore = 0;
    HostState::Get().currentCore = 0;
    g_targetType = 54;
    EXPECT_EQ((Calls{"ctx1", "R 8/0x200 s0=5 'CORE:1(ASM(CS:[EIP]))' 1"}), Run(home, nullptr, 1));
    g_targetType = 3; // the stand-in host names its program counter "PC"
    EXPECT_EQ((Calls{"ctx1", "R 8/0x200 s0=5 '(char *)CORE:1(ASM(PC))' 1"}), Run(home, nullptr, 1));
    SetWord(8, &NoPcName);
    EXPECT_EQ((Calls{"ctx1", "R 8/0x200 s0=5 'CORE:1(ASM(CS:[IP]))' 1"}), Run(home, nullptr, 1));
}

TEST_F(AsmCallbacks, OnAMultiCoreHostTheRequestsRunOnTheViewsCore) {
    Bind(13, 2);
    HostState& s = HostState::Get();
    s.activeCore = 0;
    s.currentCore = 0;
    s.coreMode = 1;
    const std::string wrap1 = "130/0x30000 s1=1,", wrap0 = ",130/0x30000";
    AsmLineRecord line = Line(kAsmLineCode);
    EXPECT_EQ((Calls{"T@1", "ctx1", "R " + wrap1 + "116/0x8000" + wrap0 + " '0x1000' 0"}),
              Run(setBreakpoint, &line, 1));
    EXPECT_EQ((Calls{"T@1", "ctx1", "R " + wrap1 + "106/0x1000" + wrap0 + " '0x1000' 0", "ctx1",
                     "C 138/0x8000"}),
              Run(goHere, &line, 1));
    // The host is given back its core and its mode.
    EXPECT_EQ(0, s.currentCore);
    EXPECT_EQ(1, s.coreMode);
}

TEST_F(AsmCallbacks, InExtensionModeOnlyChangeAddressAndHomeAct) {
    Bind(13, 1, true);
    for (int command :
         {setBreakpoint, clearBreakpoint, goHere, setPc, findSource, showMemory, jumpToBrowser,
          addBlockComment, deleteBlockComment, editBlockComment, sourceAnnotations}) {
        AsmLineRecord line = Line(kAsmLineCode);
        EXPECT_EQ(Calls{}, Run(command, &line)) << command;
    }
    AsmLineRecord line = Line(kAsmLineCode);
    EXPECT_EQ(Calls{"E155"}, Run(changeAddress, &line));
    EXPECT_EQ((Calls{"ctx1", "R 8/0x200 s0=5 'ASM(CS:[EIP])' 1"}), Run(home, &line));
    const ListMenuEntry* menu = AsmMenuTable();
    ASSERT_NE(nullptr, menu[0].text);
    EXPECT_EQ((uintptr_t)changeAddress, menu[0].command);
    EXPECT_EQ((uintptr_t)home, menu[1].command);
    EXPECT_EQ(nullptr, menu[2].text);
}

TEST_F(AsmCallbacks, ImageDoubleClickTogglesTheBreakpointOfACodeLine) {
    Bind();
    const struct {
        uint16_t flags;
        const char* request; // null: nothing sent
    } kRows[] = {
        {kAsmLineCode, "R 116/0x8000 '0x1000' 0"},
        {kAsmLineCode | kAsmLineBreakpoint, "R 101/0x8400 '0x1000' 0"},
        {kAsmLineCode | kAsmLineNoBreakpoint, nullptr},
        {0, nullptr},
    };
    for (const auto& row : kRows) {
        AsmLineRecord line = Line(row.flags);
        AsmItemData data{&line};
        g_calls.clear();
        AsmImageClick(&data, 0, 0);
        EXPECT_EQ(row.request ? Calls({"T@0", "ctx1", row.request}) : Calls{}, g_calls)
            << row.flags;
    }
}

// The entries of the full table after adjustment to a line (null: none), by command.
std::map<uintptr_t, ListMenuEntry> Adjusted(AsmLineRecord* record) {
    std::map<uintptr_t, ListMenuEntry> out;
    AsmItemData data{record};
    auto walk = [&](const ListMenuEntry* table, auto& self) -> void {
        for (int i = 0; table[i].text != nullptr; ++i) {
            ListMenuEntry e = table[i];
            if (e.flags & ListMenuFlag::adjust)
                AsmAdjustMenu(&e, record ? &data : nullptr, 0);
            if (table[i].flags & ListMenuFlag::popup)
                self(reinterpret_cast<const ListMenuEntry*>(table[i].command), self);
            else if (!(table[i].flags & ListMenuFlag::separator))
                out[table[i].command] = e;
        }
    };
    walk(AsmMenuTable(), walk);
    return out;
}

TEST_F(AsmCallbacks, MenuEntriesFollowTheLineFlags) {
    Bind();
    const struct {
        uint16_t flags;
        uintptr_t toggle;
        uint32_t toggleFlags, lineFlags;
    } kRows[] = {
        {0, setBreakpoint, 74, 74},
        {kAsmLineCode, setBreakpoint, 10, 10},
        {kAsmLineCode | kAsmLineBreakpoint, clearBreakpoint, 10, 10},
        {kAsmLineCode | kAsmLineNoBreakpoint, setBreakpoint, 74, 10},
    };
    for (const auto& row : kRows) {
        AsmLineRecord line = Line(row.flags);
        auto menu = Adjusted(&line);
        EXPECT_EQ(row.toggle, menu[setBreakpoint].command) << row.flags;
        EXPECT_EQ(row.toggleFlags, menu[setBreakpoint].flags) << row.flags;
        for (uintptr_t c : {goHere, setPc, findSource})
            EXPECT_EQ(row.lineFlags, menu[c].flags) << row.flags << " " << c;
        EXPECT_EQ(10u, menu[showMemory].flags);
        EXPECT_EQ(ListMenuFlag::adjust, menu[sourceAnnotations].flags);
    }
    g_option0 = 1;
    AsmLineRecord line = Line(kAsmLineCode);
    EXPECT_EQ(ListMenuFlag::adjust | ListMenuFlag::checked,
              Adjusted(&line)[sourceAnnotations].flags);
    // Without a line under the mouse every adjusted entry is left out.
    for (const auto& [command, entry] : Adjusted(nullptr)) {
        if (command != jumpToBrowser) {
            EXPECT_TRUE(entry.flags & ListMenuFlag::leaveOut) << command;
        }
    }
}

TEST_F(AsmCallbacks, BlockCommentEntriesFollowTheCommentWord) {
    Bind();
    const struct {
        uint32_t word, q30, q31;
        uint32_t add, editDelete;
    } kRows[] = {
        {0, 0, 0, 10, 4106},        {0x2004, 0, 0, 4106, 10},
        {0x0004, 0, 0, 10, 4106}, // the kind without the presence bit
        {0x2003, 0, 0, 10, 4106},   {0x2003, 1, 0, 10, 4106},
        {0x2003, 1, 1, 4106, 4106},
    };
    for (const auto& row : kRows) {
        AsmLineRecord line = Line(kAsmLineCode);
        line.blockComment = row.word;
        line.blockCommentQual[0] = row.q30;
        line.blockCommentQual[1] = row.q31;
        auto menu = Adjusted(&line);
        EXPECT_EQ(row.add, menu[addBlockComment].flags) << std::hex << row.word << row.q30;
        EXPECT_EQ(row.editDelete, menu[editBlockComment].flags) << std::hex << row.word;
        EXPECT_EQ(row.editDelete, menu[deleteBlockComment].flags) << std::hex << row.word;
    }
}

TEST_F(AsmCallbacks, ImagesFollowTheFlagsWhileUpdatesAreOn) {
    Bind();
    const struct {
        uint16_t flags;
        int image;
    } kRows[] = {
        {0, kAsmImageNone},
        {kAsmLineCode, kAsmImageCode},
        {kAsmLineCode | kAsmLineBreakpoint, kAsmImageBreakpoint},
        {kAsmLineGrey, kAsmImageNone},
    };
    for (const auto& row : kRows) {
        AsmLineRecord line = Line(row.flags);
        AsmItemData data{&line};
        EXPECT_EQ(row.image, AsmSourceImage(&data, 0, 0)) << row.flags;
        SetWindowUpdate(kUpdateAssembler, false);
        EXPECT_EQ(kAsmImageNone, AsmSourceImage(&data, 0, 0)) << row.flags;
        SetWindowUpdate(kUpdateAssembler, true);
    }
    EXPECT_EQ(kAsmImageNone, AsmSourceImage(nullptr, 0, 0));
    // No address view for the core: every row is plain.
    EXPECT_EQ(kAsmImagePlain, AsmAddrImage(nullptr, 0, 7));
}

TEST_F(AsmCallbacks, ColoursFollowTheFlagsTheRecordAndTheHostVersion) {
    const uint32_t kText = 0x010203, kBack = 0x0A0B0C;
    const struct {
        unsigned minor;
        uint16_t flags;
        uint32_t background;
        uint32_t text, back;
    } kRows[] = {
        {13, kAsmLineGrey | kAsmLineCode, 0x00FF00, kText, 0xB0B0B0},
        {13, kAsmLineCode, 0x00FF00, kText, 0x00FF00},
        {13, kAsmLineCode, 0x1000000, 0x123456, kBack},
        {13, 0, 0xFFFFFFFF, 0x808080, kBack},
        {5, kAsmLineCode, 0xFFFFFFFF, 0, kBack},
    };
    for (const auto& row : kRows) {
        Bind(row.minor);
        AsmLineRecord line = Line(row.flags);
        line.background = row.background;
        AsmItemData data{&line};
        uint32_t text = kText, back = kBack;
        AsmColors(&data, 1, &text, &back);
        EXPECT_EQ(row.text, text) << row.minor << " " << row.flags;
        EXPECT_EQ(row.back, back) << row.minor << " " << row.flags;
        // The host's colours are asked from 3.6 on only.
        EXPECT_EQ(row.minor >= 6 ? Calls{"F"} : Calls{}, g_calls) << row.minor;
        SetWindowUpdate(kUpdateAssembler, false);
        text = kText, back = kBack;
        EXPECT_EQ(0, AsmColors(&data, 1, &text, &back));
        EXPECT_EQ(kText, text);
        EXPECT_EQ(kBack, back);
        SetWindowUpdate(kUpdateAssembler, true);
    }
}

TEST_F(AsmCallbacks, AnEditLeavesItsLineForCommand280) {
    const struct {
        int cores;
        uint16_t flags;
        int column;
        const char* typed;
        const char* line; // null: nothing left
        int context;
    } kRows[] = {
        {1, kAsmLineCode, 0, "1234 56",
         "SET VALUE /SIZE=BYTE 0x1000=0x34,0x12,0x56 ; PAGE /ASSEMBLER 0x1000", 1},
        {2, kAsmLineCode, 0, " 123",
         "SET VALUE /SIZE=BYTE CORE:1(0x1000)=0x23,0x1 ; PAGE /ASSEMBLER CORE:1(0x1000)", 1},
        {1, kAsmLineCode, 1, "MOV R1, #3", "ASM /ADDR=0x1000 \"MOV R1, #3\"", 0},
        {2, kAsmLineCode, 1, "NOP", "ASM /ADDR=CORE:1(0x1000) \"NOP\"", 0},
        {1, kAsmLineCode, 0, "12 ; GO", nullptr, 0},
        {1, kAsmLineCode, 0, "", nullptr, 0},
        {1, kAsmLineCode, 1, "NOP\" ; GO \"", nullptr, 0},
        {1, kAsmLineCode, 1, "NOP\nGO", nullptr, 0},
        {1, kAsmLineCode, 2, "12", nullptr, 0},
        {1, 0, 0, "12", nullptr, 0},
    };
    for (const auto& row : kRows) {
        Bind(13, row.cores);
        HostState::Get().currentCore = 0;
        AsmLineRecord line = Line(row.flags);
        AsmItemData data{&line};
        std::snprintf(PendingHostCommand.line, sizeof PendingHostCommand.line, "before");
        PendingHostCommand.context = 7;
        EXPECT_EQ(0, AsmEditEnd(&data, row.typed, row.column, 1)) << row.typed;
        EXPECT_STREQ(row.line ? row.line : "before", PendingHostCommand.line) << row.typed;
        EXPECT_EQ(row.line ? row.context : 7, PendingHostCommand.context) << row.typed;
        EXPECT_EQ(0, HostState::Get().currentCore);
    }
    // Only code lines may be edited.
    AsmLineRecord code = Line(kAsmLineCode), other = Line(kAsmLineGrey);
    AsmItemData codeData{&code}, otherData{&other};
    EXPECT_EQ(1, AsmEditStart(&codeData));
    EXPECT_EQ(0, AsmEditStart(&otherData));
    EXPECT_EQ(0, AsmEditStart(nullptr));
}

TEST_F(AsmCallbacks, ADragCarriesTheLineAsARecordOfKind7) {
    for (int cores : {1, 2}) {
        Bind(13, cores);
        ASSERT_NE(nullptr, DragDropService());
        HostState::Get().currentCore = 0;
        AsmLineRecord line = Line(kAsmLineCode);
        AsmItemData data{&line};
        void* record = nullptr;
        g_calls.clear();
        EXPECT_EQ(1, AsmDragSource(&data, 0, &record, 1));
        EXPECT_EQ(&g_record, record);
        const Calls single = {"open 7",
                              "T@0",
                              "0 ADDRESS=0x1000",
                              "1 OPCODE=E3A01002",
                              "2 TEXT=MOV R1, #2",
                              "3 ID=#16",
                              "4 LANGUAGE=ASM"};
        const Calls multi = {"open 7",           "0 COREID=#1",       "T@1",
                             "1 ADDRESS=0x1000", "2 OPCODE=E3A01002", "3 TEXT=MOV R1, #2",
                             "4 ID=#16",         "5 LANGUAGE=ASM"};
        EXPECT_EQ(cores == 1 ? single : multi, g_calls);
    }
    // Texts the line lacks are left out; a line that is not code is no drag source.
    Bind();
    AsmLineRecord line = Line(kAsmLineCode);
    line.opcodeText = nullptr;
    line.sourceText = "";
    AsmItemData data{&line};
    void* record = nullptr;
    g_calls.clear();
    EXPECT_EQ(1, AsmDragSource(&data, 0, &record, 0));
    EXPECT_EQ((Calls{"open 7", "T@0", "0 ADDRESS=0x1000", "1 ID=#16", "2 LANGUAGE=ASM"}), g_calls);
    line.flags = 0;
    record = nullptr;
    g_calls.clear();
    EXPECT_EQ(0, AsmDragSource(&data, 0, &record, 0));
    EXPECT_EQ(nullptr, record);
    EXPECT_EQ(Calls{}, g_calls);
}

} // namespace
