// The host's entries of the source windows and the file viewer.
#include "framework/afx.h"
#include "shell/app/lifecycle.h"
#include "shell/dll/export_guard.h"
#include "shell/dll/text_buffer.h"
#include "shell/dll/wide_arg.h"
#include "shell/frame/mainframe.h"
#include "shell/host_text.h"
#include "shell/hostlink.h"
#include "windows/source/src_frames.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_view.h"

#include <climits>
#include <cstring>
#include <memory>

namespace {
constexpr int kAssemblerFlag = 0x8;

constexpr int kInfoText = 0x1, kInfoLine = 0x2, kInfoSourceId = 0x4, kInfoCore = 0x8;

// What the host asks of the source view: each item filled whose out pointer is given; true
// when any was.
bool FillSourceInfo(CTarvikView& view, int flags, char** text, int* line, int* sourceId,
                    int* core) {
    bool filled = false;
    CEditController* pController = view.GetSourceController();
    if ((flags & kInfoText) && text != nullptr && pController != nullptr &&
        pController->HasSelection()) {
        HostText selection(pController->GetSelectedText());
        *text = CopyToSharedTextBuffer(selection.get());
        filled = true;
    }
    if ((flags & kInfoLine) && line != nullptr && pController != nullptr) {
        *line = pController->GetCaretPosition().m_line + 1;
        filled = true;
    }
    if ((flags & kInfoSourceId) && sourceId != nullptr) {
        *sourceId = static_cast<int>(view.GetUpdateTag());
        filled = true;
    }
    if ((flags & kInfoCore) && core != nullptr) {
        *core = view.GetCoreId();
        filled = true;
    }
    return filled;
}

// The text of a block cut at its first line break.
void CutAtFirstBreak(char* text) {
    if (text != nullptr)
        text[std::strcspn(text, "\r\n")] = 0;
}
} // namespace

extern "C" {

// What the active source window shows: only an MDI child source frame answers.
__declspec(dllexport) int __cdecl GetInfo(int flags, char** text, int* line, int* sourceId,
                                          int* core) {
    return GuardExport(L"GetInfo", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
        if (pChild == nullptr || !pChild->IsKindOf(RUNTIME_CLASS(CChildFrame)))
            return 0;
        CTarvikView* pView = SourceFrameView(pChild);
        return pView != nullptr && FillSourceInfo(*pView, flags, text, line, sourceId, core) ? 1
                                                                                             : 0;
    });
}

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
    return GuardExport(L"RequestSourceBlock", EmptySharedTextBuffer(), [=]() -> char* {
        CMainFrame* pFrame = ActiveFrame();
        char* pBlock =
            pFrame != nullptr ? pFrame->RequestSourceBlock(id, a, b, first, last) : nullptr;
        if (pBlock == nullptr)
            return EmptySharedTextBuffer();
        if (first == -1 && last == -1)
            CutAtFirstBreak(pBlock);
        return pBlock;
    });
}

__declspec(dllexport) int __cdecl ActivateSourceWindow(int id) {
    return GuardExport(L"ActivateSourceWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        // A negative id stands for its absolute value, which the lowest one has not.
        return pFrame != nullptr && id != INT_MIN ? pFrame->ActivateSourceWindow(id) : 0;
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
