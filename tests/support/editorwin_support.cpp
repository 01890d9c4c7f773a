#include "tests/support/editorwin_support.h"

#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "tests/support/screenshot.h"

#include <cstdio>
#include <fstream>

namespace ewtest {

const wchar_t* const kFixture = L"int main(void)\n"
                                L"{\n"
                                L"    /* a comment\n"
                                L"       over lines */\n"
                                L"    return \"text\";\n"
                                L"}\n"
                                L"plain words here";

namespace {
// Drop targets register when the windows are made: OLE must be up before any test runs.
struct OleForTheProgram {
    OleForTheProgram() { ::OleInitialize(nullptr); }
} g_ole;

const char kLanguage[] = R"([Editor]
TabSize=4
AutoIndent=1
ShowWhitespace=0
VirtualWhitespace=0
[Font]
FaceName=Courier New
Size=10
[ColorGroups]
NumGroups=9
Group1=Text
Group2=Text Selection
Group3=Number
Group4=Operator
Group5=Keyword
Group6=Comment
Group7=String
Group8=Preprocessor
Group9=Highlight
[Text]
Foreground=0,0,0
ForeColorAutomatic=0
Background=255,255,255
BackColorAutomatic=0
[Text Selection]
Foreground=255,255,255
ForeColorAutomatic=0
Background=0,0,160
BackColorAutomatic=0
[Number]
ForeColorAutomatic=1
BackColorAutomatic=1
[Operator]
ForeColorAutomatic=1
BackColorAutomatic=1
[Keyword]
Foreground=0,0,255
ForeColorAutomatic=0
Background=200,230,255
BackColorAutomatic=0
[Comment]
Foreground=0,128,0
ForeColorAutomatic=0
Background=200,255,200
BackColorAutomatic=0
[String]
Foreground=163,21,21
ForeColorAutomatic=0
Background=255,220,220
BackColorAutomatic=0
[Preprocessor]
ForeColorAutomatic=1
BackColorAutomatic=1
[Highlight]
Foreground=0,0,0
ForeColorAutomatic=0
Background=255,255,0
BackColorAutomatic=0
[Keywords]
int=Keyword
void=Keyword
return=Keyword
[Parser]
Operators=!%&*+-/:<=>?^|~
Delimiters=!"#%&'()*+,-./:;<=>?[\]^{|}~
NumTags=3
[Tag1]
ColorGroup=Comment
BeginTag=/*
EndTag=*/
MultiLine=1
[Tag2]
ColorGroup=Comment
BeginTag=//
EndTag=
MultiLine=0
[Tag3]
ColorGroup=String
BeginTag="
EndTag="
EscapeChar=\
MultiLine=0
)";
} // namespace

const wchar_t* TestLanguage() {
    static std::wstring name;
    if (!name.empty())
        return name.c_str();
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path =
        std::wstring(dir) + L"editorwin_" + std::to_wstring(::GetCurrentProcessId()) + L".ini";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr);
    DWORD written = 0;
    ::WriteFile(file, kLanguage, DWORD(sizeof kLanguage - 1), &written, nullptr);
    ::CloseHandle(file);
    name = L"WinTest";
    auto* reader = new SECEditLangIniReader(path.c_str());
    auto* writer = new SECEditLangIniWriter(path.c_str());
    SECEditLangConfigRegistry::RegisterLangConfig(name.c_str(), reader, writer);
    reader->Release();
    writer->Release();
    // Read now: the file goes at once.
    SECEditLangConfigRegistry::GetLangConfig(name.c_str());
    ::DeleteFileW(path.c_str());
    return name.c_str();
}

void Pump() {
    MSG msg;
    for (int round = 0; round < 4; ++round)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
}

Host::Host(int width, int height, SECEditCtrl* control)
    : m_frame(std::make_unique<CWnd>()), m_ctrl(control ? control : new SECEditCtrl) {
    m_frame->CreateEx(0, nullptr, L"editor host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                      nullptr, nullptr);
    CRect client;
    ::GetClientRect(m_frame->m_hWnd, &client);
    m_ctrl->Create(nullptr, L"SECEdit", WS_CHILD | WS_VISIBLE, client, m_frame.get(), 100);
    Pump();
}

Host::~Host() {
    if (m_ctrl->GetSafeHwnd())
        m_ctrl->DestroyWindow();
    m_ctrl.reset();
    if (m_frame->GetSafeHwnd())
        m_frame->DestroyWindow();
}

void Host::Load(const wchar_t* text) {
    SECEditModel& model = Model();
    model.SetLangConfigByName(TestLanguage());
    model.SetText(text);
    Repaint();
}

void Host::Repaint() {
    ::RedrawWindow(m_ctrl->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
}

CPoint Host::PointOf(int line, int column) {
    CPoint point;
    Controller().PointFromPosition(point, SECEditPosition(line, column));
    point -= m_ctrl->GetLogOrigin();
    return point;
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

} // namespace ewtest
