// The service's rule language on its own: which patterns hold for which properties, and what
// the placeholders turn into.
#include <gtest/gtest.h>

#include "host/lib/drop_matcher.h"

namespace {

const DragProperties kDrag = {{"SOURCE_NAME", "MemWnd"}, {"ADDRESS", "0x1000"}, {"TYPE", "WORD"},
                              {"LANGUAGE", "C++"},       {"KEYSTATE_CTRL", ""}, {"EMPTY", ""}};

TEST(DropPattern, TermsAllMustHoldAndEachFormReadsAsWritten) {
    const struct {
        const char* pattern;
        bool holds;
    } cases[] = {
        {"{ADDRESS}", true},
        {"{LINE}", false},
        {"{SOURCE_NAME}=MemWnd {ADDRESS}", true},
        {"{SOURCE_NAME}=MemWnd {LINE}", false},
        {"{SOURCE_NAME}=SrcWnd {ADDRESS}", false},
        {"{SOURCE_NAME}=memwnd", false}, // values compare exactly
        {"{SOURCE_NAME}=MemWndX", false},
        {"{LANGUAGE}=C++", true},
        {"!{LANGUAGE}=ASM", true},
        {"!{LANGUAGE}=C++", false},
        {"!{SELF} {ADDRESS}", true},
        {"!{KEYSTATE_CTRL} {ADDRESS}", false},
        {"{KEYSTATE_CTRL} {ADDRESS}", true},
        {"{EMPTY}", true}, // a key without a value is present
        {"{TYPE:=[BYTE|WORD|LONG]}", true},
        {"{TYPE:=[BYTE|LONG]}", false},
        {"{LINE:=[BYTE|WORD]}", false},
        {"!{TYPE:=[BYTE|LONG]}", true},
        {"{ADDRESS}   {TYPE}", true}, // several blanks between terms
        {" {ADDRESS} ", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.holds, PatternHolds(c.pattern, kDrag)) << c.pattern;
}

TEST(DropPattern, ATermOfUnknownFormHoldsForNoDrag) {
    for (const char* pattern :
         {"", "   ", "ADDRESS", "{ADDRESS", "{ADDRESS}x", "{ADDRESS}=", "{}", "{ADD RESS}",
          "{ADDRESS} ?{TYPE}", "!!{ADDRESS}", "{TYPE:=[]}", "{TYPE:=[WORD|]}", "{TYPE:=[WORD}",
          "{TYPE:=[WORD]}=WORD", "{ADDRESS} {LANGUAGE}=C++ {TYPE}<WORD"})
        EXPECT_FALSE(PatternHolds(pattern, kDrag)) << '"' << pattern << '"';
}

TEST(DropPattern, LargeRecordsAndValuesMatchWhole) {
    DragProperties many;
    for (int i = 0; i < 1000; ++i)
        many["KEY" + std::to_string(i)] = std::to_string(i);
    const std::string big(65536, 'v');
    many["VALUE"] = big;
    EXPECT_TRUE(PatternHolds("{KEY0} {KEY999}=999 {VALUE}=" + big, many));
    EXPECT_FALSE(PatternHolds("{VALUE}=" + big.substr(1), many)); // no prefix match
    std::string out;
    ASSERT_TRUE(ExpandPlaceholders("PRINT \"{VALUE}\"", many, out));
    EXPECT_EQ("PRINT \"" + big + "\"", out);
}

TEST(DropPlaceholders, KeysAreFilledAndEverythingElseStays) {
    const DragProperties p = {{"MODULE", "main"},
                              {"FUNCTION", "run"},
                              {"LINE", "12"},
                              {"TEXT", "{LINE} a\\b"},
                              {"FLAG", ""}};
    const struct {
        const char* text;
        const char* out;
    } cases[] = {
        {"SET BREAKPOINT AT {MODULE}\\@LINE {LINE}", "SET BREAKPOINT AT main\\@LINE 12"},
        {"SHOW MEMORY {MODULE}\\{FUNCTION}", "SHOW MEMORY main\\run"},
        {"PRINT \"{TEXT}\"", "PRINT \"{LINE} a\\b\""}, // a value is not read again
        {"[{FLAG}]", "[]"},
        {"{ not a key } {} {a b} {", "{ not a key } {} {a b} {"},
        {"{{LINE}}", "{12}"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string out = "unchanged";
        EXPECT_TRUE(ExpandPlaceholders(c.text, p, out)) << c.text;
        EXPECT_EQ(c.out, out) << c.text;
    }
}

TEST(DropPlaceholders, AMissingPropertyFailsAndLeavesTheOutputAlone) {
    std::string out = "unchanged", missing;
    EXPECT_FALSE(ExpandPlaceholders("SET VALUE /SIZE={TYPE} {ADDRESS} = {VALUE}",
                                    {{"ADDRESS", "1"}, {"VALUE", "2"}}, out, &missing));
    EXPECT_EQ("unchanged", out);
    EXPECT_EQ("TYPE", missing);
}

} // namespace
