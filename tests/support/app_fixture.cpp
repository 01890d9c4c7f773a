#include "tests/support/app_fixture.h"

#include <algorithm>

#include "tests/support/run_host.h"

namespace {
int __cdecl TakeDrag(void*, const char* kind, int id, const char* target, uint32_t keys,
                     uint32_t* effect) {
    LogHostCall("DD.DragOver", kind, id, target, keys);
    *effect = DROPEFFECT_COPY;
    return 0;
}
} // namespace

TakeEveryDrag::TakeEveryDrag() : m_realDragOver(HostState::Get().service.word[28]) {
    HostState::Get().service.word[28] = reinterpret_cast<void*>(&TakeDrag);
}

TakeEveryDrag::~TakeEveryDrag() {
    HostState::Get().service.word[28] = m_realDragOver;
}

namespace {
std::string TestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}
} // namespace

HostOptions Host(unsigned major, unsigned minor, int cores, bool extension) {
    HostOptions o;
    o.major = major;
    o.minor = minor;
    o.cores = cores;
    o.extension = extension;
    return o;
}

std::string AppTest::RegistryRoot() const {
    return "Software\\Orvex\\AppTests\\" + TestName();
}

void AppTest::Load(HostOptions options) {
    if (!options.registryRootGiven) {
        options.registryRoot = RegistryRoot();
        options.registryRootGiven = true;
    }
    ConfigureHost(options);
    CaptureMessageBoxes();
    CallLog::Get().Clear();
    HostState::Get().onCommand = nullptr;
    HostState::Get().preTranslate = nullptr;
    const std::wstring path = ProgramFolder() + L"\\moxguiu.dll";
    m_module = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, m_module);
}

void AppTest::Start(HostOptions options) {
    Load(options);
    ASSERT_EQ(1, Call("StartApp"));
    m_started = true;
    Peek();
}

void AppTest::Unload() {
    if (!m_module) {
        RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
        return;
    }
    if (m_started)
        Call("EndApp");
    m_started = false;
    HostState::Get().onCommand = nullptr;
    HostState::Get().preTranslate = nullptr;
    FreeLibrary(m_module);
    m_module = nullptr;
    // The profile of this test goes with it.
    const std::string root = RegistryRoot();
    RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
}

void AppTest::TearDown() {
    Unload();
}

int AppTest::Call(const char* name) {
    auto fn = Get<int(__cdecl*)()>(name);
    return fn ? fn() : -999;
}

int AppTest::Peek(int mode) {
    auto fn = Get<int(__cdecl*)(int)>("PeekMessageApp");
    return fn ? fn(mode) : -999;
}

void AppTest::PumpAll() {
    MSG msg;
    for (int i = 0; i < 50 && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); ++i)
        Peek();
}

void AppTest::RunFor(DWORD ms) {
    const DWORD begin = GetTickCount();
    do {
        Peek();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - begin < ms);
}

HostOptions AppTest::SharedRoot() const {
    HostOptions o;
    o.registryRoot = RegistryRoot();
    o.registryRootGiven = true;
    return o;
}

void AppTest::EndKeepingProfile() {
    if (m_started)
        Call("EndApp");
    m_started = false;
    FreeLibrary(m_module);
    m_module = nullptr;
}

int AppTest::Drain() {
    int answer = 1;
    for (int i = 0; i < 200 && answer == 1; ++i)
        answer = Peek(0);
    return answer;
}

HWND AppTest::Frame() const {
    return static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
}

std::wstring MenuItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

HMENU AppTest::Popup(const wchar_t* title) const {
    HMENU bar = GetMenu(Frame());
    for (int i = 0; bar && i < GetMenuItemCount(bar); ++i)
        if (MenuItemText(bar, i) == title)
            return GetSubMenu(bar, i);
    return nullptr;
}

std::vector<std::string> AppTest::Lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const HostCall& call : CallLog::Get().Calls()) {
        std::string line = call.Line();
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

bool AppTest::Logged(const std::string& line) const {
    return IndexOf(line) >= 0;
}

int AppTest::IndexOf(const std::string& line) const {
    const auto& calls = CallLog::Get().Calls();
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].Line() == line)
            return static_cast<int>(i);
    return -1;
}

namespace {
struct TitleSearch {
    const wchar_t* title;
    HWND found;
};
BOOL CALLBACK MatchTitle(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TitleSearch*>(lParam);
    // A dock bar (the four sides and a floating frame's) shows the title of a bar it holds: the
    // bar itself is wanted.
    const int id = GetDlgCtrlID(hWnd);
    if (id >= 0xE81B && id <= 0xE81F)
        return TRUE;
    wchar_t text[128] = {};
    GetWindowTextW(hWnd, text, 128);
    if (wcscmp(text, search->title) == 0) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND ChildTitled(HWND parent, const wchar_t* title) {
    TitleSearch search{title, nullptr};
    EnumChildWindows(parent, &MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<UINT> SavedButtonIds(const std::vector<BYTE>& bytes) {
    std::vector<UINT> ids;
    for (size_t at = 0; at + 5 <= bytes.size(); at += 5 + bytes[at + 4])
        ids.push_back(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                      static_cast<UINT>(bytes[at + 3]) << 24);
    return ids;
}
