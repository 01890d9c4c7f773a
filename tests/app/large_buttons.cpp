#include "tests/app/large_buttons.h"

#include "tests/support/modal_script.h"

bool ToggleLargeButtons(HWND frame, const std::function<void()>& pump) {
    ModalScript script;
    script.Then(L"Toolbars", [](HWND hDlg) {
        SendMessageW(GetDlgItem(hDlg, 43103), BM_CLICK, 0, 0); // "&Large Buttons"
        return IDOK;
    });
    PostMessageW(frame, WM_COMMAND, 32929, 0); // "&Toolbars ..."
    pump();
    PumpFor(200);
    return script.Finished();
}
