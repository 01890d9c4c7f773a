#pragma once
#define IDR_EW_MAINFRAME 9000
#define IDR_EW_EDIT 9001
#define IDR_EW_SPLIT 9002
