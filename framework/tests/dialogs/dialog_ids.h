// Ids of the test dialogs and their controls (shared by the resource script and the tests).
#pragma once

#define IDD_EXCHANGE 100
#define IDD_MODELESS 101
#define IDD_PAGE_ONE 102
#define IDD_PAGE_TWO 103
#define IDD_MISSING 199

#define IDC_TEXT 1001
#define IDC_NUMBER 1002
#define IDC_CHECK 1003
#define IDC_COMBO 1004
#define IDC_RADIO_FIRST 1005
#define IDC_RADIO_SECOND 1006
#define IDC_RADIO_THIRD 1007
#define IDC_LIST 1008
#define IDC_HISTORY 1009
#define IDC_SPIN 1010
#define IDC_CHECKLIST 1011

#define IDD_PANE 104
#define IDC_PANE_COMBO 1012
