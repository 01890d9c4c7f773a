// Input into a large file through the editor windows, against the same edits made straight
// on the text model in the same run. Replace All of a word on every tenth line of a file of a
// million lines, through the controller's find-and-replace handler with its view on screen;
// floor: the same replacements as model edits in one compound step, without a view.
#include "bench_clock.h"

#include "editor/edit_ctrl.h"
#include "editor/edit_find_dialog.h"
#include "editor/edit_find_state.h"
#include "editor/edit_model.h"
#include "framework/afx.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int kLines = 1000000; // a smaller count may be given on the command line
const wchar_t kWord[] = L"needle";
const wchar_t kReplacement[] = L"thread";

std::wstring MakeFile() {
    std::wstring text;
    text.reserve(size_t(kLines) * 34);
    for (int i = 0; i < kLines; ++i) {
        text +=
            (i % 10 == 0) ? L"    int value = needle + other;" : L"    int value = count + other;";
        text += L'\n';
    }
    return text;
}

int Answer(LPCTSTR text, UINT) {
    std::printf("  message: %ls\n", text);
    return IDOK;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Replace All as the dialog asks for it, with the view painting what changed.
double ThroughTheDialog(const std::wstring& text, CString& result) {
    CWnd frame;
    frame.CreateEx(0, nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
    auto ctrl = std::make_unique<SECEditCtrl>();
    ctrl->Create(nullptr, L"SECEdit", WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 480), &frame, 1);
    SECEditModel& model = *ctrl->GetEditModel();
    model.SetText(text.c_str(), static_cast<int>(text.size()));
    Pump();
    SECEditFindReplaceDlg dialog(FALSE);
    dialog.SetFindString(kWord);
    dialog.SetReplaceString(kReplacement);
    dialog.SetMatchCase(TRUE);
    dialog.SetReplaceScope(FALSE);
    dialog.m_nModalResult = SECEditFindReplaceDlg::actionReplaceAll;
    SECEditController& controller = *ctrl->GetEditController();
    controller.SetCaretPosition(0, 0, FALSE);
    const double start = Now();
    controller.OnFindReplace(&dialog);
    ::UpdateWindow(ctrl->m_hWnd);
    Pump();
    const double seconds = Now() - start;
    model.GetAllText(result);
    ctrl->DestroyWindow();
    frame.DestroyWindow();
    return seconds;
}

double StraightOnTheModel(const std::wstring& text, CString& result) {
    SECEditModel model;
    model.SetText(text.c_str(), static_cast<int>(text.size()));
    const int length = static_cast<int>(std::wcslen(kWord));
    const double start = Now();
    model.BeginCompound(1);
    for (int line = 0; line < kLines; line += 10) {
        model.DeleteText(line, 16, line, 16 + length);
        model.InsertTextAt(line, 16, kReplacement, length);
    }
    model.EndCompound();
    const double seconds = Now() - start;
    model.GetAllText(result);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::atoi(argv[1]) > 0)
        kLines = std::atoi(argv[1]);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    AfxSetMessageBoxHook(&Answer);
    const std::wstring text = MakeFile();
    std::printf("editor_input_bench: %d lines, Replace All on every tenth line\n", kLines);
    CString viaDialog, viaModel;
    const double floor = StraightOnTheModel(text, viaModel);
    const double measured = ThroughTheDialog(text, viaDialog);
    std::printf("  %-44s %10s %9s %7s\n", "operation", "ms", "ratio", "target");
    std::printf("  %-44s %10.1f %9.3f %7s\n", "(a) floor: model edits in one compound",
                floor * 1000.0, 1.0, "");
    std::printf("  %-44s %10.1f %9.3f %7.3f%s\n", "(a) Replace All through OnFindReplace",
                measured * 1000.0, measured / floor, 3.0,
                measured / floor > 3.0 ? "  (over target)" : "");
    if (viaDialog != viaModel) {
        std::printf("  the two texts differ\n");
        return 1;
    }
    return 0;
}
