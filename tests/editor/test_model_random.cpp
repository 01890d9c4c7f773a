// Thousands of random edits, undos and redos on the text model, each checked against a plain
// string that has the same things done to it.
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct Reference {
    std::vector<std::wstring> states{L""};
    std::vector<uint64_t> ids{0};
    size_t current = 0;
    uint64_t saved = 0;
    uint64_t nextId = 1;
    int undoable = 0;

    const std::wstring& Text() const { return states[current]; }
    void Edit(const std::wstring& text) {
        states.resize(current + 1);
        ids.resize(current + 1);
        states.push_back(text);
        ids.push_back(nextId++);
        ++current;
        undoable = std::min(undoable + 1, 256);
    }
    bool Modified() const { return ids[current] != saved; }
};

SECEditPosition PositionOf(const std::wstring& text, size_t offset) {
    int line = 0;
    size_t lineStart = 0;
    for (size_t i = 0; i < offset; ++i)
        if (text[i] == L'\n') {
            ++line;
            lineStart = i + 1;
        }
    return SECEditPosition(line, static_cast<int>(offset - lineStart));
}

std::vector<std::wstring> LinesWithTerminators(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'\n') {
            lines.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    lines.push_back(text.substr(start));
    return lines;
}

// Short pieces, lone CRs, surrogate pairs, and now and then a run wide enough to need line
// breaks by itself or together with what is around it.
std::wstring RandomText(std::mt19937& rng) {
    static const std::wstring grin = L"\xD83D\xDE00";
    static const std::wstring pairs = [] {
        std::wstring out;
        for (int i = 0; i < 700; ++i)
            out += L"g" + grin;
        return out;
    }();
    static const std::wstring pieces[] = {L"a",
                                          L"b",
                                          L"xy",
                                          L" ",
                                          L"\t",
                                          L"\n",
                                          L"\r\n",
                                          L"\x00e9",
                                          L"{",
                                          L"\n\n",
                                          L"\r",
                                          grin,
                                          std::wstring(1100, L'w'),
                                          std::wstring(300, L'\t'),
                                          pairs};
    constexpr int kCount = sizeof pieces / sizeof pieces[0];
    std::wstring out;
    const int n = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int i = 0; i < n; ++i)
        out += pieces[std::uniform_int_distribution<int>(0, kCount - 1)(rng)];
    return out;
}

void ExpectSame(SECEditModel& model, const Reference& ref, int step) {
    const std::wstring& text = ref.Text();
    ASSERT_EQ(edtest::TextOf(model), text) << "step " << step;
    const std::vector<std::wstring> lines = LinesWithTerminators(text);
    ASSERT_EQ(model.GetLineCount(), static_cast<int>(lines.size())) << "step " << step;
    size_t offset = 0;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::wstring& l = lines[i];
        ASSERT_EQ(model.GetLineLength(i), static_cast<int>(l.size())) << "step " << step;
        const size_t stop = l.find_first_of(L"\r\n");
        const int textLength = static_cast<int>(stop == std::wstring::npos ? l.size() : stop);
        ASSERT_EQ(model.GetLineTextLength(i), textLength) << "step " << step << " line " << i;
        const int column = static_cast<int>(l.size() / 2);
        ASSERT_EQ(model.PositionToOffset(i, column), static_cast<int>(offset + column));
        int line = -1, col = -1;
        ASSERT_TRUE(model.OffsetToPosition(static_cast<int>(offset + column), line, col));
        ASSERT_EQ(SECEditPosition(line, col), SECEditPosition(i, column)) << "step " << step;
        offset += l.size();
    }
    ASSERT_EQ(model.IsModified() != FALSE, ref.Modified()) << "step " << step;
}

// The edit's result with the model's own line breaks becomes the reference's next state.
void ExpectEdited(SECEditModel& model, Reference& ref, const std::wstring& edited, int step) {
    const std::wstring text = edtest::TextOf(model);
    ASSERT_EQ(edtest::CheckBrokenCopy(text, edited), "") << "step " << step;
    ref.Edit(text);
}

TEST(TextModelRandom, EditsUndosAndRedosMatchAPlainString) {
    edtest::TempDir dir;
    const std::wstring file = dir.Path(L"saved.txt");
    // A failure names the seed and the round: the same seed replays the same edits.
    constexpr unsigned kSeed = 20261209;
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    std::mt19937 rng(kSeed);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        edtest::TestModel model;
        model.ResetDocument();
        Reference ref;
        int redoable = 0;
        int edits = 0;
        for (int step = 0; step < 1500 && edits < 250; ++step) {
            const int op = std::uniform_int_distribution<int>(0, 99)(rng);
            const std::wstring& text = ref.Text();
            if (op < 40) {
                const size_t at = std::uniform_int_distribution<size_t>(0, text.size())(rng);
                const std::wstring piece = RandomText(rng);
                const SECEditPosition p = PositionOf(text, at);
                ASSERT_TRUE(model.InsertTextAt(p.m_line, p.m_column, piece.c_str(),
                                               static_cast<int>(piece.size())));
                ExpectEdited(model, ref, text.substr(0, at) + piece + text.substr(at), step);
                redoable = 0;
                ++edits;
            } else if (op < 65 && !text.empty()) {
                const size_t at = std::uniform_int_distribution<size_t>(0, text.size() - 1)(rng);
                const size_t n = std::uniform_int_distribution<size_t>(
                    1, std::min<size_t>(12, text.size() - at))(rng);
                const SECEditPosition a = PositionOf(text, at), b = PositionOf(text, at + n);
                ASSERT_TRUE(model.DeleteText(a.m_line, a.m_column, b.m_line, b.m_column));
                ExpectEdited(model, ref, text.substr(0, at) + text.substr(at + n), step);
                redoable = 0;
                ++edits;
            } else if (op < 82) {
                const bool can = ref.undoable > 0;
                EXPECT_EQ(model.Undo() != nullptr, can) << "step " << step;
                if (can) {
                    --ref.current;
                    --ref.undoable;
                    ++redoable;
                }
            } else if (op < 97) {
                const bool can = redoable > 0;
                EXPECT_EQ(model.Redo() != nullptr, can) << "step " << step;
                if (can) {
                    ++ref.current;
                    ++ref.undoable;
                    --redoable;
                }
            } else {
                ASSERT_TRUE(model.SaveFile(file.c_str()));
                ref.saved = ref.ids[ref.current];
            }
            ExpectSame(model, ref, step);
            ASSERT_EQ(edtest::CheckBrokenCopy(edtest::TextOf(model), ref.Text()), "")
                << "step " << step;
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
