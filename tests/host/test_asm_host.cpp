// The host's side of the assembler windows: the line chains it hands them (blocks around an
// instruction, more lines at either end with the first line moved during the call, source
// annotations on and off), the texts it answers for a line, and the command lines and requests
// the windows send, carried out on the target.
#include <cstring>
#include <string>
#include <vector>

#include "host/lib/command_line.h"
#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_requests.h"
#include "host/lib/source_link.h"
#include "tests/host/library_stub.h"
#include "tests/host/target_fixture.h"

namespace {

class AsmHost : public TargetTest {
protected:
    void SetUp() override {
        TargetTest::SetUp();
        S().optionAnswers.erase(0);
        BindLibraryStub();
    }
    void TearDown() override { BindSourceLibrary(nullptr); }

    static std::vector<const AsmLineRecord*> Records(int core = 0) {
        std::vector<const AsmLineRecord*> out;
        for (const AsmLineRecord* r = Stub().chains[core]; r && out.size() < 4096; r = r->next)
            out.push_back(r);
        return out;
    }
    static const AsmLineRecord* RecordAt(uint32_t address, int core = 0) {
        for (const AsmLineRecord* r : Records(core))
            if ((r->flags & kAsmLineCode) && r->hostWords[0] == address)
                return r;
        return nullptr;
    }
    static uint32_t FirstKey(int core = 0) {
        return Stub().chains[core] ? Stub().chains[core]->addressKey : 0;
    }
    static uint32_t KeyOf(uint32_t address) {
        return kAsmLineKeyBase + static_cast<uint32_t>(AsmLineOfAddress(address));
    }
    static uint32_t Symbol(const char* name) { return Sample().FindSymbol(name)->address; }
    static std::string ItemText(uint32_t key, int size = 200) {
        char buffer[200];
        std::memset(buffer, 'x', sizeof buffer);
        const int ok = T().GetListItemText(static_cast<int>(key), size, buffer);
        return std::to_string(ok) + ":" + std::string(buffer, strnlen(buffer, sizeof buffer));
    }
};

TEST_F(AsmHost, AWindowGetsABlockAroundItsCoresInstruction) {
    ASSERT_TRUE(M().StepInto(0));
    const uint32_t pc = M().Core(0).reg[PC];
    ASSERT_EQ(1, OpenAsmWindow(0));
    const int line = AsmLineOfAddress(pc);
    const std::string key = std::to_string(kAsmLineKeyBase + line);
    EXPECT_EQ((std::vector<std::string>{"Create(, , 28, pos, -1)", "Columns(1, 8)",
                                        "Update(1, , , " + key + ", 28, 0, 0, 0, 0)"}),
              Stub().seen);
    const std::vector<const AsmLineRecord*> records = Records();
    ASSERT_EQ(static_cast<size_t>(kAsmBlockLines), records.size());
    EXPECT_EQ(kAsmLineKeyBase + std::max(0, line - kAsmLinesAbove), FirstKey());
    EXPECT_EQ(kAsmLineKeyBase + line, static_cast<uint32_t>(Stub().selected[0]));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(FirstKey() + i, records[i]->addressKey) << i;
    // The current instruction stands out; source lines are plain text lines before their code.
    const AsmLineRecord* current = RecordAt(pc);
    ASSERT_NE(nullptr, current);
    EXPECT_EQ(kCurrentLineColor, current->background);
    EXPECT_EQ(HexAddress(pc), current->addressText);
    int sourceLines = 0;
    for (const AsmLineRecord* r : records)
        if (!(r->flags & kAsmLineCode)) {
            ++sourceLines;
            EXPECT_STREQ("", r->addressText);
            EXPECT_NE(nullptr, std::strchr(r->sourceText, ':')) << r->sourceText;
            ASSERT_NE(nullptr, r->next);
            EXPECT_EQ(r->hostWords[0], r->next->hostWords[0]) << "its code follows";
        }
    EXPECT_GT(sourceLines, 0);
    // Opening it again is the same window; the library refusing one leaves none.
    EXPECT_EQ(1, OpenAsmWindow(0));
    EXPECT_EQ(1u, AsmWindows().size());
    EXPECT_EQ(-1, OpenAsmWindow(5));
}

TEST_F(AsmHost, ALineIdAnswersItsAddressText) {
    const uint32_t square = Symbol("square");
    const struct {
        uint32_t key;
        int size;
        std::string expected;
    } cases[] = {{KeyOf(square), 200, "1:" + HexAddress(square)},
                 {KeyOf(square) - 1, 200, "0:"}, // the source line before it
                 {KeyOf(square), 6, "0:"},       // no room for the terminator
                 {kAsmLineKeyBase - 1, 200, "0:"},
                 {kAsmLineKeyBase + static_cast<uint32_t>(AsmLineCount()), 200, "0:"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ItemText(c.key, c.size)) << c.key;
    EXPECT_EQ(0, T().GetListItemText(static_cast<int>(KeyOf(square)), 200, nullptr));
}

} // namespace
