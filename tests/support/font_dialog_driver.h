// Driving the font and colour dialog from inside its modal loop, as a person would use it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

extern const wchar_t kCaption[]; // the dialog's title

// Runs a script on the first visible window with the caption that appears on this thread, from
// inside its modal loop, then presses the button the script answers. A dialog still up after
// 15 seconds is cancelled, so that a broken script fails rather than hangs.
class ModalDriver {
public:
    ModalDriver(const wchar_t* caption, std::function<int(HWND)> script);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    bool ran = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    std::wstring m_caption;
    std::function<int(HWND)> m_script;
    DWORD m_start;
    UINT_PTR m_timer;
    bool m_running = false;
};

void Click(HWND hDlg, int nID);
// Selects the group's entry in the list as a click would; false when it is not listed.
bool SelectGroup(HWND hDlg, const wchar_t* name);
// A colour picked in a well's popup, as the popup reports it to its button.
void PickColour(HWND hDlg, int nWell, COLORREF colour);
