// CPreviewBar: the strip of buttons a print preview puts at the top of its frame. Its buttons
// send their commands to the preview, which keeps the focus.
#pragma once

#include "framework/win/wnd.h"

// Preview commands; the preview also answers them from menus and accelerators.
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
#define AFX_IDW_PREVIEW_BAR 0xE805

class CPreviewBar : public CWnd {
public:
    static const int nHeight = 30;

    BOOL Create(CWnd* pFrame, HWND hWndTarget);
    // Enables the buttons and shows the page description.
    void Update(BOOL bPrev, BOOL bNext, BOOL bTwoPages, BOOL bCanTwo, BOOL bZoomIn, BOOL bZoomOut,
                LPCTSTR lpszPages);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    HWND m_hWndTarget = NULL;
    HFONT m_hFont = NULL; // the GUI font, a stock object

    DECLARE_MESSAGE_MAP()
};
