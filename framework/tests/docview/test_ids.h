// Resource and command ids of the document/view test program.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_TEXT 301
#define IDR_NOTE 302
#define IDR_DYN 303
#define IDR_FAIL 304

#define ID_TEST_VIEW 40001
#define ID_TEST_DOC 40002
#define ID_TEST_FRAME 40003
#define ID_TEST_MAIN 40004
#define ID_TEST_APP 40005
#define ID_TEST_ALL 40006
#define ID_TEST_NOT_VIEW 40007
#define ID_TEST_NONE 40008
