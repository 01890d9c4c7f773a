// Driving modal dialogs and sheets from inside their loops, step by step, as a person would.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

// Each step runs on the first visible dialog (or sheet) of this thread with its caption, from
// inside that window's modal loop, once the previous step has run. A step answers the command
// to post to its window afterwards (0: none). Steps that open a nested dialog must post the
// command that opens it, never send it. A window still up 20 seconds after the last step is
// cancelled, so that a broken script fails rather than hangs.
class ModalScript {
public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(const wchar_t* caption, std::function<int(HWND)> step);
    bool Finished() const { return m_steps.empty(); }

private:
    struct Step {
        std::wstring caption;
        std::function<int(HWND)> run;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    std::deque<Step> m_steps;
    std::wstring m_lastCaption;
    DWORD m_lastTime;
    UINT_PTR m_timer;
    bool m_running = false;
};

// The visible dialog or sheet of this thread with the caption, or NULL.
HWND FindThreadWindow(const wchar_t* caption);
// Handles whatever arrives for ms milliseconds.
void PumpFor(DWORD ms);
// The real mouse: press at from (screen), move there in steps, release at to; with bCtrl the
// Control key is held throughout. All input is queued before any of it is handled, so a drag
// loop that starts on the press finds the rest waiting.
void DragWithMouse(POINT from, POINT to, bool bCtrl = false);
// The real mouse: press at from, move to to in steps; whileHeld runs from inside whatever
// loop the press started (a drag's), with the button still down, and then the button is
// released at to.
void DragWithMouseHolding(POINT from, POINT to, const std::function<void()>& whileHeld);
// The real mouse: two quick presses and releases at one point (screen), all queued at once.
void DoubleClickWithMouse(POINT at);
