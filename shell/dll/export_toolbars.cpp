// The host's entries for toolbars, menus, the status bar, fonts and colours.
#include "framework/afx.h"
#include "shell/app/appearance.h"
#include "shell/dll/export_guard.h"
#include "shell/dll/wide_arg.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"

extern "C" {

__declspec(dllexport) int __cdecl CreateGuiToolbar(int* index, const char* title, int reuse) {
    return GuardExport(L"CreateGuiToolbar", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(pFrame->CreateGuiToolbar(index, title, reuse != 0)) : 0;
    });
}

__declspec(dllexport) int __cdecl DeleteGuiToolbar(int index) {
    return GuardExport(L"DeleteGuiToolbar", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(pFrame->DeleteGuiToolbar(index)) : 0;
    });
}

__declspec(dllexport) int __cdecl AddTBButton(int index, unsigned bitmap, unsigned bitmap2,
                                              const char* tooltip, unsigned command) {
    return GuardExport(L"AddTBButton", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(
                            pFrame->AddToolbarButton(index, bitmap, bitmap2, tooltip, command))
                      : 0;
    });
}

__declspec(dllexport) int __cdecl ChangeButtons(const char* label, const char* tooltip,
                                                unsigned flags, unsigned word, unsigned bitmap,
                                                unsigned bitmap2) {
    return GuardExport(L"ChangeButtons", -1, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return -1;
        WideArg wideLabel(label), wideTooltip(tooltip);
        return pFrame->ChangeButtons(wideLabel.get(), wideTooltip.get(), flags, word, bitmap,
                                     bitmap2);
    });
}

__declspec(dllexport) int __cdecl EnableFunc(unsigned command, int enable) {
    return GuardExport(L"EnableFunc", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? pFrame->EnableFunc(command, enable != 0) : 0;
    });
}

__declspec(dllexport) int __cdecl InsertGuiMenuItem(const char* text, UINT_PTR command,
                                                    int selector, unsigned flags) {
    return GuardExport(L"InsertGuiMenuItem", 0, [=] {
        WideArg wide(text);
        CMainFrame* pFrame = ActiveFrame();
        // A text that cannot be converted reaches the frame as null, which inserts it empty.
        if (pFrame == nullptr)
            return 0;
        return pFrame->InsertGuiMenuItem(wide.get(), command, selector, flags);
    });
}

__declspec(dllexport) int __cdecl ChangeLanguage(int flag) {
    return GuardExport(L"ChangeLanguage", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? pFrame->ChangeLanguage(flag) : 0;
    });
}

__declspec(dllexport) int __cdecl SetPaneInfoText(const char* text) {
    return GuardExport(L"SetPaneInfoText", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return 0;
        WideArg wide(text);
        return static_cast<int>(pFrame->SetPaneInfoText(wide.get() ? wide.get() : L""));
    });
}

__declspec(dllexport) int __cdecl SetStatusHelpText(const char* text) {
    return GuardExport(L"SetStatusHelpText", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return 0;
        WideArg wide(text);
        return pFrame->SetStatusHelpText(wide.get());
    });
}

__declspec(dllexport) void __cdecl GUIChangeFont(HFONT font, HFONT boldFont) {
    GuardExport(L"GUIChangeFont", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame != nullptr && ChangeSharedFonts(font, boldFont))
            pFrame->RelayoutAllWindows();
        return 0;
    });
}

__declspec(dllexport) int __cdecl GUIChangeColor(COLORREF text, COLORREF background,
                                                 COLORREF secondText) {
    return GuardExport(L"GUIChangeColor", 0, [=] {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr)
            return 0;
        const BOOL all = ChangeSharedColors(text, background, secondText);
        pFrame->RelayoutAllWindows();
        return static_cast<int>(all);
    });
}
}
