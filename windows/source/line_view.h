// The source pane: a disabled caption button "Source" over the source view, and the tooltip
// that shows the values of the words under the mouse.
#pragma once

#include <memory>

#include "framework/afx.h"
#include "toolbars/tooltip_holder.h"

class CTarvikView;

class CLineView : public CView {
    DECLARE_DYNCREATE(CLineView)
public:
    static constexpr UINT kCaptionButtonId = 1;
    static constexpr UINT kSourceViewId = 2;
    static constexpr UINT kTipInitialDelay = 250;

    CLineView();
    ~CLineView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    // The view this pane holds (null until the pane is created, or when it could not be).
    CTarvikView* SourceView() const;
    ToolTipHolder& ToolTip() { return m_toolTip; }
    CButton& CaptionButton() { return m_captionButton; }
    BOOL IsEvaluating() const { return m_bEvaluating; }
    void SetEvaluating(BOOL bEvaluating) { m_bEvaluating = bEvaluating; }
    CString& TipText() { return m_tipText; }

protected:
    void OnDraw(CDC* pDC) override;
    // The tooltip's requests for its text and its hiding go to the source view.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Layout(int cx, int cy);

    // A window of its own, deleted by the framework when its window goes (a view).
    // Read only while its window lives (SourceView).
    CTarvikView* m_pSourceView = nullptr;
    HWND m_hSourceView = NULL;
    ToolTipHolder m_toolTip;
    BOOL m_bEvaluating = FALSE;
    CString m_tipText;
    CButton m_captionButton;
};
