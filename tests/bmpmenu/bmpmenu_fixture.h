// A window that hands its messages to a bitmap-menu plug-in first, as the docking frames do,
// and an image store with three coloured images for commands 100, 101 and 102.
#pragma once

#include "toolbars/bmpmenu.h"

#include <functional>
#include <vector>

const UINT kImageIds[] = {100, 101, 102};
// The colour of the square in the middle of each image.
const COLORREF kImageColors[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};

// A top-level window whose plug-in sees every message first. The window's own handling runs
// unless the plug-in set its exit flag; messages that reach it are recorded.
class MenuHost : public CWnd {
public:
    MenuHost();
    ~MenuHost() override;
    SECBmpMenuPlugIn* plugIn = nullptr;
    std::vector<UINT> reached;
    // Called with the popup window when a menu loop of this window has nothing to do.
    std::function<void(HWND)> onMenuIdle;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A store holding a strip the test made (the store never deletes it).
class TestImages {
public:
    TestImages();
    ~TestImages();
    SECBmpMgr* store;
    HBITMAP strip;
};

// The item data and type of a menu item by position.
struct ItemState {
    UINT type;
    ULONG_PTR data;
};
ItemState ReadItemState(HMENU hMenu, int nPos);
