// The host's entries that name windows by id or handle.
#include "framework/afx.h"
#include "shell/app/lifecycle.h"
#include "shell/dll/export_guard.h"
#include "shell/dll/wide_arg.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/common/docview.h"
#include "windows/memory/meminterface.h"

extern "C" {

__declspec(dllexport) HWND __cdecl GetWindowHandle(int id) {
    const HWND failure = reinterpret_cast<HWND>(-1);
    return GuardExport(L"GetWindowHandle", failure, [id]() -> HWND {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return reinterpret_cast<HWND>(-1);
        HWND hWnd = pFrame->GetWindowHandle(id);
        // A window that went without its id being freed reads as a free id.
        if (hWnd != NULL && hWnd != reinterpret_cast<HWND>(-1) && !::IsWindow(hWnd))
            return NULL;
        return id == 0 ? reinterpret_cast<HWND>(-1) : hWnd;
    });
}

__declspec(dllexport) int __cdecl CloseMDIWindow(intptr_t reference, int byId) {
    return GuardExport(L"CloseMDIWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return 0;
        return pFrame->CloseMDIWindow(reference, byId);
    });
}

__declspec(dllexport) int __cdecl SetWndCaption(intptr_t reference, int byId, const char* text) {
    return GuardExport(L"SetWndCaption", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr || text == nullptr)
            return 0;
        WideArg wide(text);
        return wide.get() ? static_cast<int>(pFrame->SetWndCaption(reference, byId, wide.get()))
                          : 0;
    });
}

// The export takes (icon, size kind); the icon message takes (kind, icon).
__declspec(dllexport) LRESULT
    __cdecl SetWndIcon(intptr_t reference, int byId, HICON icon, int kind) {
    return GuardExport(L"SetWndIcon", static_cast<LRESULT>(0), [=]() -> LRESULT {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr || kind < ICON_SMALL || kind > ICON_SMALL2)
            return 0;
        return pFrame->SetWndIcon(reference, byId, static_cast<WPARAM>(kind), icon);
    });
}

__declspec(dllexport) void __cdecl UpdateWndPos(intptr_t reference, int byId,
                                                const WindowPosition* position) {
    GuardExport(L"UpdateWndPos", 0, [=] {
        if (CMainFrame* pFrame = ActiveFrame())
            pFrame->UpdateWndPos(reference, byId, position);
        return 0;
    });
}

__declspec(dllexport) int __cdecl GetWindowPos(intptr_t reference, int byId,
                                               const WindowPosition* position) {
    return GuardExport(L"GetWindowPos", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(pFrame->GetWindowPos(reference, byId, position)) : 0;
    });
}

__declspec(dllexport) int __cdecl CheckMDIMaximizedState() {
    return GuardExport(L"CheckMDIMaximizedState", 0, [] {
        CMainFrame* pFrame = ActiveFrame();
        BOOL bMaximized = FALSE;
        if (pFrame == nullptr || pFrame->MDIGetActive(&bMaximized) == nullptr)
            return 0;
        return bMaximized ? 1 : 0;
    });
}

__declspec(dllexport) int __cdecl Mem_Connect(const MemoryWindowInterface** out) {
    return GuardExport(L"Mem_Connect", 0, [out] {
        if (out == nullptr)
            return 0;
        *out = &MemoryWindowTable();
        return 1;
    });
}

__declspec(dllexport) int __cdecl GUIEnableMemoryMapping(int flag) {
    return GuardExport(L"GUIEnableMemoryMapping", 0, [flag] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(pFrame->EnableMemoryMapping(flag != 0)) : 0;
    });
}

// Readies the process's OLE drag machinery before the first drag: a data source offered one
// format with no data.
__declspec(dllexport) int __cdecl InitDragOle() {
    return GuardExport(L"InitDragOle", 0, [] {
        if (ActiveFrame() == nullptr)
            return 0;
        auto* pSource = new COleDataSource;
        pSource->DelayRenderData(CF_OEMTEXT);
        pSource->ExternalRelease();
        return 1;
    });
}

__declspec(dllexport) int __cdecl GetMDIWindow(const char* name, const WindowPosition* position,
                                               HWND* out) {
    return GuardExport(L"GetMDIWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr || out == nullptr || position == nullptr)
            return 0;
        WideArg wide(name);
        return static_cast<int>(pFrame->OpenHostWindow(wide.get(), position, out));
    });
}

__declspec(dllexport) HWND __cdecl CDocViewFromHandle(HWND window) {
    return GuardExport(L"CDocViewFromHandle", static_cast<HWND>(NULL), [=]() -> HWND {
        if (ActiveFrame() == nullptr || window == NULL || !::IsWindow(window))
            return NULL;
        CDocView* pView = DocViewOf(window);
        return pView ? pView->GetSafeHwnd() : NULL;
    });
}

__declspec(dllexport) int __cdecl InitMDIDropTarget(const char* kind, HWND window) {
    return GuardExport(L"InitMDIDropTarget", 0, [=] {
        CDocView* pView =
            ActiveFrame() && window && ::IsWindow(window) ? DocViewOf(window) : nullptr;
        return pView ? pView->InitDropTarget(kind, static_cast<int>((intptr_t)window)) : 0;
    });
}

__declspec(dllexport) int __cdecl InitMDIDragSource(const char* kind, HWND window, intptr_t context,
                                                    HostDragCallback callback) {
    return GuardExport(L"InitMDIDragSource", 0, [=] {
        CDocView* pView =
            ActiveFrame() && window && ::IsWindow(window) ? DocViewOf(window) : nullptr;
        return pView ? pView->InitDragSource(kind, static_cast<int>((intptr_t)window), context,
                                             callback)
                     : 0;
    });
}
}

extern "C" {

__declspec(dllexport) int __cdecl CreateEvalWindow(int windowNumber,
                                                   const WindowPosition* position) {
    return GuardExport(L"CreateEvalWindow", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? pFrame->OpenEvalWindow(windowNumber, position) : 0;
    });
}

__declspec(dllexport) intptr_t __cdecl UpdateEvalWindow(int kind, int id, intptr_t a, intptr_t b) {
    return GuardExport(L"UpdateEvalWindow", static_cast<intptr_t>(0), [=]() -> intptr_t {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? pFrame->UpdateEvalWindow(kind, id, a, b, 0) : 0;
    });
}
}
