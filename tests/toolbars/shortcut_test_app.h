// The test program's application: a main frame with the menu and accelerators of
// IDR_TEST_MAIN, made before the first test (its table is the one every shortcut table reads
// first), and one document template with the shared menu of IDR_TEST_TEMPLATE.
#pragma once

#include "framework/afx.h"
#include "shortcut_test_ids.h"
#include "toolbars/shortcut_table.h"

#include <vector>

CFrameWnd* TestMainFrame();
// The frame's accelerator table as it was made.
HACCEL TestDefaultAccel();
CMultiDocTemplate* TestTemplate();

// Entries of an accelerator table.
std::vector<ACCEL> EntriesOf(HACCEL hAccel);
std::vector<ACCEL> EntriesOf(const CArray<ACCEL, ACCEL&>& table);
bool SameEntries(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b);

// A menu item's text by position.
CString ItemText(HMENU hMenu, UINT nPos);
