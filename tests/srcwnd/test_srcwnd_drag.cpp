// Drags out of a real source window: the left button on a line-number row (its very left edge
// included) starts a line drag, and on the selected text a symbol drag; the host's
// drag-and-drop service gets the window, the kind and the drag's properties in their order.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"
#include "ifac/h/srclines.h"

#include <algorithm>

namespace {

constexpr int kDragLine = 5; // 1-based: "int main(void)"

class SrcWndDrag : public SrcFrameTest {
protected:
    // The caret's rectangle in its window, as the thread's caret shows it.
    static RECT CaretRect(HWND* owner) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        *owner = info.hwndCaret;
        return info.rcCaret;
    }
    static void Press(HWND window, UINT message, POINT at) {
        SendMessageW(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(at.x, at.y));
    }
};

TEST_F(SrcWndDrag, TheLeftButtonDragsTheLineFromTheColumnAndTheSymbolFromTheSelection) {
    Start(Host(3, 2, 2));
    HostState::Get().activeCore = 1; // the window takes the core active at its update
    const std::string path = CFile();
    const int id = Create(path, 3, 1);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame);
    ASSERT_EQ(id, Update(id, path, kDragLine, 3, 1));
    HostState::Get().activeCore = 0;
    const SourceLineRecord record{kDragLine, kLineCode, nullptr};
    ASSERT_EQ(1, SetColumnDatas(id, 0x1 | 0x2, &record));
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    HWND column = PaneBody(panes[0]);
    HWND view = PaneBody(panes[1]);
    SetFocus(view);
    HWND owner = nullptr;
    const RECT caret = CaretRect(&owner); // at the update's line, column 0
    ASSERT_EQ(view, owner);
    ASSERT_GT(caret.bottom, caret.top);
    const int row = (caret.top + caret.bottom) / 2; // the same row in both windows
    const POINT inWord{caret.left + 3, row};        // in "int"

    const std::vector<std::string> line = {
        "DD.BeginRecord(9)",
        "DD.AddInteger(0, \"ID\", 5)",
        "DD.AddInteger(1, \"LINE\", 5)",
        "DD.AddInteger(2, \"COREID\", 1)",
        "DD.AddString(3, \"MODULE\", \"main\")",
        "DD.AddString(4, \"ADDRESS\", \"C(& main\\@LINE 5)\")",
        "DD.AddString(5, \"LANGUAGE\", \"C++\")",
    };
    std::vector<std::string> lineDrag = line, symbolDrag = line;
    lineDrag.insert(lineDrag.end(),
                    {"DD.StartDrag(\"SrcWnd\", 2, \"SrcWndLine\")", "DD.EndRecord(9)"});
    symbolDrag.insert(symbolDrag.end(),
                      {"DD.AddString(6, \"NAME\", \"int\")",
                       "DD.AddString(7, \"SELECTED_TEXT\", \"int\")",
                       "DD.StartDrag(\"SrcWnd\", 2, \"SrcWndSymbol\")", "DD.EndRecord(9)"});
    const struct {
        const char* where;
        HWND window;
        POINT at;
        bool selectFirst; // a double click selects the word under the point first
        const std::vector<std::string>& heard;
    } cases[] = {
        {"the column's left edge", column, {0, row}, false, lineDrag},
        {"the column", column, {20, row}, false, lineDrag},
        {"the selected word", view, inWord, true, symbolDrag},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        if (c.selectFirst) {
            for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                Press(c.window, message, c.at);
            PumpAll();
        }
        CallLog::Get().Clear();
        Press(c.window, WM_LBUTTONDOWN, c.at);
        Press(c.window, WM_LBUTTONUP, c.at);
        PumpAll();
        // The editor's own drag of the selected text may follow the host's.
        std::vector<std::string> heard = Lines("DD.");
        heard.resize(std::min(heard.size(), c.heard.size()));
        EXPECT_EQ(c.heard, heard);
        EXPECT_EQ(view, GetFocus()) << "the source view has the focus";
    }
}

} // namespace
