// Bars for toolbar buttons without the custom toolbar: a child window that holds buttons, and
// an owner window that records each WM_NOTIFY record byte for byte.
#pragma once

#include "toolbars/tbbtn.h"
#include "toolbars/tbbtn_cache.h"

#include <functional>
#include <memory>
#include <vector>

// The fields of a notify record, read at their offsets.
struct NotifySeen {
    HWND hwnd;    // 0
    UINT id;      // 4
    int code;     // 8
    int command;  // 12
    int index;    // 44
    LPARAM a;     // 48
    LPARAM b;     // 52
    BOOL sending; // the command-being-sent mark while the owner handled it
    DWORD style;  // the first button's style meanwhile
};

class NotifyOwner : public CWnd {
public:
    NotifyOwner();
    ~NotifyOwner() override;
    std::vector<NotifySeen> seen;
    std::function<void()> onNotify;
    class TestBar* bar = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class TestBar : public SECBtnHost {
public:
    // A bar window of control id nID in the owner, over the store (a reference is taken).
    TestBar(NotifyOwner& owner, SECBmpMgr* pStore, UINT nID = 59392);
    ~TestBar() override;

    CWnd* GetBarWnd() override { return &m_wnd; }
    SECBmpMgr* GetBmpMgr() override { return m_pStore; }
    int IndexOfButton(const SECStdBtn* pBtn) const override;
    BOOL IsCoolLook() override { return cool; }
    BOOL IsVertical() override { return vertical; }
    void NotifyButtons(UINT nID, UINT nCode, void* pData, BOOL bAllBars) override;

    // A button of the class with the id and style, initialised on this bar, placed at x, y.
    SECStdBtn* Add(const SECButtonClass& cls, UINT nID, DWORD dwStyle, int x = 0, int y = 0,
                   const UINT_PTR* pData = nullptr);
    void DeleteButtons() { buttons.clear(); }

    std::vector<std::unique_ptr<SECStdBtn>> buttons;
    TestBar* otherBar = nullptr; // the frame's other bar, for all-bar notifications
    BOOL cool = FALSE;
    BOOL vertical = FALSE;

private:
    CWnd m_wnd;
    SECBmpMgr* m_pStore;
};

// The image store of the button tests: strip images 100, 101 (red and green squares).
SECBmpMgr* MakeButtonStore(HBITMAP& hStrip);
