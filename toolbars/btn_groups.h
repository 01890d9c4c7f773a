// The command categories of the customize sheet's Commands page: each shows its commands in a
// window of its own, from which they are copied onto toolbars by dragging: a palette toolbar
// (SECTBBtnGroup) or a list of menu texts (SECMenuBtnGroup).
#pragma once

#include "framework/afx.h"
#include "toolbars/custom_toolbar.h"

#include <memory>
#include <vector>

class SECToolBarManager;
class SECToolBarCmdPage;

// The palette: its buttons are copied when dragged out, and nothing is dropped onto it.
class SECCustomizeToolBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECCustomizeToolBar)
public:
    void BalanceRows(std::vector<SECBtnRow>&) override {}
    BOOL IsCopyDrag() override { return TRUE; }
    BOOL AcceptDrop() override { return FALSE; }

protected:
    // A palette is none of the frame's bars: it tells the customize forms nothing of its
    // showing, hiding or end.
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// Menu commands by their texts; a press on a row drags a new button for its command.
class SECMenuListBox : public CListBox {
    DECLARE_DYNAMIC(SECMenuListBox)
public:
    SECMenuListBox();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    void SetManager(SECToolBarManager* pManager) { m_pManager = pManager; }
    BOOL IsOldWindows() const { return m_bOldWindows; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    SECToolBarManager* m_pManager = nullptr;
    BOOL m_bOldWindows;
};

class SECBtnGroup : public CObject {
    DECLARE_DYNAMIC(SECBtnGroup)
public:
    SECBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs);
    ~SECBtnGroup() override;
    // The group's window on the page, with the control id.
    virtual BOOL Create(CWnd* pPage, SECToolBarManager* pManager, UINT nID) = 0;
    // Sizes the window to the rectangle (page client coordinates).
    virtual void Fit(const CRect& rect) = 0;
    virtual void Activate(BOOL bActive);

    virtual CWnd* GetWnd() const = 0;
    const CString& GetTitle() const { return m_strTitle; }
    const std::vector<UINT>& GetIDs() const { return m_ids; }

protected:
    CString m_strTitle;
    std::vector<UINT> m_ids;
};

class SECTBBtnGroup : public SECBtnGroup {
    DECLARE_DYNAMIC(SECTBBtnGroup)
public:
    using SECBtnGroup::SECBtnGroup;
    ~SECTBBtnGroup() override;
    BOOL Create(CWnd* pPage, SECToolBarManager* pManager, UINT nID) override;
    void Fit(const CRect& rect) override;
    CWnd* GetWnd() const override { return m_pBar.get(); }
    SECCustomizeToolBar* GetBar() const { return m_pBar.get(); }

private:
    std::unique_ptr<SECCustomizeToolBar> m_pBar;
    CRect m_rcFit;
};

class SECMenuBtnGroup : public SECBtnGroup {
    DECLARE_DYNAMIC(SECMenuBtnGroup)
public:
    using SECBtnGroup::SECBtnGroup;
    ~SECMenuBtnGroup() override;
    BOOL Create(CWnd* pPage, SECToolBarManager* pManager, UINT nID) override;
    void Fit(const CRect& rect) override;
    CWnd* GetWnd() const override { return m_pList.get(); }

private:
    std::unique_ptr<SECMenuListBox> m_pList;
};

// A command's text in the frame's menu without "&" and the accelerator text; empty when the
// menu has none.
CString SECMenuCommandText(CFrameWnd* pFrame, UINT nID);
// A command's prompt: its string resource up to the first line break.
CString SECCommandPrompt(UINT nID);
