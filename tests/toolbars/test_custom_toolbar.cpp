// Custom toolbars on a real frame: metrics, rows and hit tests, inserting and removing with
// separator clean-up, drops, presses that send commands, and the saved form.
#include "toolbar_test_frame.h"

#include "framework/docview/sizeparent.h"
#include "toolbars/drawing/toolkitcolors.h"
#include "toolbars/registered_messages.h"
#include "tests/support/picture_canvas.h"

#include <commctrl.h>

#include <list>
#include <string>

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003, kD = 40004;

std::vector<UINT> IdsOf(const SECCustomToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetButtonCount(); ++i)
        ids.push_back((bar.GetButtonStyle(i) & SEC_TBBS_SEPARATOR) ? 0 : bar.GetButtonId(i));
    return ids;
}

class CustomToolBarTest : public ToolBarFrameTest {
protected:
    // A docked bar of the manager holding ids.
    SECCustomToolBar* MakeBar(UINT nID, std::vector<UINT> ids,
                              UINT nDockBar = AFX_IDW_DOCKBAR_TOP) {
        m_ids.push_back(ids);
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(Manager().CreateManagedBar(pBar, nID, L"Bar"));
        pBar->SetButtons(m_ids.back().data(), static_cast<int>(ids.size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBar, nullptr);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        return pBar;
    }
    SECToolBarManager& Manager() { return m_pFrame->Manager(); }
    // Client point of the middle of a button.
    static CPoint Middle(SECCustomToolBar* pBar, int nIndex) {
        CRect rect;
        pBar->GetButtonRect(nIndex, rect);
        return rect.CenterPoint();
    }
    std::list<std::vector<UINT>> m_ids;
};
} // namespace

TEST_F(CustomToolBarTest, ButtonAndSeparatorSizesFollowTheImageSize) {
    Manager().GetBmpMgr()->SetLargeImageSize(32, 30);
    SECCustomToolBar* pBar = MakeBar(59392, {kA, 0, kB});
    struct Case {
        BOOL bLarge;
        CSize button, separator;
    } cases[] = {
        {FALSE, {23, 22}, {8, 22}}, {TRUE, {39, 37}, {13, 37}}, {FALSE, {23, 22}, {8, 22}}};
    for (const Case& c : cases) {
        Manager().SetLargeButtons(c.bLarge);
        CRect rcButton, rcSep;
        pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        pBar->GetButtonRect(0, rcButton);
        pBar->GetButtonRect(1, rcSep);
        EXPECT_EQ(c.button, rcButton.Size()) << c.bLarge;
        EXPECT_EQ(c.separator, rcSep.Size()) << c.bLarge;
        EXPECT_EQ(c.button.cx, pBar->GetLargestButtonWidth());
    }
}

TEST_F(CustomToolBarTest, RowsBreakAtSeparatorsAndHitTestsFindTheButtons) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC, kD});
    // Room for three buttons: the row ends at the separator, which becomes the gap.
    std::vector<SECBtnRow> rows;
    ASSERT_EQ(2, pBar->LayoutRow(3 * 23, rows));
    EXPECT_EQ(2, rows[0].nLast);
    EXPECT_EQ(1, rows[0].bBreak);
    EXPECT_EQ(46, rows[0].nWidth);
    EXPECT_EQ(22, rows[0].nHeight);
    EXPECT_EQ(4, rows[1].nLast);
    EXPECT_EQ(0, rows[1].bBreak);
    // Without a separator the row ends before the button that overflows.
    SECCustomToolBar* pPlain = MakeBar(59393, {kA, kB, kC});
    ASSERT_EQ(2, pPlain->LayoutRow(50, rows));
    EXPECT_EQ(1, rows[0].nLast);
    EXPECT_EQ(0, rows[0].bBreak);

    const CSize size = pBar->CalcLayout(3 * 23 + 8, LM_COMMIT);
    CRect rcA, rcC;
    pBar->GetButtonRect(0, rcA);
    pBar->GetButtonRect(3, rcC);
    EXPECT_EQ(rcA.left, rcC.left);              // the second row starts at the left
    EXPECT_EQ(rcA.bottom + 2 * 8 / 3, rcC.top); // after the separator's gap
    EXPECT_TRUE(pBar->GetButtonStyle(2) & SEC_TBBS_WRAPPED);
    EXPECT_GE(size.cy, 2 * 22 + 5);
    struct Hit {
        CPoint pt;
        int nIndex;
    } hits[] = {
        {rcA.CenterPoint(), 0},
        {CPoint(rcA.right + 3, rcA.top + 3), 1},
        {rcC.CenterPoint(), 3},
        {CPoint(rcC.right + 3, rcC.top + 3), 4},
        {CPoint(rcA.left, rcA.bottom + 2), -1}, // in the gap
        {CPoint(rcC.right + 23 + 5, rcC.top + 3), -1},
        {CPoint(rcA.left - 10, rcA.top), -1},
    };
    for (const Hit& h : hits)
        EXPECT_EQ(h.nIndex, pBar->HitTest(h.pt.x, h.pt.y)) << h.pt.x << "," << h.pt.y;
    // A hidden button is neither placed in the row nor hit.
    pBar->HideButton(1, TRUE);
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcSep;
    pBar->GetButtonRect(2, rcSep);
    EXPECT_EQ(rcA.right, rcSep.left);
}

TEST_F(CustomToolBarTest, BalancingUndoesASeparatorBreakWhenTheNextRowStaysNarrower) {
    struct Case {
        std::vector<UINT> ids;
        int nWidth;
        std::vector<int> lasts, breaks, widths;
    } cases[] = {
        // [A B C D | E]: C and D are too many for one row over E; D goes down with the
        // separator, which then stands inside the second row.
        {{kA, kB, kC, kD, 0, kA}, 4 * 23 + 8, {2, 5}, {0, 0}, {69, 54}},
        // [A B C | D]: moving C would leave the second row wider: the break stays.
        {{kA, kB, kC, 0, kD}, 3 * 23 + 8, {3, 4}, {1, 0}, {69, 23}},
    };
    UINT nID = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(nID++, c.ids);
        std::vector<SECBtnRow> rows;
        pBar->LayoutRow(c.nWidth, rows);
        pBar->BalanceRows(rows);
        std::vector<int> lasts, breaks, widths;
        for (const SECBtnRow& row : rows) {
            lasts.push_back(row.nLast);
            breaks.push_back(row.bBreak);
            widths.push_back(row.nWidth);
            EXPECT_EQ(22, row.nHeight);
        }
        EXPECT_EQ(c.lasts, lasts) << c.nWidth;
        EXPECT_EQ(c.breaks, breaks) << c.nWidth;
        EXPECT_EQ(c.widths, widths) << c.nWidth;
    }
}

TEST_F(CustomToolBarTest, InsertAndRemoveCleanUpSeparators) {
    struct Case {
        std::vector<UINT> ids;
        int nRemove;
        std::vector<UINT> after;
    } cases[] = {
        {{kA, 0, kB, 0, kC}, 2, {kA, 0, kC}}, // the only button between two separators
        {{kA, 0, kB}, 2, {kA}},               // a trailing separator goes too
        {{kA, 0, kB}, 0, {kB}},               // so does a leading one
        {{kA, kB}, 1, {kA}},
    };
    UINT nID = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(nID++, c.ids);
        EXPECT_TRUE(pBar->RemoveButton(c.nRemove));
        EXPECT_EQ(c.after, IdsOf(*pBar)) << c.nRemove;
        EXPECT_FALSE(pBar->RemoveButton(pBar->GetButtonCount())); // out of range: nothing
        EXPECT_FALSE(pBar->RemoveButton(-1));
        EXPECT_EQ(c.after, IdsOf(*pBar));
    }
    // The selection follows the selected button, wherever the extra separator stood, and goes
    // with the button it stood on.
    struct Selected {
        std::vector<UINT> ids;
        int nSelect, nRemove;
        std::vector<UINT> after;
        int nSelection;
    } selected[] = {
        {{kA, 0, kB, 0, kC}, 4, 2, {kA, 0, kC}, 2}, // the pair before it: back by two
        {{kA, kB, kC, 0}, 2, 1, {kA, kC}, 1},       // the trailing separator after it goes
        {{kA, kB, 0}, 0, 1, {kA}, 0},
        {{kA, 0, kB}, 1, 2, {kA}, -1}, // the separator it stood on went too
        {{kA, kB}, 1, 1, {kA}, -1},
    };
    for (const Selected& c : selected) {
        SECCustomToolBar* pBar = MakeBar(nID++, c.ids);
        pBar->SetCustomizeMode(TRUE);
        pBar->SelectButton(c.nSelect);
        pBar->RemoveButton(c.nRemove);
        EXPECT_EQ(c.after, IdsOf(*pBar)) << c.nSelect << "/" << c.nRemove;
        EXPECT_EQ(c.nSelection, pBar->GetSelection()) << c.nSelect << "/" << c.nRemove;
        if (c.nSelection >= 0) {
            EXPECT_TRUE(pBar->GetButtonStyle(c.nSelection) & SEC_TBBS_SELECTED);
        }
    }
    // An id 0 always inserts a separator.
    SECCustomToolBar* pBar = MakeBar(nID++, {kA, 0, kC});
    pBar->InsertButton(99, 0, FALSE);
    EXPECT_EQ((std::vector<UINT>{kA, 0, kC, 0}), IdsOf(*pBar));
}

TEST_F(CustomToolBarTest, InsertAndRemoveSizeOnlyTheSeparatorsOfTheirRow) {
    // Rows [A, sep, B] and [C, sep, D]: the wrap bit ends the first after B.
    SECCustomToolBar* pBar = MakeBar(59392, {kA, 0, kB, kC, 0, kD});
    pBar->SetButtonStyle(2, pBar->GetButtonStyle(2) | SEC_TBBS_WRAPPED);
    auto squash = [&](std::initializer_list<int> seps) {
        for (int i : seps)
            pBar->GetButton(i)->m_cy = 5;
    };
    squash({1, 4});
    pBar->InsertButton(1, 40005, FALSE, TRUE); // [A, X, sep, B] [C, sep, D]
    EXPECT_EQ(22, pBar->GetButton(2)->m_cy);
    EXPECT_EQ(5, pBar->GetButton(5)->m_cy);
    squash({2, 5});
    EXPECT_TRUE(pBar->RemoveButton(1, TRUE));
    EXPECT_EQ((std::vector<UINT>{kA, 0, kB, kC, 0, kD}), IdsOf(*pBar));
    EXPECT_EQ(22, pBar->GetButton(1)->m_cy);
    EXPECT_EQ(5, pBar->GetButton(4)->m_cy);
}

TEST_F(CustomToolBarTest, AnEmptiedUserBarGoesButDefaultAndHostBarsStay) {
    struct Case {
        UINT nID;
        bool bGoes;
    } cases[] = {{59392, false}, {59424, true}, {59646, true}, {59647, false}, {59700, false}};
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(c.nID, {kA});
        const HWND hBar = pBar->m_hWnd;
        EXPECT_FALSE(pBar->RemoveButton(0));
        PumpToolBarMessages();
        EXPECT_EQ(c.bGoes, !::IsWindow(hBar)) << c.nID;
        if (::IsWindow(hBar)) {
            EXPECT_EQ(0, pBar->GetButtonCount());
        }
    }
}

TEST_F(CustomToolBarTest, DropsByRectangle) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, kC});
    SECCustomToolBar* pOther = MakeBar(59393, {kD});
    const CRect rcB = [&] {
        CRect r;
        pBar->GetButtonRect(1, r);
        return r;
    }();
    auto shifted = [&](int dx) {
        return CRect(rcB.left + dx, rcB.top, rcB.right + dx, rcB.bottom);
    };
    // 1 pixel: nothing.
    EXPECT_FALSE(pBar->DropButton(shifted(1), pBar->GetButton(1), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, kB, kC}), IdsOf(*pBar));
    // 3 to the right: a separator before it; 3 back: it goes again.
    EXPECT_TRUE(pBar->DropButton(shifted(3), pBar->GetButton(1), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, 0, kB, kC}), IdsOf(*pBar));
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcNow;
    pBar->GetButtonRect(2, rcNow);
    rcNow.OffsetRect(-3, 0);
    EXPECT_TRUE(pBar->DropButton(rcNow, pBar->GetButton(2), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, kB, kC}), IdsOf(*pBar));
    // A move onto another bar takes it from its source; a copy leaves the source alone.
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pOther->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcD;
    pOther->GetButtonRect(0, rcD);
    EXPECT_TRUE(pOther->DropButton(CRect(rcD.left, rcD.top, rcD.left + 5, rcD.bottom),
                                   pBar->GetButton(0), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kB, kC}), IdsOf(*pBar));
    EXPECT_EQ((std::vector<UINT>{kA, kD}), IdsOf(*pOther));
    EXPECT_TRUE(pOther->DropButton(CRect(rcD.right + 40, rcD.top, rcD.right + 60, rcD.bottom),
                                   pBar->GetButton(1), pBar, TRUE));
    EXPECT_EQ((std::vector<UINT>{kB, kC}), IdsOf(*pBar));
    EXPECT_EQ((std::vector<UINT>{kA, kD, kC}), IdsOf(*pOther));
}

TEST_F(CustomToolBarTest, ACancelledDragAnswersTrueAndChangesNothing) {
    SECCustomToolBar* pBar = MakeBar(59424, {kA});
    SECCustomToolBar* pOther = MakeBar(59393, {kB, kC});
    Manager().SetCustomizeMode(TRUE);
    const CPoint pt = Middle(pBar, 0);
    // The rubber band goes far off every bar, then Escape ends the move; a right click too.
    for (UINT nCancel : {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN)}) {
        pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 300, pt.y + 250));
        pBar->PostMessage(nCancel, nCancel == WM_KEYDOWN ? VK_ESCAPE : MK_RBUTTON, 0);
        EXPECT_TRUE(pBar->DragViaManager(0, pt.x, pt.y)) << nCancel;
        PumpToolBarMessages();
        ASSERT_TRUE(::IsWindow(pBar->m_hWnd)) << nCancel; // the user bar kept its button
        EXPECT_EQ((std::vector<UINT>{kA}), IdsOf(*pBar));
        EXPECT_EQ((std::vector<UINT>{kB, kC}), IdsOf(*pOther));
        EXPECT_EQ(NULL, ::GetCapture());
    }
    Manager().SetCustomizeMode(FALSE);
}

TEST_F(CustomToolBarTest, AFloatingBarHidesAtOnceWhileTheCustomizeDialogRuns) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA});
    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpToolBarMessages();
    ASSERT_TRUE(pBar->IsFloating());
    auto waiting = [&] {
        MSG msg;
        int n = 0;
        while (::PeekMessageW(&msg, pBar->m_hWnd, WM_NODELAYHIDE, WM_NODELAYHIDE, PM_REMOVE)) {
            ++n;
            ::DispatchMessageW(&msg);
        }
        return n;
    };
    // Outside config mode the frame's idle time hides it, as for any bar.
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    EXPECT_EQ(0, waiting());
    EXPECT_TRUE(pBar->IsWindowVisible());
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    Manager().EnterConfigMode();
    Manager().SetCustomizeMode(TRUE);
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    EXPECT_TRUE(pBar->m_nStateFlags & CControlBar::delayHide);
    EXPECT_EQ(1, waiting()); // once, and no idle time needed
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_FALSE(pBar->m_nStateFlags & CControlBar::delayHide);
    EXPECT_FALSE(pBar->GetParentFrame()->IsWindowVisible());
    // A show asked for before the message arrives wins.
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    m_pFrame->ShowControlBar(pBar, TRUE, TRUE);
    EXPECT_EQ(1, waiting());
    EXPECT_TRUE(pBar->IsWindowVisible());
    Manager().SetCustomizeMode(FALSE);
    Manager().ExitConfigMode();
    m_pFrame->EnableWindow(TRUE);
}

TEST_F(CustomToolBarTest, ABarThatCannotDockSpansItsParentWhenTheFrameLaysOut) {
    struct Case {
        DWORD dwAlign;
        bool bDockable;
    } cases[] = {{CBRS_ALIGN_TOP, false}, {CBRS_ALIGN_LEFT, false}, {CBRS_ALIGN_TOP, true}};
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    UINT nID = 59392;
    const UINT ids[] = {kA};
    for (const Case& c : cases) {
        auto* pBar = new SECCustomToolBar;
        ASSERT_TRUE(Manager().CreateManagedBar(pBar, nID++, L"Bar"));
        pBar->SetButtons(ids, 1);
        if (c.bDockable)
            pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | c.dwAlign);
        pBar->SetWindowPos(NULL, 0, 0, 30, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        AFX_SIZEPARENTPARAMS layout{}; // a pass that only measures: the base moves nothing
        layout.rect = rcClient;
        pBar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        CRect rect;
        pBar->GetWindowRect(&rect);
        const CSize expected = c.bDockable                   ? CSize(30, 30)
                               : c.dwAlign == CBRS_ALIGN_TOP ? CSize(rcClient.Width(), 30)
                                                             : CSize(30, rcClient.Height());
        EXPECT_EQ(expected, rect.Size()) << c.dwAlign << " " << c.bDockable;
    }
}

namespace {
class FlatPaintToolBar : public SECCustomToolBar {
public:
    void SetFlatPaint() { m_bFlatPaint = TRUE; }
};

// The bar painted into a bitmap of its client size; pixels by client point.
class PaintedBar {
public:
    explicit PaintedBar(SECCustomToolBar* pBar) {
        pBar->GetClientRect(&m_rect);
        PictureCanvas canvas(m_rect.Width(), m_rect.Height());
        pBar->DoPaint(&canvas.DC());
        m_picture = canvas.Take();
    }
    COLORREF At(int x, int y) const { return m_picture.At(x, y); }
    // The x of each pixel of colour clr in row y, within the first n pixels.
    std::vector<int> Find(COLORREF clr, int y, int n = 14) const {
        std::vector<int> xs;
        for (int x = 0; x < n; ++x)
            if (At(x, y) == clr)
                xs.push_back(x);
        return xs;
    }
    CRect m_rect;

private:
    Picture m_picture;
};
} // namespace

TEST_F(CustomToolBarTest, TheFlatLookPaintsItsPaletteBackgroundFrameAndGripperMarks) {
    Manager().SetCoolLook(TRUE); // cool look brings the gripper
    SECCustomToolBar* pBar = MakeBar(59392, {kA});
    ASSERT_TRUE(pBar->GetExBarStyle() & CBRS_EX_GRIPPER);
    // Colours that tell the palette's entries from the system's button face.
    ToolkitBaseColors base = GetToolkitBaseColors();
    base.window = RGB(255, 255, 255);
    base.face = RGB(96, 96, 96);
    base.shadow = RGB(0, 0, 160);
    UpdateToolkitColors(base);
    const COLORREF clrBack = GetToolkitColor(0), clrMark = GetToolkitColor(32);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(clrBack, clrFace);
    ASSERT_NE(clrMark, clrBack);
    {
        PaintedBar before(pBar); // outside the flat look: no palette anywhere
        EXPECT_TRUE(before.Find(clrBack, 6).empty());
        EXPECT_TRUE(before.Find(clrMark, 5).empty());
    }
    SetFlatLook(TRUE);
    {
        PaintedBar flat(pBar);
        const std::vector<int> marks = flat.Find(clrMark, 5);
        ASSERT_EQ(3u, marks.size());
        EXPECT_EQ(marks.front() + 2, marks.back());
        EXPECT_EQ(marks, flat.Find(clrMark, 7));
        EXPECT_EQ(clrBack, flat.At(marks.front(), 6)); // every 2 pixels
        EXPECT_TRUE(flat.Find(clrMark, 4).empty());    // from 5 pixels in
        const int nBottom = flat.m_rect.bottom;
        EXPECT_TRUE(flat.Find(clrMark, nBottom - 4).empty()); // to 4 before the edge
        EXPECT_EQ(clrFace, flat.At(0, nBottom / 2));          // framed in button face
        EXPECT_EQ(clrFace, flat.At(flat.m_rect.right - 1, nBottom / 2));
    }
    // The flat-paint flag takes the button face for the background.
    auto* pFlat = new FlatPaintToolBar;
    ASSERT_TRUE(Manager().CreateManagedBar(pFlat, 59393, L"Flat"));
    const UINT ids[] = {kA};
    pFlat->SetButtons(ids, 1);
    pFlat->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pFlat, AFX_IDW_DOCKBAR_TOP, nullptr);
    m_pFrame->RecalcLayout();
    pFlat->SetFlatPaint();
    {
        PaintedBar face(pFlat);
        const std::vector<int> marks = face.Find(clrMark, 5);
        ASSERT_EQ(3u, marks.size());
        EXPECT_EQ(clrFace, face.At(marks.front(), 6));
    }
    SetFlatLook(FALSE);
    UpdateToolkitColors();
}

TEST_F(CustomToolBarTest, AFullLengthBarSpansItsSideWithItsFarEndButtonAtTheEnd) {
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    struct Case {
        UINT nDockBar;
        std::vector<UINT> ids;
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, {kA, kB, kC}},
        {AFX_IDW_DOCKBAR_LEFT, {kA, kB, kC}},
        {AFX_IDW_DOCKBAR_TOP, {}},
    };
    UINT nID = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(nID++, c.ids, c.nDockBar);
        pBar->ModifyBarStyleEx(0, CBRS_EX_FULLLENGTH, FALSE);
        const bool bHorz = c.nDockBar == AFX_IDW_DOCKBAR_TOP;
        if (!c.ids.empty())
            pBar->GetButton(pBar->GetButtonCount() - 1)->m_nType = SEC_BTNKIND_FAREND;
        const CSize size = pBar->CalcLayout(-1, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
        CRect rcSide;
        m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&rcSide);
        EXPECT_EQ(bHorz ? rcClient.Width() : rcSide.Height(), bHorz ? size.cx : size.cy)
            << c.nDockBar << " " << c.ids.size();
        if (c.ids.empty())
            continue;
        const CRect rcLast = pBar->GetButton(2)->GetRect();
        if (bHorz) {
            EXPECT_EQ(size.cx - 2, rcLast.right);
            EXPECT_EQ(pBar->GetButton(0)->GetRect().top, rcLast.top); // in its row
        } else {
            EXPECT_EQ(size.cy - 2, rcLast.bottom);
            EXPECT_EQ(pBar->GetButton(0)->GetRect().left, rcLast.left);
        }
    }
}

TEST_F(CustomToolBarTest, AFullLengthBarInARebarSetsItsBandAndAFloatingBarAnswersTwoPixelsLess) {
    HWND hRebar =
        ::CreateWindowExW(0, REBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN, 0, 0,
                          400, 40, m_pFrame->m_hWnd, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hRebar);
    auto* pBar = new SECCustomToolBar;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->CreateEx(CBRS_EX_FULLLENGTH, CWnd::FromHandle(hRebar),
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 59392));
    const UINT ids[] = {kA, kB};
    pBar->SetButtons(ids, 2);
    REBARBANDINFOW band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
    band.hwndChild = pBar->m_hWnd;
    band.cyMinChild = 5;
    band.cxMinChild = 5;
    ASSERT_TRUE(::SendMessageW(hRebar, RB_INSERTBANDW, (WPARAM)-1, (LPARAM)&band));
    const CSize size = pBar->CalcLayout(-1, LM_HORZ | LM_HORZDOCK);
    CRect rcRebar;
    ::GetClientRect(hRebar, &rcRebar);
    EXPECT_EQ(rcRebar.Width() - 12, size.cx);
    REBARBANDINFOW back = {};
    back.cbSize = sizeof back;
    back.fMask = RBBIM_CHILDSIZE;
    ASSERT_TRUE(::SendMessageW(hRebar, RB_GETBANDINFOW, 0, (LPARAM)&back));
    EXPECT_EQ(static_cast<UINT>(size.cy), back.cyMinChild);
    EXPECT_EQ(static_cast<UINT>(size.cx), back.cxMinChild);
    pBar->DestroyWindow();
    ::DestroyWindow(hRebar);

    // Floating, the answer leaves the frame's border out: 2 pixels less each way.
    SECCustomToolBar* pFloat = MakeBar(59393, {kA, kB, kC});
    m_pFrame->FloatControlBar(pFloat, CPoint(300, 300));
    PumpToolBarMessages();
    CRect rcBorder(0, 0, 0, 0);
    pFloat->CalcInsideRect(rcBorder, TRUE);
    const CSize floating = pFloat->CalcLayout(32767, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(CSize(3 * 23 - rcBorder.Width() - 2, 22 - rcBorder.Height() - 2), floating);
}

TEST_F(CustomToolBarTest, SavedButtonsComeBackInOrderWithTheTitle) {
    SECCustomToolBar* pBar = MakeBar(59424, {57600, 0, 57601});
    pBar->SetWindowText(L"Mine");
    SECControlBarInfo info(&Manager());
    info.m_dwTypeID = Manager().GetBarTypeId(pBar);
    EXPECT_EQ(SEC_BARTYPE_CUSTOMTOOLBAR, info.m_dwTypeID);
    info.m_pBarInfoEx = Manager().CreateBarInfo(&info);
    ASSERT_NE(nullptr, info.m_pBarInfoEx);
    pBar->OnGetBarInfoEx(&info);
    auto* pEx = static_cast<SECCustomToolBarInfoEx*>(info.m_pBarInfoEx);
    const std::vector<BYTE> expected = {0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0xE1, 0, 0, 0};
    EXPECT_EQ(expected, SECEncodeButtons(pEx->m_btnInfo));
    ASSERT_TRUE(pEx->SaveToProfile(L"TbTest-Bar0", &Manager()));

    // Made again by type id, then given its saved buttons.
    SECControlBarInfo again(&Manager());
    again.m_dwTypeID = SEC_BARTYPE_CUSTOMTOOLBAR;
    again.m_nBarID = 59430;
    again.m_pBarInfoEx = Manager().CreateBarInfo(&again);
    ASSERT_TRUE(again.m_pBarInfoEx->LoadFromProfile(L"TbTest-Bar0", &Manager()));
    auto* pMade = dynamic_cast<SECCustomToolBar*>(Manager().CreateBar(&again));
    ASSERT_NE(nullptr, pMade);
    pMade->OnSetBarInfoEx(&again, m_pFrame);
    EXPECT_EQ((std::vector<UINT>{57600, 0, 57601}), IdsOf(*pMade));
    CString title;
    pMade->GetWindowText(title);
    EXPECT_STREQ(L"Mine", title.GetString());
    SECControlBarInfo other(&Manager());
    other.m_dwTypeID = 0;
    EXPECT_EQ(nullptr, Manager().CreateBar(&other));
    other.m_dwTypeID = SEC_BARTYPE_MENUBAR; // no frame here has a menu bar
    EXPECT_EQ(nullptr, Manager().CreateBar(&other));
    AfxGetApp()->WriteProfileString(L"TbTest-Bar0", nullptr, nullptr);
}

TEST_F(CustomToolBarTest, PressAndReleaseSendOneCommandOnlyInsideAndEnabled) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC});
    m_pFrame->m_nDisabledID = kC;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(pBar->GetButtonStyle(3) & SEC_TBBS_DISABLED);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & SEC_TBBS_DISABLED);
    auto click = [&](CPoint down, CPoint up) {
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.x, up.y));
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    };
    click(Middle(pBar, 0), Middle(pBar, 0));
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    click(Middle(pBar, 1), CPoint(Middle(pBar, 1).x, 200)); // released outside
    // A disabled button leaves the press to the bar (a drag of the bar that the release ends).
    const CPoint ptC = Middle(pBar, 3);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptC.x, ptC.y));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptC.x, ptC.y));
    PumpToolBarMessages();
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(CustomToolBarTest, OnlyAButtonWithoutAHandlerIsSparedByTheNoDisableBit) {
    const UINT kNoHandler = 45001;
    struct Case {
        UINT nID;
        bool bNoDisable, bDisabled;
    } cases[] = {
        {kC, true, true},          // its handler disables it
        {kNoHandler, true, false}, // no handler, spared
        {kNoHandler, false, true},
        {kA, true, false},
    };
    m_pFrame->m_nDisabledID = kC;
    UINT nBar = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(nBar++, {c.nID});
        // Enabled, as the bar's first idle pass found it or not.
        const DWORD dwStyle = pBar->GetButtonStyle(0) & ~SEC_TBBS_DISABLED;
        pBar->SetButtonStyle(0, c.bNoDisable ? dwStyle | SEC_TBBS_NODISABLE : dwStyle);
        pBar->OnUpdateCmdUI(m_pFrame, TRUE);
        EXPECT_EQ(c.bDisabled, (pBar->GetButtonStyle(0) & SEC_TBBS_DISABLED) != 0)
            << c.nID << " " << c.bNoDisable;
    }
}

TEST_F(CustomToolBarTest, ACheckButtonTogglesEverySameIdButtonBeforeItsCommand) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB});
    SECCustomToolBar* pOther = MakeBar(59393, {kB});
    pBar->SetButtonStyle(1, pBar->GetButtonStyle(1) | SEC_TBBS_CHECKBOX);
    DWORD dwSeen = 0;
    m_pFrame->m_onCommand = [&](UINT) { dwSeen = pOther->GetButtonStyle(0); };
    const CPoint pt = Middle(pBar, 1);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(dwSeen & SEC_TBBS_CHECKED);
    EXPECT_TRUE(pBar->GetButtonStyle(1) & SEC_TBBS_CHECKED);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & SEC_TBBS_CHECKED);
}

TEST_F(CustomToolBarTest, ACommandThatDestroysItsBarLeavesItUntouched) {
    SECCustomToolBar* pBar = MakeBar(59424, {kA, kB});
    const HWND hBar = pBar->m_hWnd;
    m_pFrame->m_onCommand = [&](UINT) { ::DestroyWindow(hBar); };
    const CPoint pt = Middle(pBar, 0);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    EXPECT_FALSE(Manager().GetPressedBtnInfo()->m_bPressed);
    EXPECT_FALSE(IsBtnCommandBeingSent());
}
