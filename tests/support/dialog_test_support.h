// Helpers that let tests run modal windows without anyone at the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// While alive, answers every dialog box (class "#32770") that appears on this thread and is not
// one of the framework dialogs under test: a timer running inside the dialog's own message loop
// finds it, records its title and text, and presses the button given.
class DialogDismisser {
public:
    explicit DialogDismisser(int nButton, HWND hWndIgnore = NULL);
    ~DialogDismisser();
    DialogDismisser(const DialogDismisser&) = delete;
    DialogDismisser& operator=(const DialogDismisser&) = delete;

    // Runs just before the button is pressed (e.g. to fill in a field of the dialog).
    std::function<void(HWND)> m_beforePress;
    std::vector<std::wstring> m_titles; // one entry per dismissed dialog
    std::vector<std::wstring> m_texts;  // its static texts, joined

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    int m_nButton;
    HWND m_hWndIgnore;
    HWND m_hLastPressed = NULL;
    UINT_PTR m_nTimer;
};

// Dispatches what is waiting in this thread's queue.
void PumpPendingMessages();
