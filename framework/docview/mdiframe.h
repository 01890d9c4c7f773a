// CMDIFrameWnd: the main window of a multiple-document interface: the MDI client window holds
// the document frames (CMDIChildWnd), and the Window menu lists them.
#pragma once

#include "framework/docview/frame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient = NULL;

    // The active child frame (maximised state in *pbMaximized), or NULL.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDICascade(int nType = 0);
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Shows hMenuFrame (NULL: keep) with hMenuWindow as the Window menu; the previous menu.
    HMENU MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow);

    // Creates the MDI client; the frame's scroll-bar styles move to the client.
    virtual BOOL CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu);
    // The popup of hMenuBar that lists the child windows: the one holding the Window commands,
    // else the one titled "&Window"; NULL when there is none.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
    // Sends the MDI's own system keys (Ctrl+F4, Ctrl+F6) to the client.
    BOOL TranslateMDISysAccel(MSG* pMsg);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    CDocument* GetActiveDocument() override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnWindowCommand(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnWindowNew();

    DECLARE_MESSAGE_MAP()
private:
    // Set once the frame is being destroyed: its client goes with it and is no longer handed
    // to the system's frame procedure.
    BOOL m_bClientGoing = FALSE;
};
