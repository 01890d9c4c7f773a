#include "tests/srcwnd/frames_fixture.h"

#include <fstream>

#include "tests/support/window_parts.h"

namespace {
using CreateFn = int(__cdecl*)(const char*, const char*, int, const WindowPosition*, int);
using UpdateFn = intptr_t(__cdecl*)(int, const char*, const char*, int, int, int, int, int, int);
using ColumnsFn = int(__cdecl*)(int, int, const void*, int);
using HandleFn = HWND(__cdecl*)(int);

const char kCText[] = "#include <stdio.h>\r\n"
                      "\r\n"
                      "static int table[4] = {1, 2, 3, 4};\r\n"
                      "\r\n"
                      "int main(void)\r\n"
                      "{\r\n"
                      "    int sum = 0;\r\n"
                      "    for (int i = 0; i < 4; ++i) sum += table[i];\r\n"
                      "    return sum;\r\n"
                      "}\r\n";
} // namespace

void SrcFrameTest::SetUp() {
    AppTest::SetUp();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring folder = std::wstring(temp) + L"srcwnd_" + std::to_wstring(GetCurrentProcessId()) +
                          L"_" + std::wstring(info->name(), info->name() + strlen(info->name()));
    CreateDirectoryW(folder.c_str(), nullptr);
    m_folder.assign(folder.begin(), folder.end());
}

void SrcFrameTest::TearDown() {
    AppTest::TearDown();
}

std::string SrcFrameTest::WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = m_folder + "\\" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string SrcFrameTest::CFile() {
    return WriteFile("main.c", kCText);
}

int SrcFrameTest::Create(const std::string& path, int flags, int core, const char* name) {
    return Get<CreateFn>("CreateSourceWindow")(name, path.c_str(), flags, &m_position, core);
}

intptr_t SrcFrameTest::Update(int id, const std::string& path, int line, int flags, int tag,
                              const char* name, int start, int end, int count) {
    return Get<UpdateFn>("UpdateSourceWindow")(id, name, path.empty() ? nullptr : path.c_str(),
                                               line, flags, start, end, count, tag);
}

int SrcFrameTest::SetColumnDatas(int id, int flags, const void* data) {
    return Get<ColumnsFn>("SetColumnDatas")(id, flags, data, 0);
}

HWND SrcFrameTest::FrameOf(int id) {
    HWND h = Get<HandleFn>("GetWindowHandle")(id);
    return h == reinterpret_cast<HWND>(-1) ? nullptr : h;
}

HWND SrcFrameTest::Splitter(HWND frame) {
    return SourceSplitter(frame);
}

std::vector<HWND> SrcFrameTest::Panes(HWND frame) {
    return SourcePanes(frame);
}

std::wstring SrcFrameTest::PaneCaption(HWND pane) {
    wchar_t text[64] = {};
    for (HWND child = GetWindow(pane, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Button") == 0) {
            GetWindowTextW(child, text, 64);
            return text;
        }
    }
    return L"?";
}

HWND SrcFrameTest::PaneBody(HWND pane) {
    return SourcePaneBody(pane);
}

void SrcFrameTest::Show(HWND frame, int width, int height) {
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1000, 700, SWP_SHOWWINDOW);
    SetWindowPos(frame, HWND_TOP, 0, 0, width, height, SWP_SHOWWINDOW);
    PumpAll();
}
