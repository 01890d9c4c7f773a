// The tree as a view: the same notifications as the control for the same calls, its own end
// of its life, and its printed page.
#include "tree_fixture.h"

#include "list_fixture.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"
#include "listtree/tree_view.h"
#include "toolbars/drawing/themeapi.h"

#include <map>
#include <memory>

namespace {

// One line per notification, with items named by their texts.
template <class Tree> std::vector<std::string> RunScript(Tree& tree, TreeParent& parent) {
    std::map<HTREEITEM, std::string> names;
    auto add = [&](const wchar_t* text, HTREEITEM hParent) {
        const HTREEITEM h = tree.InsertItem(text, hParent);
        names[h] = std::string(text, text + ::wcslen(text));
        return h;
    };
    const HTREEITEM a = add(L"a", TVI_ROOT);
    const HTREEITEM a1 = add(L"a1", a);
    add(L"a2", a);
    const HTREEITEM b = add(L"b", TVI_ROOT);
    add(L"b1", b);
    parent.Clear();
    tree.Expand(a, TVE_TOGGLE);
    tree.SelectItem(a1);
    tree.Expand(a, TVE_COLLAPSE);
    tree.ExpandAll(TVI_ROOT);
    tree.SetFocus();
    tree.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    tree.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    tree.SortChildren(TVI_ROOT, TRUE, FALSE);
    tree.MoveItem(b, a, TRUE, TVI_FIRST);
    tree.DeleteItem(a1);
    tree.DeleteItem(TVI_ROOT);
    std::vector<std::string> log;
    for (const TreeEvent& e : parent.events) {
        if (e.code == NM_SETFOCUS || e.code == NM_KILLFOCUS || e.code == TVN_KEYDOWN)
            continue;
        auto name = [&](HTREEITEM h) { return names.count(h) ? names[h] : std::string("-"); };
        log.push_back(std::to_string((int)e.code) + " " + std::to_string(e.action) + " " +
                      name(e.hOld) + " " + name(e.hNew));
    }
    return log;
}

class CountedView : public SECTreeView {
public:
    bool* pGone = nullptr;
    ~CountedView() override {
        if (pGone != nullptr)
            *pGone = true;
    }
};

TEST(TreeView, TheViewAndTheControlTellTheSameStory) {
    FreeThemeApi();
    TreeParent parentC, parentV;
    ASSERT_TRUE(parentC.CreateEx(0, NULL, L"c", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, NULL, NULL));
    ASSERT_TRUE(
        parentV.CreateEx(0, NULL, L"v", WS_POPUP | WS_VISIBLE, 310, 0, 300, 300, NULL, NULL));
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
    SECTreeCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(dwStyle, CRect(0, 0, 300, 300), &parentC, 100));
    bool bGone = false;
    auto* pView = new CountedView;
    pView->pGone = &bGone;
    ASSERT_TRUE(pView->Create(NULL, NULL, dwStyle, CRect(0, 0, 300, 300), &parentV, 100, NULL));
    EXPECT_EQ(1, pView->GetColumnCount());
    EXPECT_EQ((DWORD)(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT), pView->GetTreeStyle());
    const auto logC = RunScript(ctrl, parentC);
    const auto logV = RunScript(*pView, parentV);
    EXPECT_GT(logC.size(), 20u);
    EXPECT_EQ(logC, logV);
    // Its items are reported when the window goes, and it deletes itself.
    pView->InsertItem(L"last");
    parentV.Clear();
    pView->DestroyWindow();
    EXPECT_TRUE(bGone);
    ASSERT_FALSE(parentV.Codes().empty());
    EXPECT_EQ((UINT)TVN_DELETEITEMW, parentV.Codes()[0]);
    ctrl.DestroyWindow();
    parentC.DestroyWindow();
    parentV.DestroyWindow();
}

TEST(TreeView, APreviewPageShowsIndentLinesButtonsAndIcons) {
    FreeThemeApi();
    TreeParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"v", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
    auto* pView = new SECTreeView;
    ASSERT_TRUE(pView->Create(
        NULL, NULL, WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
        CRect(0, 0, 400, 300), &parent, 100, NULL));
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    {
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
        HDC hdc = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        RECT rc = {0, 0, 16, 16};
        HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 120, 0));
        ::FillRect(hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::ReleaseDC(NULL, hScreen);
        ImageList_Add(images.GetSafeHandle(), hBitmap, NULL);
        ::DeleteObject(hBitmap);
    }
    pView->SetImageList(&images, TVSIL_NORMAL);
    const HTREEITEM top = pView->InsertItem(L"Locals", 0, 0);
    const HTREEITEM child = pView->InsertItem(L"pList", 0, 0, top);
    pView->InsertItem(L"m_pHead", 0, 0, child);
    pView->InsertItem(L"nCount", 0, 0, top);
    pView->InsertItem(L"Watch", 0, 0);
    pView->Expand(top, TVE_EXPAND);
    pView->Expand(child, TVE_EXPAND);

    PictureCanvas canvas(900, 700);
    canvas.DC().FillSolidRect(CRect(0, 0, 900, 700), RGB(255, 255, 255));
    canvas.DC().m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_bPreview = TRUE;
    pView->OnBeginPrinting(&canvas.DC(), &info);
    pView->OnPrepareDC(&canvas.DC(), &info);
    pView->OnPrint(&canvas.DC(), &info);
    pView->OnEndPrinting(&canvas.DC(), &info);
    canvas.DC().m_bPrinting = FALSE;
    ::SetMapMode(canvas.DC().m_hDC, MM_TEXT);
    const Picture page = canvas.Take();
    ASSERT_TRUE(SavePng(page, ScreenshotPath(L"tree_preview.png")));
    // Icons on three levels, each level one indent further right.
    std::vector<int> iconLefts;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (page.At(x, y) == RGB(0, 120, 0) && page.At(x - 1, y) != RGB(0, 120, 0) &&
                (y == 0 || page.At(x, y - 1) != RGB(0, 120, 0))) {
                iconLefts.push_back(x);
                break;
            }
    ASSERT_GE(iconLefts.size(), 4u);
    EXPECT_EQ(20, iconLefts[1] - iconLefts[0]);
    EXPECT_EQ(20, iconLefts[2] - iconLefts[1]);
    // Buttons (white boxes framed) and lines (dark pixels left of the icons).
    int nDark = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < iconLefts[0]; ++x) {
            const COLORREF c = page.At(x, y);
            nDark += GetRValue(c) < 160 && GetGValue(c) < 160 && GetBValue(c) < 160;
        }
    EXPECT_GT(nDark, 20);
    pView->DestroyWindow();
    parent.DestroyWindow();
}

} // namespace
