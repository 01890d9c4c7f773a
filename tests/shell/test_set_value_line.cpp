// The command line a value edit becomes, as a table: the target expression, the text, the core
// wrapper, and the texts that are refused rather than sent cut or split.
#include <gtest/gtest.h>

#include <string>

#include "windows/eval/set_value_line.h"

namespace {

struct Row {
    const char* what;
    const char* expression;
    const char* suffix;
    bool dereference;
    std::string text;
    bool wrap;
    size_t capacity;
    SetValueResult result;
    const char* line;
};

TEST(SetValueLine, BuildsTheLineOrRefusesIt) {
    const std::string fits(1024 - 1 - std::string("SET VALUE (x)=").size(), '7');
    const Row rows[] = {
        {"plain", "x", "", false, "5", false, 1024, SetValueResult::ok, "SET VALUE (x)=5"},
        {"suffix without blanks, text without leading blanks", "s", " . a [ 1 ]\t", false,
         " \t0x10 ", false, 1024, SetValueResult::ok, "SET VALUE (s).a[1]=0x10 "},
        {"a string on a dereferenced item", "p", "", true, "  \"hi\"", false, 1024,
         SetValueResult::ok, "SET VALUE *(p)=\"hi\""},
        {"a number on a dereferenced item", "p", "", true, "3", false, 1024, SetValueResult::ok,
         "SET VALUE (p)=3"},
        {"no expression", nullptr, nullptr, false, "1", false, 1024, SetValueResult::ok,
         "SET VALUE ()=1"},
        {"core wrapped", "i", "", false, "5", true, 1024, SetValueResult::ok,
         "SET CORE /NOCAPTURE 2 ; SET VALUE (i)=5 ; SET CORE /NOCAPTURE 0"},
        {"exactly full", "x", "", false, fits, false, 1024, SetValueResult::ok, nullptr},
        {"one past full", "x", "", false, fits + "7", false, 1024, SetValueResult::tooLong,
         nullptr},
        {"the wrapper does not fit", "x", "", false, fits, true, 1024, SetValueResult::tooLong,
         nullptr},
        {"empty", "x", "", false, "", false, 1024, SetValueResult::empty, nullptr},
        {"blanks only", "x", "", false, " \t ", false, 1024, SetValueResult::empty, nullptr},
        {"line break", "x", "", false, "1\r\nGO", false, 1024, SetValueResult::controlCharacter,
         nullptr},
        {"control character", "x", "", false, "1\x1b", false, 1024,
         SetValueResult::controlCharacter, nullptr},
        {"a line break in the host's expression", "x\ny", "", false, "1", false, 1024,
         SetValueResult::controlCharacter, nullptr},
        {"a control character in the host's suffix", "x", ".a\x1b", false, "1", false, 1024,
         SetValueResult::controlCharacter, nullptr},
    };
    for (const Row& row : rows) {
        SetValueInput in;
        in.expression = row.expression;
        in.suffix = row.suffix;
        in.dereferenceString = row.dereference;
        in.text = row.text;
        in.wrapCore = row.wrap;
        in.core = 2;
        in.activeCore = 0;
        std::string line = "untouched";
        EXPECT_EQ(row.result, BuildSetValueLine(in, row.capacity, line)) << row.what;
        if (row.result != SetValueResult::ok)
            EXPECT_EQ("untouched", line) << row.what;
        else if (row.line != nullptr)
            EXPECT_EQ(row.line, line) << row.what;
        else
            EXPECT_EQ(row.capacity - 1, line.size()) << row.what;
    }
}

} // namespace
