// Source documents and views in real windows: the fixture files loaded by language and
// encoding, the file viewer's refusals as the user sees them, titles, reloads, function keys
// handed to the host, the options dialog's values as saved, and what GotoLine paints.
#include "tests/support/dialog_test_support.h"
#include "editor/lang_config.h"
#include "editor/lang_registry.h"
#include "tests/support/screen_image.h"
#include "tests/srcwnd/source_docs_fixture.h"
#include "tests/srcwnd/source_host.h"
#include "tests/support/file_bytes.h"
#include "windows/source/file_doc.h"
#include "windows/source/file_view.h"
#include "windows/source/set_val_dlg.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_view.h"

#include <string>

namespace {

// Records the function keys the host's key window receives.
struct KeyWindow {
    HWND hwnd = NULL;
    static std::vector<WPARAM>& Keys() {
        static std::vector<WPARAM> keys;
        return keys;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_KEYDOWN)
            Keys().push_back(w);
        return ::DefWindowProcW(h, m, w, l);
    }
    KeyWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SrcWndKeyTarget";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowW(L"SrcWndKeyTarget", L"keys", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, wc.hInstance, nullptr);
        Keys().clear();
    }
    ~KeyWindow() { ::DestroyWindow(hwnd); }
};

char g_coreName[10];
int __cdecl CoreName(char* buffer, int size, int) {
    // Fills the whole buffer: no terminator.
    memcpy(buffer, g_coreName, std::min<size_t>(size, sizeof g_coreName));
    return 1;
}

uint32_t __cdecl LineColour(int line, int, int) {
    return line == 3 ? RGB(255, 255, 0) : 0xFF000000u; // line 3 yellow, others none
}

TEST_F(SourceDocs, FixturesLoadReadOnlyInTheirLanguageAndEncoding) {
    const struct {
        const char* file;
        const wchar_t* language;
        int lines;
        int line;
        const wchar_t* text;
    } cases[] = {
        {"sample.c", L"CPP", 16, 5, L"int add(int a, int b) { return a + b; }"},
        {"start.asm", L"ASM", 8, 4, L"        mov     r0, #0"},
        {"wide.c", L"CPP", 4, 1, L"int caf\u00e9 = 1;"},
        {"empty.c", L"CPP", 1, 0, L""},
    };
    for (const auto& c : cases) {
        CTarvikView* view = nullptr;
        CTarvikDoc* doc = OpenSource(c.file, &view);
        ASSERT_NE(doc, nullptr) << c.file;
        SECEditModel& model = doc->GetModel();
        ASSERT_NE(model.GetLangConfig(), nullptr) << c.file;
        EXPECT_STREQ(c.language, model.GetLangConfig()->GetName().GetString()) << c.file;
        EXPECT_EQ(c.lines, model.GetLineCount()) << c.file;
        EXPECT_EQ(c.text, LineText(model, c.line)) << c.file;
        EXPECT_TRUE(model.IsReadOnly()) << c.file;
        EXPECT_EQ(FixturePath(c.file), view->GetFilePath()) << c.file;
    }
}

TEST_F(SourceDocs, FileViewerRefusesWhatItCannotShowInItsOwnWords) {
    const struct {
        const char* file;
        bool shown;
        const wchar_t* message; // %s: the path
    } cases[] = {
        {"binary.bin", false,
         L"Cannot display the contents of %s,\n\rbecause it is not an ASCII or Unicode file"},
        {"missing.c", false, L"Unable to open file %s"},
        {"wide.c", true, nullptr},
        {"empty.c", true, nullptr},
    };
    for (const auto& c : cases) {
        DialogDismisser answer(IDOK);
        CDocument* doc = s_viewer->OpenDocumentFile(FixturePath(c.file));
        Pump();
        EXPECT_EQ(c.shown, doc != nullptr) << c.file;
        if (c.message == nullptr) {
            EXPECT_TRUE(answer.m_titles.empty()) << c.file;
            continue;
        }
        ASSERT_EQ(1u, answer.m_titles.size()) << c.file << ": one box, the viewer's own";
        EXPECT_EQ(L"File Error", answer.m_titles[0]);
        CString expected;
        expected.Format(c.message, FixturePath(c.file).GetString());
        EXPECT_NE(std::wstring::npos,
                  answer.m_texts[0].find(std::wstring(expected.GetString()).substr(0, 30)))
            << c.file;
    }
    auto* wide = dynamic_cast<CFileDoc*>(s_viewer->OpenDocumentFile(FixturePath("wide.c")));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(L"int caf\u00e9 = 1;", LineText(wide->GetViewerModel(), 1));
    EXPECT_STREQ((L"View File: " + std::wstring(FixturePath("wide.c"))).c_str(),
                 wide->GetTitle().GetString());
}

TEST_F(SourceDocs, TitleNamesModuleCoreAndPath) {
    memcpy(g_coreName, "CORE-ABCDEFGH", sizeof g_coreName); // ten characters, no terminator
    const struct {
        int cores;
        int core;
        const wchar_t* expected;
    } cases[] = {
        {1, 1, L"[sample] "},
        {2, -1, L"[sample] "},
        {2, 1, L"[sample CORE-ABCD] "},
    };
    for (const auto& c : cases) {
        SourceHost::Bind(HostVersion(3, 2, c.cores));
        HostState::Get().commands.Word(55) = reinterpret_cast<void*>(&CoreName);
        CTarvikView* view = nullptr;
        CTarvikDoc* doc = OpenSource("sample.c", &view);
        ASSERT_TRUE(doc && view);
        view->SetModuleName(L"sample");
        view->SetCoreId(c.core);
        doc->UpdateTitle();
        EXPECT_STREQ((std::wstring(c.expected) + FixturePath("sample.c").GetString()).c_str(),
                     doc->GetTitle().GetString());
        doc->OnCloseDocument();
    }
}

TEST_F(SourceDocs, ReloadTakesTheNewFileAndAFailedOneKeepsTheOld) {
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("sample.c", &view);
    ASSERT_TRUE(doc && view);
    SECEditModel& model = doc->GetModel();
    view->GetSourceController()->SetCaretPosition(5, 3, FALSE);
    EXPECT_TRUE(doc->ReloadFile(FixturePath("start.asm")));
    EXPECT_STREQ(L"ASM", model.GetLangConfig()->GetName().GetString());
    EXPECT_EQ(L"_start:", LineText(model, 3));
    EXPECT_EQ(0, view->GetSourceController()->GetCaretPosition().m_line);
    EXPECT_TRUE(model.IsReadOnly());
    EXPECT_EQ(FixturePath("start.asm"), doc->GetPathName());
    DialogDismisser answer(IDOK); // the model tells of the file it cannot open
    EXPECT_FALSE(doc->ReloadFile(FixturePath("missing.c")));
    EXPECT_EQ(FixturePath("start.asm"), doc->GetPathName()) << "the path name stays";
    EXPECT_TRUE(model.IsReadOnly()) << "the window never takes the user's typing";
}

static void* __cdecl NoHostObject(int, void** out) {
    if (out)
        *out = nullptr;
    return nullptr;
}

TEST_F(SourceDocs, FunctionKeysGoToTheHostsWindowNotTheEditor) {
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("sample.c", &view);
    ASSERT_TRUE(doc && view);
    view->SetFocus();
    CEditController* controller = view->GetSourceController();
    controller->SetCaretPosition(4, 0, FALSE);
    const struct {
        bool hostWindow;
        bool hostObject; // false: the host has no record of its key window at all
    } cases[] = {{true, true}, {false, true}, {true, false}};
    void* const hostObject = HostState::Get().commands.Word(14);
    for (const auto& c : cases) {
        KeyWindow target;
        HostState::Get().keyObject.SetKeyWindow(c.hostWindow ? target.hwnd : nullptr);
        HostState::Get().commands.Word(14) =
            c.hostObject ? hostObject : reinterpret_cast<void*>(&NoHostObject);
        ::PostMessageW(view->m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
        ::PostMessageW(view->m_hWnd, WM_KEYDOWN, VK_F9, 0x00430001);
        Pump();
        HostState::Get().commands.Word(14) = hostObject;
        if (!c.hostWindow || !c.hostObject) {
            // The stand-in host answers with its own window when none is set: none of ours.
            EXPECT_TRUE(KeyWindow::Keys().empty());
        } else {
            EXPECT_EQ((std::vector<WPARAM>{VK_F5, VK_F9}), KeyWindow::Keys());
        }
        EXPECT_EQ(4, controller->GetCaretPosition().m_line) << "the editor saw nothing";
        EXPECT_FALSE(doc->GetModel().GetLineFlag(4, 16)) << "F9 is not the editor's mark";
    }
}

TEST_F(SourceDocs, OptionsDialogWritesTheThreeLanguagesAndRefusesTabSizeZero) {
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("sample.c", &view);
    ASSERT_TRUE(doc && view);
    int pass = 0;
    DialogDismisser answer(IDOK);
    answer.m_beforePress = [&](HWND dialog) {
        wchar_t title[64] = {};
        ::GetWindowTextW(dialog, title, 64);
        if (std::wstring(title) != L"Set Source Options ")
            return; // the range message
        // First 0, which the editor could not divide by; then 7.
        ::SetDlgItemTextW(dialog, 1004, pass++ == 0 ? L"0" : L"7");
        ::CheckDlgButton(dialog, 1000, BST_CHECKED);
    };
    doc->OnCmdMsg(kCmdSourceOptions, CN_COMMAND, nullptr, nullptr);
    Pump();
    ASSERT_GE(answer.m_titles.size(), 3u);
    EXPECT_EQ(L"Set Source Options ", answer.m_titles[0]);
    EXPECT_NE(L"Set Source Options ", answer.m_titles[1]) << "0 brings the range message";
    EXPECT_EQ(L"Set Source Options ", answer.m_titles[2]) << "and the dialog stays";
    for (const wchar_t* name : {L"CPP", L"ASM", L"No"}) {
        SECEditLangConfig* config = SECEditLangConfigRegistry::GetLangConfig(name);
        ASSERT_NE(config, nullptr);
        EXPECT_EQ(7, config->GetTabSize()) << name;
        EXPECT_TRUE(config->GetShowWhitespace()) << name;
    }
    for (const wchar_t* file : {L"srcwnd_cpp.ini", L"srcwnd_asm.ini", L"srcwnd_no.ini"}) {
        const auto saved = ReadFileBytes(TempFilePath(file));
        ASSERT_TRUE(saved.has_value());
        EXPECT_NE(std::string::npos, saved->find("7"));
    }
}

// The host's value of an expression: "name : value".
int __cdecl ValueOf(const char* text, const char** result, int*) {
    static std::string answer;
    answer = std::string(text) + " : 42";
    *result = answer.c_str();
    return 1;
}

TEST_F(SourceDocs, SetValueOpensWithTheExpressionAndTheHostsValue) {
    HostState::Get().commands.Word(24) = reinterpret_cast<void*>(&ValueOf);
    CSetVal dialog;
    dialog.m_expression = L"counter";
    std::wstring expression, value;
    DialogDismisser answer(IDCANCEL);
    answer.m_beforePress = [&](HWND box) {
        wchar_t text[64] = {};
        ::GetDlgItemTextW(box, 1001, text, 64);
        expression = text;
        ::GetDlgItemTextW(box, 1002, text, 64);
        value = text;
    };
    dialog.DoModal();
    EXPECT_EQ(L"counter", expression);
    EXPECT_EQ(L" 42", value);
}

TEST_F(SourceDocs, GotoLineHighlightsOverTheHostsColours) {
    HostState::Get().commands.Word(22) = reinterpret_cast<void*>(&LineColour);
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("sample.c", &view);
    ASSERT_TRUE(doc && view);
    view->SetContextTag(5);
    view->GotoLine(10, 5, 8, 0, TRUE); // "int" of "    int i;"
    ::RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const SourceHighlight& h = view->GetHighlight();
    EXPECT_EQ(9, h.line);
    EXPECT_EQ(9, h.endLine);
    EXPECT_EQ(4, h.startColumn);
    EXPECT_EQ(7, h.endColumn);
    ScreenImage image;
    ASSERT_TRUE(image.Read(view->m_hWnd, L"srcwnd_goto_line.png"));
    CEditController* c = view->GetSourceController();
    auto screenOf = [&](int line, int column) {
        CPoint p;
        c->PointFromPosition(p, SECEditPosition(line, column));
        view->ClientToScreen(&p);
        return p + CPoint(1, 2);
    };
    const CPoint highlight = screenOf(9, 5);
    EXPECT_EQ(Rgb(0xB0B0B0), image.At(highlight.x, highlight.y)) << "the highlight";
    const CPoint yellow = screenOf(2, 2);
    EXPECT_EQ(Rgb(RGB(255, 255, 0)), image.At(yellow.x, yellow.y)) << "the host's line 3";
    const CPoint plain = screenOf(4, 2);
    EXPECT_NE(Rgb(RGB(255, 255, 0)), image.At(plain.x, plain.y));
    EXPECT_NE(Rgb(0xB0B0B0), image.At(plain.x, plain.y));
    // A trivial call keeps the highlight.
    view->GotoLine(1, 0, 0, 0, TRUE);
    EXPECT_EQ(9, view->GetHighlight().line);
    EXPECT_EQ(0, c->GetCaretPosition().m_line) << "and scrolls to the first line";
}

} // namespace

namespace {

std::string g_asked;
int __cdecl Evaluate(const char* text, const char** result, int* mode) {
    g_asked = text ? text : "";
    static std::string answer;
    answer = g_asked + ": 45 (mode " + std::to_string(mode ? *mode : -1) + ")";
    *result = answer.c_str();
    return g_asked == "total" ? 1 : 0; // the host knows only "total"
}

TEST_F(SourceDocs, TooltipShowsTheHostsValueAndSurvivesAReload) {
    HostState::Get().commands.Word(24) = reinterpret_cast<void*>(&Evaluate);
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("sample.c", &view);
    ASSERT_TRUE(doc && view);
    CEditController* c = view->GetSourceController();
    auto pointOf = [&](int line, int column) {
        CPoint p;
        c->PointFromPosition(p, SECEditPosition(line, column));
        return p + CPoint(2, 2);
    };
    CString text;
    // "total" selected in "        total = add(total, i);": the selection is the expression.
    c->SetSelection(SECEditRange(SECEditPosition(11, 8), SECEditPosition(11, 13)), 1);
    EXPECT_TRUE(view->GetTipText(2, pointOf(11, 10), text));
    EXPECT_EQ("total", g_asked);
    EXPECT_STREQ(L"total: 45 (mode 0)", text.GetString());
    // Outside the selection the word under the mouse; the host declines it: an empty tip, and
    // its copy goes all the same.
    EXPECT_FALSE(view->GetTipText(1, pointOf(9, 5), text));
    EXPECT_EQ("int", g_asked);
    EXPECT_TRUE(text.IsEmpty());
    // The host's context changes while the tip is up: the file comes again and the tip goes on.
    view->OnTipPop();
    ASSERT_TRUE(doc->ReloadFile(FixturePath("sample.c")));
    c->SetSelection(SECEditRange(SECEditPosition(11, 8), SECEditPosition(11, 13)), 1);
    EXPECT_TRUE(view->GetTipText(1, pointOf(11, 9), text));
    EXPECT_STREQ(L"total: 45 (mode 2)", text.GetString()) << "request kind 1 asks mode 2";
}

} // namespace

namespace {

TEST_F(SourceDocs, FontDialogOnAnAsmFileGivesItsFontToEveryLanguage) {
    CTarvikView* view = nullptr;
    CTarvikDoc* doc = OpenSource("start.asm", &view);
    ASSERT_TRUE(doc && view);
    SECEditLangConfig* asmConfig = SECEditLangConfigRegistry::GetLangConfig(L"ASM");
    SECEditLangConfig* cppConfig = SECEditLangConfigRegistry::GetLangConfig(L"CPP");
    ASSERT_TRUE(asmConfig && cppConfig);
    asmConfig->SetSize(14); // what the dialog shows and keeps on OK
    cppConfig->SetSize(9);
    DialogDismisser answer(IDOK);
    doc->OnCmdMsg(kCmdLanguageConfig, CN_COMMAND, nullptr, nullptr);
    Pump();
    ASSERT_FALSE(answer.m_titles.empty());
    EXPECT_EQ(L"Font and Color Settings", answer.m_titles[0]);
    for (const wchar_t* name : {L"ASM", L"CPP", L"No"})
        EXPECT_EQ(14, SECEditLangConfigRegistry::GetLangConfig(name)->GetSize())
            << "the ASM file's font, not CPP's";
    EXPECT_TRUE(view->GetSourceController()->HasCaret() || ::GetFocus() != view->m_hWnd)
        << "the caret comes back";
}

} // namespace
