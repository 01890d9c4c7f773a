// SECToolBarsBase: what the Toolbars dialog and the Toolbars page of the customize sheet share:
// the list of the frame's toolbars (a check per visible bar), renaming, resetting or deleting
// the selected one, a new user toolbar, and the ToolTips, CoolLook and LargeButtons boxes.
#pragma once

#include "framework/afx.h"
#include "toolbars/command_list.h"

class SECCustomToolBar;
class SECToolBarManager;

// Controls of the Toolbars dialog and page.
const UINT SEC_IDC_TOOLBAR_LIST = 43094;
const UINT SEC_IDC_TOOLBAR_NAME_LABEL = 43097;
const UINT SEC_IDC_TOOLBAR_NAME = 43102;
const UINT SEC_IDC_TOOLTIPS = 43101;
const UINT SEC_IDC_COOLLOOK = 43104;
const UINT SEC_IDC_LARGEBUTTONS = 43103;
const UINT SEC_IDC_NEW_TOOLBAR = 43098;
const UINT SEC_IDC_RESET_TOOLBAR = 43100;
const UINT SEC_IDC_CUSTOMIZE = 43099; // also the Toolbars dialog's result that asks for the sheet
const UINT SEC_IDC_NEW_TOOLBAR_NAME = 43096;
const UINT SEC_IDD_TOOLBARS = 20510;
const UINT SEC_IDD_TOOLBARS_PAGE = 20513;
const UINT SEC_IDD_NEW_TOOLBAR = 20511;
const UINT SEC_IDD_COMMANDS_PAGE = 20509;
const UINT SEC_IDS_CUSTOMIZE = 20538;
const UINT SEC_IDS_COMMANDS = 61452;
// A toolbar title holds at most this many characters when typed in the dialogs.
const int SEC_MAX_TOOLBAR_NAME = 128;

// The frame's menu bar, known by its class (the id 59647 alone may be a plain bar's).
BOOL SECIsMenuBar(const CWnd* pBar);

class SECToolBarsBase : public SECToolBarsBaseT<SECToolBarManager> {
public:
    virtual ~SECToolBarsBase() = default;

protected:
    // The form's controls exist: the list is subclassed and filled, row 0 selected, the boxes
    // show the current settings.
    void InitToolBarsBase(CWnd* pDialog);
    void FillToolBarList();
    void UpdateControls();
    // The selected row's bar, or NULL; a row whose bar is gone loses its row.
    SECCustomToolBar* SelectedBar();
    void OnCheckChange();
    void OnRename();
    void OnResetOrDelete();
    // A new user toolbar named through SECNewToolBar; FALSE when none was made.
    BOOL OnNewToolBar();
    // The three boxes into the current settings, applied at once.
    void OnSettingsClicked();
    void ShowSettings();
    // The settings as they were when SetManager ran, applied and shown.
    void RestoreStartSettings();
    // "WM_BARNOTIFY": wParam the bar id, lParam the event.
    LRESULT OnBarNotify(WPARAM wParam, LPARAM lParam);
    // Config and customize mode on, the form as the manager's customize window and one of its
    // notify windows.
    void EnterCustomize(CWnd* pCustomizeWnd);
    // Config and customize mode off; with bForget the form leaves the notify list and stops
    // being the customize window.
    void LeaveCustomize(BOOL bForget = TRUE);

    CCheckListBox m_toolBarList;
    CWnd* m_pDialog = nullptr;
    UINT m_nNewBarID = 0; // the bar "&New..." made last

private:
    int RowOf(UINT nBarID) const;
    void DeleteRow(int nRow);
    void InsertRow(SECCustomToolBar* pBar);
    CFrameWnd* Frame() const;
};
