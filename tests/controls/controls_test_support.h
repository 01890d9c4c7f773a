// A test dialog holding every kind of well and button, and real mouse and key input for it.
#pragma once

#include "framework/afx.h"
#include "toolbars/bitmapbutton.h"
#include "toolbars/colorwell.h"
#include "toolbars/wellbutton.h"

#include "controls_ids.h"

#include <functional>
#include <utility>
#include <vector>

using namespace corvalis::foundation;

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(IDD_CONTROLS) {}
    ~ControlsDialog() override;

    // Modeless, shown at (x, y) of the screen and brought to the front.
    BOOL Open(int x = 60, int y = 60);

    SECWellButton m_wellButton, m_wellButton2, m_wellFlat, m_wellPressed;
    SECColorWell m_well;      // with "&Other..."
    SECColorWell m_plainWell; // without
    SECBitmapButton m_bitmapButtons[5];
    SECMenuButton m_menuButton;

    std::vector<std::pair<WPARAM, LPARAM>> m_colorMessages; // colour messages, in order
    int m_nTargetClicks = 0;
    std::vector<UINT> m_commands; // menu commands that arrived

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Dispatches what is waiting, for at least nMilliseconds.
void PumpFor(DWORD nMilliseconds);
// Pumps until done() holds or the time is up; the last answer of done().
bool PumpUntil(const std::function<bool()>& done, DWORD nTimeout = 2000);

// Real input through the system's input queue.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void PressKey(WORD vk);

POINT CentreOf(HWND hWnd);
POINT ClientToScreenPoint(HWND hWnd, POINT client);

class DialogDismisser;
// Makes answer fill the colour dialog's red, green and blue fields with color before OK.
void AnswerColorDialog(DialogDismisser& answer, COLORREF color);
