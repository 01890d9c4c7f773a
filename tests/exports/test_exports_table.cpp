// Every export the host calls, with benign and hostile arguments, before StartApp, during the
// run and after EndApp: each answers what it must and none crashes; and the library exports
// exactly its 46 names.
#include "tests/support/app_fixture.h"
#include "tests/support/modal_script.h"

#include "ifac/h/hostwnd.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>

namespace {

// What an answer must be in one phase of the run.
struct Expect {
    enum Kind { Value, Any, NonZero, EmptyText, Skip } kind;
    intptr_t value;
};
Expect Is(intptr_t value) {
    return {Expect::Value, value};
}
const Expect kAny{Expect::Any, 0};
const Expect kNonZero{Expect::NonZero, 0};
const Expect kEmptyText{Expect::EmptyText, 0}; // a static text the host must not free, empty
const Expect kSkip{Expect::Skip, 0};

template <class R, class... A> intptr_t Invoke(HMODULE module, const char* name, A... args) {
    auto fn =
        reinterpret_cast<R(__cdecl*)(A...)>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (fn == nullptr)
        return 0; // the table test finds the name missing before it calls
    if constexpr (std::is_void_v<R>) {
        fn(args...);
        return 0;
    } else {
        return (intptr_t)fn(args...);
    }
}

WindowPosition g_position{};
int g_index = 0;
char* g_text = nullptr;
int g_line = 0, g_source = 0, g_core = 0;
HWND g_out = nullptr;
const void* g_table = nullptr;

// A text far longer than any buffer the library keeps.
const char* Overlong() {
    static const std::string text(100000, 'x');
    return text.c_str();
}
const HWND kWildWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(0x7FFF1234));

struct ExportCase {
    const char* name;
    const char* args; // what the case passes, for the failure message
    std::function<intptr_t(HMODULE)> call;
    Expect before, during, after;
};

using M = HMODULE;
const ExportCase kCases[] = {
    {"StartApp", "", [](M m) { return Invoke<int>(m, "StartApp"); }, kSkip, Is(1), Is(0)},
    {"PeekMessageApp", "mode -1", [](M m) { return Invoke<int>(m, "PeekMessageApp", -1); }, Is(0),
     kAny, Is(0)},
    {"PeekMessageApp", "mode INT_MAX",
     [](M m) { return Invoke<int>(m, "PeekMessageApp", INT_MAX); }, Is(0), kAny, Is(0)},
    {"EndApp", "", [](M m) { return Invoke<int>(m, "EndApp"); }, Is(0), kSkip, Is(0)},
    {"DLL_Version", "", [](M m) { return Invoke<const char*>(m, "DLL_Version"); }, kNonZero,
     kNonZero, kNonZero},
    {"GetInfo", "all items, null outs",
     [](M m) {
         return Invoke<int>(m, "GetInfo", 0xF, (char**)nullptr, (int*)nullptr, (int*)nullptr,
                            (int*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"GetInfo", "all items, no source window active",
     [](M m) { return Invoke<int>(m, "GetInfo", -1, &g_text, &g_line, &g_source, &g_core); }, Is(0),
     Is(0), Is(0)},
    {"GetLastMessageOwner", "", [](M m) { return Invoke<HWND>(m, "GetLastMessageOwner"); }, Is(0),
     kAny, Is(0)},
    {"GUISetWaitCursor", "", [](M m) { return Invoke<int>(m, "GUISetWaitCursor"); }, Is(0), Is(0),
     Is(0)},
    {"CreateSourceWindow", "null name and path, core -7",
     [](M m) {
         return Invoke<int>(m, "CreateSourceWindow", (const char*)nullptr, (const char*)nullptr,
                            0x7, &g_position, -7);
     },
     Is(-1), Is(-1), Is(-1)},
    {"CreateSourceWindow", "assembler, core -2",
     [](M m) { return Invoke<int>(m, "CreateSourceWindow", "", "", 0x18, &g_position, -2); },
     Is(-1), Is(-1), Is(-1)},
    {"CreateSourceWindow", "assembler, core INT_MAX",
     [](M m) { return Invoke<int>(m, "CreateSourceWindow", "", "", 0x18, &g_position, INT_MAX); },
     Is(-1), Is(-1), Is(-1)},
    {"CreateSourceWindow", "assembler, core 4096",
     [](M m) { return Invoke<int>(m, "CreateSourceWindow", "", "", 0x18, &g_position, 4096); },
     Is(-1), Is(-1), Is(-1)},
    {"UpdateSourceWindow", "assembler, wild id, no assembler window",
     [](M m) {
         return Invoke<intptr_t>(m, "UpdateSourceWindow", 9999, (const char*)nullptr,
                                 (const char*)nullptr, INT_MAX, 0x18, 0, 0, 0, 0);
     },
     Is(0), Is(9999), Is(0)},
    {"EnableWindowUpdate", "assembler off",
     [](M m) { return Invoke<uint32_t>(m, "EnableWindowUpdate", 1u, 0); }, Is(3), Is(3), Is(3)},
    {"EnableWindowUpdate", "assembler on again",
     [](M m) { return Invoke<uint32_t>(m, "EnableWindowUpdate", 1u, 1); }, Is(2), Is(2), Is(2)},
    {"CreateSourceWindow", "a file that is not there, null position",
     [](M m) {
         return Invoke<int>(m, "CreateSourceWindow", "m", "Z:\\no\\such\\file.c", 0,
                            (const WindowPosition*)nullptr, -1);
     },
     Is(-1), Is(-1), Is(-1)},
    {"CreateSourceWindow", "overlong path",
     [](M m) {
         return Invoke<int>(m, "CreateSourceWindow", Overlong(), Overlong(), 0, &g_position, 0);
     },
     Is(-1), Is(-1), Is(-1)},
    {"UpdateSourceWindow", "wild id, null texts, huge line",
     [](M m) {
         return Invoke<intptr_t>(m, "UpdateSourceWindow", 9999, (const char*)nullptr,
                                 (const char*)nullptr, INT_MAX, 0, INT_MIN, INT_MAX, INT_MAX, -1);
     },
     Is(0), Is(0), Is(0)},
    {"UpdateSourceWindow", "lowest id, overlong texts",
     [](M m) {
         return Invoke<intptr_t>(m, "UpdateSourceWindow", INT_MIN, Overlong(), Overlong(), -5, 0, 0,
                                 0, 0, 0);
     },
     Is(0), Is(0), Is(0)},
    {"RequestSourceBlock", "wild id",
     [](M m) { return Invoke<char*>(m, "RequestSourceBlock", 9999, INT_MIN, INT_MAX, -1, -1); },
     kEmptyText, kEmptyText, kEmptyText},
    {"ActivateSourceWindow", "lowest id",
     [](M m) { return Invoke<int>(m, "ActivateSourceWindow", INT_MIN); }, Is(0), Is(0), Is(0)},
    {"ActivateSourceWindow", "wild negative id",
     [](M m) { return Invoke<int>(m, "ActivateSourceWindow", -9999); }, Is(0), Is(0), Is(0)},
    {"PageSourceWindow", "wild id, huge count",
     [](M m) { return Invoke<int>(m, "PageSourceWindow", 9999, 2, INT_MAX); }, Is(0), Is(0), Is(0)},
    {"PageActiveWindow", "no source window, huge count",
     [](M m) { return Invoke<int>(m, "PageActiveWindow", 2, INT_MAX); }, Is(0), Is(0), Is(0)},
    {"SetColumnDatas", "wild id, wild data",
     [](M m) { return Invoke<int>(m, "SetColumnDatas", 9999, -1, (void*)0x1234, 0); }, Is(0), Is(0),
     Is(0)},
    {"CreateFileViewer", "null path",
     [](M m) { return Invoke<int>(m, "CreateFileViewer", (const char*)nullptr, 0, &g_position); },
     Is(0), Is(0), Is(0)},
    {"CreateFileViewer", "overlong path, null position",
     [](M m) {
         return Invoke<int>(m, "CreateFileViewer", Overlong(), 0, (const WindowPosition*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"CloseFileViewer", "null name",
     [](M m) { return Invoke<int>(m, "CloseFileViewer", (const char*)nullptr); }, Is(1), Is(1),
     Is(1)},
    {"CloseFileViewer", "overlong name",
     [](M m) { return Invoke<int>(m, "CloseFileViewer", Overlong()); }, Is(1), Is(1), Is(1)},
    {"CreateEvalWindow", "null position",
     [](M m) { return Invoke<int>(m, "CreateEvalWindow", -1, (const WindowPosition*)nullptr); },
     Is(0), Is(0), Is(0)},
    {"UpdateEvalWindow", "wild id",
     [](M m) {
         return Invoke<intptr_t>(m, "UpdateEvalWindow", 2, 9999, (intptr_t)0x1234, (intptr_t)-1);
     },
     Is(0), Is(0), Is(0)},
    {"GetMDIWindow", "null out",
     [](M m) { return Invoke<int>(m, "GetMDIWindow", "w", &g_position, (HWND*)nullptr); }, Is(0),
     Is(0), Is(0)},
    {"GetMDIWindow", "null position",
     [](M m) {
         return Invoke<int>(m, "GetMDIWindow", "w", (const WindowPosition*)nullptr, &g_out);
     },
     Is(0), Is(0), Is(0)},
    {"CloseMDIWindow", "wild id",
     [](M m) { return Invoke<int>(m, "CloseMDIWindow", (intptr_t)9999, 1); }, Is(0), Is(1), Is(0)},
    {"CloseMDIWindow", "wild handle",
     [](M m) { return Invoke<int>(m, "CloseMDIWindow", (intptr_t)kWildWindow, 0); }, Is(0), Is(1),
     Is(0)},
    {"CDocViewFromHandle", "wild handle",
     [](M m) { return Invoke<HWND>(m, "CDocViewFromHandle", kWildWindow); }, Is(0), Is(0), Is(0)},
    {"CDocViewFromHandle", "the desktop",
     [](M m) { return Invoke<HWND>(m, "CDocViewFromHandle", GetDesktopWindow()); }, Is(0), Is(0),
     Is(0)},
    {"GetWindowHandle", "lowest id",
     [](M m) { return Invoke<HWND>(m, "GetWindowHandle", INT_MIN); }, Is(-1), Is(-1), Is(-1)},
    {"GetWindowHandle", "id 0", [](M m) { return Invoke<HWND>(m, "GetWindowHandle", 0); }, Is(-1),
     Is(-1), Is(-1)},
    {"GetWindowHandle", "wild id", [](M m) { return Invoke<HWND>(m, "GetWindowHandle", 9999); },
     Is(-1), Is(-1), Is(-1)},
    {"SetWndCaption", "null text",
     [](M m) { return Invoke<int>(m, "SetWndCaption", (intptr_t)1, 1, (const char*)nullptr); },
     Is(0), Is(0), Is(0)},
    {"SetWndCaption", "wild handle, overlong text",
     [](M m) { return Invoke<int>(m, "SetWndCaption", (intptr_t)kWildWindow, 0, Overlong()); },
     Is(0), Is(0), Is(0)},
    {"SetWndIcon", "wild size kind",
     [](M m) { return Invoke<LRESULT>(m, "SetWndIcon", (intptr_t)1, 1, (HICON) nullptr, 99); },
     Is(0), Is(0), Is(0)},
    {"SetWndIcon", "wild handle",
     [](M m) {
         return Invoke<LRESULT>(m, "SetWndIcon", (intptr_t)kWildWindow, 0,
                                LoadIcon(nullptr, IDI_APPLICATION), ICON_SMALL);
     },
     Is(0), Is(0), Is(0)},
    {"UpdateWndPos", "wild id, null position",
     [](M m) {
         return Invoke<void>(m, "UpdateWndPos", (intptr_t)9999, 1, (const WindowPosition*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"GetWindowPos", "wild handle, null position",
     [](M m) {
         return Invoke<int>(m, "GetWindowPos", (intptr_t)kWildWindow, 0,
                            (const WindowPosition*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"CheckMDIMaximizedState", "", [](M m) { return Invoke<int>(m, "CheckMDIMaximizedState"); },
     Is(0), Is(0), Is(0)},
    {"EnableWindowUpdate", "no bits",
     [](M m) { return Invoke<uint32_t>(m, "EnableWindowUpdate", 0u, 1); }, Is(3), Is(3), Is(3)},
    {"Mem_Connect", "null out",
     [](M m) { return Invoke<int>(m, "Mem_Connect", (const void**)nullptr); }, Is(0), Is(0), Is(0)},
    {"Mem_Connect", "", [](M m) { return Invoke<int>(m, "Mem_Connect", &g_table); }, Is(1), Is(1),
     Is(1)},
    {"GetListWndIfacPtr", "null out",
     [](M m) { return Invoke<const void**>(m, "GetListWndIfacPtr", (const void**)nullptr); }, Is(0),
     Is(0), Is(0)},
    {"GetListWndIfacPtr", "",
     [](M m) {
         return Invoke<const void**>(m, "GetListWndIfacPtr", &g_table) == (intptr_t)&g_table &&
                g_table != nullptr;
     },
     Is(1), Is(1), Is(1)},
    {"GUIEnableMemoryMapping", "flag 5",
     [](M m) { return Invoke<int>(m, "GUIEnableMemoryMapping", 5); }, Is(0), Is(1), Is(0)},
    {"InitDragOle", "", [](M m) { return Invoke<int>(m, "InitDragOle"); }, Is(0), Is(1), Is(0)},
    {"InitMDIDragSource", "wild window",
     [](M m) {
         return Invoke<int>(m, "InitMDIDragSource", (const char*)nullptr, kWildWindow, (intptr_t)0,
                            (void*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"InitMDIDropTarget", "the desktop",
     [](M m) {
         return Invoke<int>(m, "InitMDIDropTarget", (const char*)nullptr, GetDesktopWindow());
     },
     Is(0), Is(0), Is(0)},
    {"PluginDialog", "null list, the dialog cancelled",
     [](M m) {
         ModalScript script;
         script.Then(L"Show Plug-ins", [](HWND) { return IDCANCEL; });
         return Invoke<int>(m, "PluginDialog", (void*)nullptr);
     },
     Is(0), Is(0), Is(0)},
    {"CreateGuiToolbar", "null index",
     [](M m) { return Invoke<int>(m, "CreateGuiToolbar", (int*)nullptr, "T", 0); }, Is(0), Is(0),
     Is(0)},
    {"CreateGuiToolbar", "null title",
     [](M m) { return Invoke<int>(m, "CreateGuiToolbar", &g_index, (const char*)nullptr, 1); },
     Is(0), Is(0), Is(0)},
    {"DeleteGuiToolbar", "index 0", [](M m) { return Invoke<int>(m, "DeleteGuiToolbar", 0); },
     Is(0), Is(0), Is(0)},
    {"DeleteGuiToolbar", "lowest index",
     [](M m) { return Invoke<int>(m, "DeleteGuiToolbar", INT_MIN); }, Is(0), Is(0), Is(0)},
    {"DeleteGuiToolbar", "wild index", [](M m) { return Invoke<int>(m, "DeleteGuiToolbar", 9999); },
     Is(0), Is(0), Is(0)},
    {"AddTBButton", "wild index, null tooltip",
     [](M m) { return Invoke<int>(m, "AddTBButton", 9999, 0u, 0u, (const char*)nullptr, 1030u); },
     Is(0), Is(0), Is(0)},
    {"AddTBButton", "negative index",
     [](M m) { return Invoke<int>(m, "AddTBButton", -1, 0u, 0u, "t", 1030u); }, Is(0), Is(0),
     Is(0)},
    {"ChangeButtons", "null texts",
     [](M m) {
         return Invoke<int>(m, "ChangeButtons", (const char*)nullptr, (const char*)nullptr, 0u, 0u,
                            0u, 0u);
     },
     Is(-1), kAny, Is(-1)},
    {"ChangeButtons", "overlong texts, every flag",
     [](M m) {
         return Invoke<int>(m, "ChangeButtons", Overlong(), Overlong(), 0xFFFFFFFFu, 0xFFFFFFFFu,
                            0xFFFFFFFFu, 0xFFFFFFFFu);
     },
     Is(-1), kAny, Is(-1)},
    {"EnableFunc", "wild command", [](M m) { return Invoke<int>(m, "EnableFunc", 0xFFFFFFFFu, 0); },
     Is(0), Is(1), Is(0)},
    {"InsertGuiMenuItem", "selector outside -8 to -1",
     [](M m) { return Invoke<int>(m, "InsertGuiMenuItem", "x", (UINT_PTR)1100, 5, 0u); }, Is(0),
     Is(0), Is(0)},
    {"InsertGuiMenuItem", "selector -9, null text",
     [](M m) {
         return Invoke<int>(m, "InsertGuiMenuItem", (const char*)nullptr, (UINT_PTR)1100, -9, 0u);
     },
     Is(0), Is(0), Is(0)},
    {"ChangeLanguage", "wild flag", [](M m) { return Invoke<int>(m, "ChangeLanguage", INT_MIN); },
     Is(0), kAny, Is(0)},
    {"SetPaneInfoText", "null text",
     [](M m) { return Invoke<int>(m, "SetPaneInfoText", (const char*)nullptr); }, Is(0), kAny,
     Is(0)},
    {"SetPaneInfoText", "overlong text",
     [](M m) { return Invoke<int>(m, "SetPaneInfoText", Overlong()); }, Is(0), kAny, Is(0)},
    {"SetStatusHelpText", "overlong text",
     [](M m) { return Invoke<int>(m, "SetStatusHelpText", Overlong()); }, Is(0), kAny, Is(0)},
    {"GUIChangeFont", "no font",
     [](M m) {
         return Invoke<void>(m, "GUIChangeFont", (HFONT)GetStockObject(WHITE_BRUSH), (HFONT)0x1234);
     },
     Is(0), Is(0), Is(0)},
    {"GUIChangeColor", "colours with a top byte",
     [](M m) {
         return Invoke<int>(m, "GUIChangeColor", (COLORREF)0x01000000, (COLORREF)-1, (COLORREF)0);
     },
     Is(0), Is(0), Is(0)},
};

enum class Phase { before, during, after };

class ExportsTable : public AppTest {
protected:
    // Every case of the table in that phase; the frame (when there is one) still stands after.
    void RunTable(Phase phase) {
        const char* names[] = {"before StartApp", "during the run", "after EndApp"};
        for (const ExportCase& c : kCases) {
            const Expect& e = phase == Phase::before   ? c.before
                              : phase == Phase::during ? c.during
                                                       : c.after;
            if (e.kind == Expect::Skip)
                continue;
            const std::string what =
                std::string(c.name) + "(" + c.args + ") " + names[static_cast<int>(phase)];
            ASSERT_NE(nullptr, GetProcAddress(m_module, c.name)) << what << ": not exported";
            const intptr_t answer = c.call(m_module);
            switch (e.kind) {
            case Expect::Value:
                EXPECT_EQ(e.value, answer) << what;
                break;
            case Expect::NonZero:
                EXPECT_NE(0, answer) << what;
                break;
            case Expect::EmptyText:
                ASSERT_NE(0, answer) << what;
                EXPECT_STREQ("", reinterpret_cast<const char*>(answer)) << what;
                break;
            default:
                break;
            }
        }
        if (phase == Phase::during) {
            EXPECT_TRUE(IsWindow(Frame()));
        }
    }
};

// The names of the library's export table, read from the module's own headers.
std::set<std::string> ExportedNames(HMODULE module) {
    std::set<std::string> names;
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0)
        return names;
    auto* dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* nameRvas = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
    for (DWORD i = 0; i < dir->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

// The names the .def file lists under EXPORTS.
std::set<std::string> DefNames() {
    std::set<std::string> names;
    std::ifstream in(MOX_EXPORTS_DEF);
    std::string line;
    bool exports = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word))
            continue;
        if (word == "EXPORTS")
            exports = true;
        else if (exports)
            names.insert(word);
    }
    return names;
}

const std::set<std::string> kExportNames = {
    "StartApp",
    "PeekMessageApp",
    "EndApp",
    "DLL_Version",
    "GetInfo",
    "GetLastMessageOwner",
    "GUISetWaitCursor",
    "CreateSourceWindow",
    "UpdateSourceWindow",
    "RequestSourceBlock",
    "ActivateSourceWindow",
    "PageSourceWindow",
    "PageActiveWindow",
    "SetColumnDatas",
    "CreateFileViewer",
    "CloseFileViewer",
    "CreateEvalWindow",
    "UpdateEvalWindow",
    "GetMDIWindow",
    "CloseMDIWindow",
    "CDocViewFromHandle",
    "GetWindowHandle",
    "SetWndCaption",
    "SetWndIcon",
    "UpdateWndPos",
    "GetWindowPos",
    "CheckMDIMaximizedState",
    "EnableWindowUpdate",
    "Mem_Connect",
    "GetListWndIfacPtr",
    "GUIEnableMemoryMapping",
    "InitDragOle",
    "InitMDIDragSource",
    "InitMDIDropTarget",
    "PluginDialog",
    "CreateGuiToolbar",
    "DeleteGuiToolbar",
    "AddTBButton",
    "ChangeButtons",
    "EnableFunc",
    "InsertGuiMenuItem",
    "ChangeLanguage",
    "SetPaneInfoText",
    "SetStatusHelpText",
    "GUIChangeFont",
    "GUIChangeColor",
};

TEST_F(ExportsTable, TheDefFileAndTheExportTableListExactlyTheFortySixNames) {
    ASSERT_EQ(46u, kExportNames.size());
    EXPECT_EQ(kExportNames, DefNames());
    Load();
    EXPECT_EQ(kExportNames, ExportedNames(m_module));
    std::set<std::string> tabled;
    for (const ExportCase& c : kCases)
        tabled.insert(c.name);
    EXPECT_EQ(kExportNames, tabled) << "every export has its cases";
}

TEST_F(ExportsTable, EveryExportAnswersBeforeStartDuringTheRunAndAfterEnd) {
    Load();
    RunTable(Phase::before);
    ASSERT_EQ(1, Call("StartApp"));
    m_started = true;
    Peek();
    RunTable(Phase::during);
    PumpAll();
    EXPECT_EQ(1, Call("EndApp"));
    m_started = false;
    EXPECT_FALSE(IsWindow(Frame()));
    RunTable(Phase::after);
}

} // namespace
