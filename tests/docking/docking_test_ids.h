// Ids of the docking tests' resources.
#pragma once

#define ID_IND_ONE 0xE710
#define ID_IND_TWO 0xE711
#define ID_IND_THREE 0xE712
#define IDD_TEST_BAR 300
#define IDD_TEST_MISSING 399
#define ID_BAR_RUN 0x8101
#define ID_BAR_STOP 0x8102
#define ID_BAR_EDIT 0x8103
#define IDR_TEST_MAIN 310
#define IDR_TEST_DOC 311
#define ID_TEST_COMMAND 0x8110
