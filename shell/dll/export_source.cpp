// The host's entries of the source windows and the file viewer.
#include "framework/afx.h"
#include "shell/app/lifecycle.h"
#include "shell/dll/export_guard.h"
#include "shell/dll/text_buffer.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"

#include <cstring>
#include <memory>

namespace {
constexpr int kAssemblerFlag = 0x8;

// An 8-bit host text as UTF-16 on the process heap for the length of a call; null stays null.
class WideArg {
public:
    explicit WideArg(const char* text) {
        if (text != nullptr)
            AnsiToWideHeap(text, &m_text);
    }
    ~WideArg() {
        if (m_text != nullptr)
            ::HeapFree(::GetProcessHeap(), 0, m_text);
    }
    WideArg(const WideArg&) = delete;
    WideArg& operator=(const WideArg&) = delete;
    const wchar_t* get() const { return m_text; }

private:
    wchar_t* m_text = nullptr;
};

// The text of a block cut at its first line break.
void CutAtFirstBreak(char* text) {
    if (text != nullptr)
        text[std::strcspn(text, "\r\n")] = 0;
}
} // namespace

extern "C" {

__declspec(dllexport) int __cdecl CreateSourceWindow(const char* name, const char* path, int flags,
                                                     const WindowPosition* position, int core) {
    return GuardExport(L"CreateSourceWindow", -1, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return -1;
        if (flags & kAssemblerFlag)
            return pFrame->OpenAsmWindow(static_cast<UINT>(flags), position, core);
        WideArg wideName(name), widePath(path);
        return pFrame->OpenSourceWindow(wideName.get(), widePath.get(), static_cast<UINT>(flags),
                                        position, core);
    });
}

__declspec(dllexport) intptr_t
    __cdecl UpdateSourceWindow(int id, const char* name, const char* path, int line, int flags,
                               int startColumn, int endColumn, int lineCount, int tag) {
    return GuardExport(L"UpdateSourceWindow", static_cast<intptr_t>(0), [=]() -> intptr_t {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return 0;
        if (flags & kAssemblerFlag)
            return static_cast<intptr_t>(
                pFrame->UpdateAsmWindow(id, line, static_cast<UINT>(flags)));
        WideArg wideName(name), widePath(path);
        return pFrame->UpdateSourceWindow(id, wideName.get(), widePath.get(), line,
                                          static_cast<UINT>(flags), startColumn, endColumn,
                                          lineCount, tag);
    });
}

__declspec(dllexport) char* __cdecl RequestSourceBlock(int id, int a, int b, int first, int last) {
    return GuardExport(L"RequestSourceBlock", SharedTextBuffer(), [=]() -> char* {
        CMainFrame* pFrame = ActiveFrame();
        char* pBlock =
            pFrame != nullptr ? pFrame->RequestSourceBlock(id, a, b, first, last) : nullptr;
        if (pBlock == nullptr)
            return SharedTextBuffer();
        if (first == -1 && last == -1)
            CutAtFirstBreak(pBlock);
        return pBlock;
    });
}

__declspec(dllexport) int __cdecl ActivateSourceWindow(int id) {
    return GuardExport(L"ActivateSourceWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame != nullptr ? pFrame->ActivateSourceWindow(id) : 0;
    });
}

__declspec(dllexport) int __cdecl PageSourceWindow(int id, int action, int count) {
    return GuardExport(L"PageSourceWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame != nullptr ? pFrame->PageWindow(id, action, count) : 0;
    });
}

__declspec(dllexport) int __cdecl PageActiveWindow(int action, int count) {
    return GuardExport(L"PageActiveWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame != nullptr ? pFrame->PageWindow(0, action, count) : 0;
    });
}

__declspec(dllexport) int __cdecl SetColumnDatas(int id, int flags, void* data, int word) {
    return GuardExport(L"SetColumnDatas", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame != nullptr ? pFrame->SetColumnDatas(id, static_cast<UINT>(flags), data, word)
                                 : 0;
    });
}

__declspec(dllexport) int __cdecl CreateFileViewer(const char* path, int value,
                                                   const WindowPosition* position) {
    return GuardExport(L"CreateFileViewer", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr || path == nullptr)
            return 0;
        WideArg widePath(path);
        return widePath.get() != nullptr ? pFrame->OpenFileViewer(widePath.get(), value, position)
                                         : 0;
    });
}

__declspec(dllexport) int __cdecl CloseFileViewer(const char* name) {
    return GuardExport(L"CloseFileViewer", 1, [=] {
        CMainFrame* pFrame = ActiveFrame();
        WideArg wideName(name);
        if (pFrame != nullptr && wideName.get() != nullptr)
            pFrame->CloseFileViewer(wideName.get());
        return 1;
    });
}
}
