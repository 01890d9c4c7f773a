// The test program is the host of source windows: it opens and updates them through the
// library's exports, answers their colour queries and requests, and reads what they show.
#pragma once

#include "tests/support/app_fixture.h"

#include "ifac/h/hostwnd.h"
#include "ifac/h/srclines.h"

#include <string>

class SrcFrameTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file in the test's own folder with these bytes; its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes);
    // The small C file of the tests: ten lines.
    std::string CFile();

    int Create(const std::string& path, int flags, int core = -1, const char* name = "main");
    intptr_t Update(int id, const std::string& path, int line, int flags, int tag,
                    const char* name = "main", int start = 0, int end = 0, int count = 0);
    int SetColumnDatas(int id, int flags, const void* data);
    HWND FrameOf(int id);
    // The splitter row of a source frame and its panes, from the left.
    static HWND Splitter(HWND frame);
    static std::vector<HWND> Panes(HWND frame);
    // The caption of the first button of a pane ("Source" for the source pane, the header's
    // text for a column).
    static std::wstring PaneCaption(HWND pane);
    // The pane's line control (a column) or source view (the source pane).
    static HWND PaneBody(HWND pane);
    void Show(HWND frame, int width = 700, int height = 400);

    WindowPosition m_position{};
    std::string m_folder;
};
