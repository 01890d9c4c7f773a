// The tree of an evaluation window: two columns (the expression or variable, and its value)
// over items whose texts the host keeps in its item records. The control reads the texts as it
// draws them, colours changed and grey values, forwards the host's context menu and commands,
// asks the host for children on expand, turns a value edit into a "SET VALUE" command line for
// the main frame to send, and is a drag source and drop target as "EvalWnd". Window 15 (local
// variables) is a drag source only and may be bound to a core.
#pragma once

#include <memory>

#include "framework/afx.h"
#include "ifac/h/evalrec.h"
#include "windows/common/xsec_tree_ctrl.h"

class CDropTarget;

// The local-variables window's number.
constexpr int kLocalsWindow = 15;
// The control's id under its view (above 0xFFFF: a WM_COMMAND from it carries the low word).
constexpr UINT kEvalCtrlId = 190270;

class CEvalCtrl : public XSECTreeCtrl {
    DECLARE_DYNCREATE(CEvalCtrl)
public:
    CEvalCtrl();
    ~CEvalCtrl() override;

    // Called once after creation: the window's number, its drag-and-drop registration, its
    // core (window 15) and the first column's title.
    void AttachWindow(int nWindow);
    int WindowNumber() const { return m_nWindow; }
    int CoreId() const { return m_nCoreId; }
    // The host's update of the tree (kinds of UpdateEvalWindow); 0 for an unknown kind.
    intptr_t Update(int nKind, intptr_t a, intptr_t b);
    // The close request the host answers by closing the window.
    void RequestClose();
    // A value edit is running.
    bool IsEditing();
    // Starts editing the caret item's value, unless an edit runs already.
    void EditCaretValue();

    // The records behind an item; null for an unknown item or one without a record.
    const EvalItemRecord* RecordOf(HTREEITEM hItem);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PickTextColors(SECListPaintContext* pContext) override;
    CFont* PickTextFont(SECListPaintContext* pContext) override;
    DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) override;
    void OnDragLeave() override;

    LRESULT NotifyGetDispInfo(TVITEMW* pItem) override;
    using XSECTreeCtrl::NotifyGetDispInfo;
    BOOL GetItem(LVITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE) override;
    using XSECTreeCtrl::GetItem;
    LRESULT NotifyBeginLabelEdit(int nRow, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) override;
    LRESULT NotifyItemExpanding(HTREEITEM hItem, UINT nCode) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRClick(NMHDR* pHdr, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SendCommand(int nCommand, const EvalItemRecord* pRecord);
    void OnEnter();
    void EndEditForHost(HTREEITEM hItem, bool bSubtree);
    void ForgetEdit();
    void StartDrag(const EvalItemRecord* pRecord, CPoint point);
    bool InNameColumn(CPoint point);
    DROPEFFECT OfferDrop(bool bEnter, DWORD dwKeyState, CPoint point);
    bool MultiCoreHost() const;

    int m_nCoreId = -1;
    int m_nWindow = 0;
    const EvalItemRecord* m_pEditRecord = nullptr;
    HTREEITEM m_hEditItem = NULL;
    std::unique_ptr<CDropTarget> m_pDropTarget;
    CString m_strValue; // the value text handed out by pointer while a row is drawn
};

// An 8-bit host text as UTF-16; null reads as empty.
CString FromHost(const char* text);

// The close request of the evaluation window whose view holds pCtrl.
void EvalWnd_RequestClose(CEvalCtrl* pCtrl);
