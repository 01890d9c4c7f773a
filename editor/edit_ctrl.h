// The editor as a child control: a window a dialog or any parent holds, owning its text model
// unless told otherwise, and behaving like an edit control towards its parent.
#pragma once

#include "editor/edit_wrapper.h"

class SECEditCtrl : public SECEditCtrlWrapper_T<CWnd> {
    DECLARE_DYNAMIC(SECEditCtrl)
public:
    SECEditCtrl();
    // Stops observing the model before an owned model goes.
    ~SECEditCtrl() override;

    // Takes the place, id and tab position of the dialog's control nID, which goes. FALSE (and
    // the dialog unchanged) when the dialog has no such control or the window cannot be made.
    virtual BOOL CreateEditWindow(UINT nID, CWnd* pDialog, DWORD dwExStyle = 0);
    // The model, made on first use.
    virtual SECEditModel* GetEditModelOrCreate();
    // Replaces the model; with owns the control deletes it when it goes or is replaced.
    virtual void SetModel(SECEditModel* model, BOOL owns);
    virtual void CreateModel();
    using SECEditViewport::SetModel;
    BOOL OwnsModel() const { return m_bOwnsModel; }

protected:
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnPaint() { PaintWindow(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

    void NotifyParent(UINT code);
    void DropOwnedModel(SECEditModel* model);

    BOOL m_bOwnsModel = TRUE;
};
