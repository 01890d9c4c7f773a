// Two shortcut lists side by side in a visible parent that records what they notify; each
// holds items "Item N" with large (32 x 32) and small (16 x 16) images of three colours.
#pragma once

#include "toolbars/shortcut_bar_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class NotifyRecorder : public CWnd {
public:
    // (code, item index of the shortcut record or -1).
    std::vector<std::pair<UINT, int>> notes;
    // Runs on each recorded note (it may destroy the list that sent it).
    std::function<void(UINT)> onNote;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A list whose drag runs without the system's drag loop: the drag hands its data to a chosen
// drop target at a chosen client point of that target's list.
class TestShortcutList : public SECShortcutListCtrl {
public:
    SECShortcutListCtrl* dropInto = NULL;
    CPoint dropAt{0, 0};
    int drags = 0;
    // Runs inside the drag, before the drop (it may destroy this list).
    std::function<void()> duringDrag;
    DROPEFFECT RunItemDrag(COleDataSource* pSource) override;
};

// Feeds a data object to a list's drop target as OLE would: enter, over, drop. The answer of
// the drop (DROPEFFECT_NONE when refused at any step).
DROPEFFECT FeedDrop(SECShortcutListCtrl* pList, IDataObject* pData, CPoint client);
// A data source holding the given bytes in the list's format (owned by the caller, released
// with InternalRelease).
COleDataSource* MakeDragData(const void* pBytes, SIZE_T cb);
// The 56-byte drag data for an item record with the given key.
std::vector<BYTE> DragBytes(const GUID& key, LPCWSTR pszText, int nImage, LPARAM lParam);

void PumpFor(DWORD ms);

class ShortcutFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Fill(TestShortcutList& list, int nItems, LPCWSTR pszPrefix = L"Item ");
    std::vector<std::wstring> Texts(SECShortcutListCtrl& list);
    // The client rows [top, bottom) of item nRow as the list's hit test sees them.
    std::pair<int, int> RowSpan(SECShortcutListCtrl& list, int nRow);
    // A client point on item nRow's icon.
    CPoint IconPoint(SECShortcutListCtrl& list, int nRow);
    void Send(CWnd& wnd, UINT msg, WPARAM wParam, CPoint pt);

    NotifyRecorder parent;
    TestShortcutList left, right;
    CImageList large, small;
};
