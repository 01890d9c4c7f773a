// SECControlBar: the sizable, dockable bar every bar of the library stands on. It remembers a
// size for each docking state, takes a share of its dock-bar row, and may show a gripper with
// close and expand buttons, a context menu, and children that scale with it.
#pragma once

#include "framework/afx.h"
#include "framework/docview/barinfo.h"
#include "framework/docview/controlbar.h"
#include "framework/docview/dockcontext.h"

#include <memory>
#include <utility>
#include <vector>

class SECDockBar;
class SECControlBarManager;
class SECControlBarInfo;

// Extended bar styles.
#define CBRS_EX_STDCONTEXTMENU 0x00000001L // context menu on a right click
#define CBRS_EX_SCALECHILDREN 0x00000002L  // child windows scale with the bar
#define CBRS_EX_FIXEDSIZE 0x00000004L      // fixed in its row; its floating frame does not size
#define CBRS_EX_DARKBORDERS 0x00000008L
#define CBRS_EX_BORDERSPACE 0x00000010L     // the border rectangle is an inner margin
#define CBRS_EX_ALLOW_MDI_FLOAT 0x00000020L // may float in the main window
#define CBRS_EX_FILLCHILD 0x00000040L       // the first child fills the inside area
#define CBRS_EX_OWNROW 0x00000080L          // a row of its own
#define CBRS_EX_COOL 0x00000100L            // its own border style
#define CBRS_EX_GRIPPER 0x00000200L         // a gripper while docked
#define CBRS_EX_GRIPPER_CLOSE 0x00000400L
#define CBRS_EX_GRIPPER_EXPAND 0x00000800L
#define CBRS_EX_STICKY 0x00020000L // once set, kept through every style change

// Commands of the bar's context menu, and the message its frame gets before the menu shows.
#define ID_SEC_ALLOWDOCKING 43040
#define ID_SEC_HIDE 43041
#define ID_SEC_FLOATMAINWINDOW 43042
#define WM_SEC_EXTENDCONTEXTMENU 0x38FF
// Strings.
#define IDS_SEC_HIDE_TIP 20655
#define IDS_SEC_EXPAND_TIP 20657
#define IDS_SEC_CONTRACT_TIP 20658
// Tool ids of the caption buttons.
#define SEC_TOOL_CLOSE 1024
#define SEC_TOOL_EXPAND 2048

// The gripper's metrics and the caption buttons' tip texts.
class SECGripperInfo {
public:
    SECGripperInfo();
    virtual ~SECGripperInfo() = default;
    virtual int GetHorzExtent() const;
    virtual int GetVertExtent() const;

    int m_horz[5] = {4, 3, 1, 3, 6};
    int m_vert[5] = {4, 3, 1, 3, 6};
    int m_nCaptionMargin = 3;
    CString m_strCloseTip;
    CString m_strExpandTip;
    CString m_strContractTip;
};

// Bits of SECControlBar::GetToolBarTraits.
// A toolbar: the dock bar's bar menu lists it after the other bars.
#define SEC_BAR_TOOLBAR 0x1
// A toolbar that lays its buttons out in rows: it is told a dock row's length and wraps to it,
// and its neighbours overlap its borders in the cool style.
#define SEC_BAR_WRAPS 0x2
// The menu bar: no bar menu lists it.
#define SEC_BAR_MENU 0x4

class SECControlBar : public CControlBar {
    DECLARE_DYNAMIC(SECControlBar)
public:
    SECControlBar();
    ~SECControlBar() override;

    static const int s_cxDefault = 300;
    static const int s_cyDefault = 180;

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle,
                        UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle,
                          DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                          CCreateContext* pContext = nullptr);
    using CWnd::CreateEx;
    virtual void GetInsideRect(CRect& rect) const;
    virtual CDockContext* CreateDockContext();
    virtual DWORD SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    DWORD GetExBarStyle() const { return m_dwExStyle; }
    virtual void GetBarInfoEx(SECControlBarInfo* pInfo);
    virtual void CalcInsideRectEx(CRect& rect, BOOL bHorz, BOOL bGripper) const;
    virtual void OnPreDock() {}
    virtual void OnDocking() {}
    virtual void OnPostDock() {}
    virtual void OnPreFloat() {}
    virtual void OnFloating() {}
    virtual void OnPostFloat() {}
    virtual void OnPreFloatAsMDIChild() {}
    virtual void OnFloatingAsMDIChild() {}
    virtual void OnPostFloatAsMDIChild() {}
    virtual void OnGetBarInfoEx(SECControlBarInfo*) {}
    virtual void OnSetBarInfoEx(SECControlBarInfo*, CFrameWnd*) {}
    virtual void OnExtendContextMenu(CMenu*) {}
    // What docking must know of a toolbar of the library above it: SEC_BAR_TOOLBAR bits.
    virtual DWORD GetToolBarTraits() const { return 0; }
    virtual BOOL CanCloseFromCaption() { return TRUE; }
    virtual BOOL CanExpandFromCaption() { return TRUE; }
    virtual int AddGripperSize(CSize& size, BOOL bHorz) const;
    virtual void DrawGripperEx(CDC* pDC, CRect& rect, BOOL bHorz);
    // Whether the gripper band carries the bar's title.
    virtual BOOL GripperShowsTitle() const { return TRUE; }
    virtual void LayoutCloseButton(CDC* pDC, CRect& rectBand, BOOL bHorz);
    virtual void DrawCloseButtonPressed(CDC* pDC);
    virtual void DrawCloseButton(CDC* pDC);
    virtual void DrawCloseButtonReleased(CDC* pDC);
    virtual void LayoutExpandButton(CDC* pDC, CRect& rectBand, BOOL bHorz);
    virtual void DrawExpandButtonPressed(CDC* pDC);
    virtual void DrawExpandButton(CDC* pDC);
    virtual void DrawExpandButtonReleased(CDC* pDC);
    virtual void AttachToDockBar(SECDockBar* pDockBar);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The bar's row, place in the row, dock-bar id, share and row thickness. FALSE, with every
    // output zeroed, when the bar is hidden or not held by a dock bar.
    BOOL GetDockPosition(int& nRow, int& nCol, UINT& nDockBarID, float& fPctWidth,
                         int& nHeight) const;
    BOOL GetDockPosition(int& nRow, int& nCol, UINT& nDockBarID) const;
    BOOL GetDockPosition(int& nRow, int& nCol) const;
    void EnableDocking(DWORD dwDockStyle);
    static void SetLayoutNoRedraw(int nValue) { s_nLayoutNoRedraw = nValue; }
    static int GetLayoutNoRedraw() { return s_nLayoutNoRedraw; }
    void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    // The first control id from nFirst up that no bar of pFrame uses; 0 after 1000 tries.
    static UINT FindFreeBarID(CFrameWnd* pFrame, UINT nFirst);
    BOOL IsDocked() const { return m_pDockBar != nullptr && !IsFloating(); }
    // Docked on the top or bottom side (or floating lying).
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    SECDockBar* GetSECDockBar() const;
    CFrameWnd* GetFrameForCommands() const;

    // The saved child rectangles (the client rectangle first).
    void SaveChildRects();
    void FreeChildRects() { m_pChildRects.reset(); }
    // Places the children for a client of cx x cy (WM_SIZE's work).
    void LayoutChildren(int cx, int cy);

    BOOL m_bShareSettled = TRUE;
    CSize m_szHorzDock;
    DWORD m_dwReserved1 = 0, m_dwReserved2 = 0;
    CSize m_szVertDock;
    CSize m_szFloat;
    DWORD m_dwSavedDockStyle = 0;
    float m_fFloatProportion = 1.0f;
    float m_fSavedFloatProportion = 1.0f;
    DWORD m_dwExStyle = 0;
    CRect m_rectBorder;
    SECControlBarManager* m_pManager = nullptr;
    SECGripperInfo m_gripper;
    CRect m_rectClose;
    BOOL m_bClosePressed = FALSE;
    CRect m_rectExpand;
    BOOL m_bExpandPressed = FALSE;
    BOOL m_bExpandEnabled = TRUE;
    BOOL m_bCanExpand = TRUE;
    SECDockBar* m_pSECDockBar = nullptr;
    std::unique_ptr<std::vector<std::pair<HWND, CRect>>> m_pChildRects;
    DWORD m_dwReserved3 = 0;

protected:
    static int s_nLayoutNoRedraw;
    BOOL IsOverClose(CPoint pt) const;
    BOOL IsOverExpand(CPoint pt) const;
    void RedrawCaptionButtons();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnNcPaint();
    afx_msg void OnAllowDocking();
    afx_msg void OnHide();
    afx_msg void OnFloatInMainWindow();
    DECLARE_MESSAGE_MAP()
};
