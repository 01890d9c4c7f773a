// SECToolBar: a dockable bar over the common toolbar control ("ToolbarWindow32"): buttons from
// a toolbar resource or ids, a bitmap strip, styles as this library's style word, update-UI,
// and a wrapping layout for the docked and floating shapes.
#pragma once

#include "docking/control_bar.h"
#include "framework/afx.h"

#include <vector>

class SECToolBar : public SECControlBar {
    DECLARE_DYNAMIC(SECToolBar)
public:
    DWORD GetToolBarTraits() const override { return SEC_BAR_TOOLBAR; }
    SECToolBar();
    ~SECToolBar() override;

    virtual void GetItemRect(int nIndex, LPRECT lpRect);

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, const CRect& rcBorders,
                  UINT nID);
    using SECControlBar::Create;
    using SECControlBar::CreateEx;
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    BOOL LoadToolBar(LPCTSTR lpszResource);
    BOOL LoadBitmap(LPCTSTR lpszResource);
    BOOL SetBitmap(HBITMAP hBitmap);
    BOOL SetButtons(const UINT* pIDs, int nCount);
    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    DWORD GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, DWORD dwStyle);
    void GetButtonInfo(int nIndex, UINT& nID, DWORD& dwStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, DWORD dwStyle, int iImage);

    // Major << 16 | minor of the loaded common controls, asked once; 4.0 without DllGetVersion.
    static DWORD GetComCtlVersion();
    // Tests pretend another version (0: ask the library again).
    static void ForceComCtlVersion(DWORD dwVersion);
    static int GetDropDownWidth();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL GetButton(int nIndex, TBBUTTON& button) const;
    BOOL SetButton(int nIndex, const TBBUTTON& button);
    // Wraps the buttons at cx (wrap bits set in the copy); the size of the rows.
    CSize WrapButtons(std::vector<TBBUTTON>& buttons, int cx) const;
    CSize CalcLayout(DWORD dwMode, int nLength);
    CSize BorderSize(BOOL bHorz) const;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    LPCTSTR m_lpszResource = nullptr;
    HINSTANCE m_hInstResource = NULL;
    HBITMAP m_hBitmap = NULL;
    BOOL m_bDirty = TRUE;
    CSize m_sizeImage{16, 15};
    CSize m_sizeButton{23, 22};
    CSize m_szFloatLayout{0, 0};
};

// The update-UI object of one classic toolbar button.
class SECToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
};
