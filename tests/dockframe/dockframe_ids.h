// Ids of the docking-frame tests' resources and bars.
#pragma once

#define IDR_TEST_MAIN 100
#define IDR_TEST_EXTRA 101
#define IDR_TEST_MISSING 199
#define IDR_TEST_DOC_SOURCE 110
#define IDR_TEST_DOC_MEMORY 111
#define ID_TEST_FIRST_COMMAND 0x8200
#define ID_BAR_OUTPUT 0x8301
#define ID_BAR_WATCH 0x8302
#define ID_BAR_LOCALS 0x8303
#define ID_BAR_MEMORY 0x8304
#define ID_BAR_STACK 0x8305
#define ID_BAR_REGS 0x8306
#define ID_BAR_THREADS 0x8307
#define ID_BAR_FIRST_MANY 0x8400
