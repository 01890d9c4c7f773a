// Ids of the shortcut and command-list tests' resources.
#pragma once

#define IDR_TEST_MAIN 300     // the main frame's menu and accelerators
#define IDR_TEST_TEMPLATE 301 // a document template's shared menu

#define ID_TEST_OPEN 100
#define ID_TEST_CLOSE 101
#define ID_TEST_MODULES 102
#define ID_TEST_GO 103
#define ID_TEST_LOAD 104 // only an accelerator: named by its string
#define ID_TEST_TILE 106 // only in the template's menu
