// The application's commands by name and description, gathered from what it already has: the
// frame's menu, the shared menus of the document templates and the frame's accelerators. Names
// come from the menu texts, descriptions from the string resources of the command ids.
#pragma once

#include "framework/afx.h"

struct SECCommand {
    UINT m_nID = 0;
    CString m_strName;
    CString m_strDescription;
};

// A command list is archived as id, name and description per command.
template <>
void AFXAPI SerializeElements<SECCommand>(CArchive& ar, SECCommand* pElements, INT_PTR nCount);
template <> inline UINT AfxMinArchivedSize<SECCommand>() {
    return 4 + 1 + 1;
}

class SECCommandList : public CArray<SECCommand, SECCommand&> {
    DECLARE_DYNAMIC(SECCommandList)
public:
    SECCommandList() = default;
    ~SECCommandList() override = default;

    // Two values the dialogs keep with the list.
    virtual void SetValues(WORD wFirst, WORD wSecond);
    virtual void RemoveAll();
    // Appends one command per id (named and described as Build does).
    virtual void AddCommands(const UINT* pIDs, int nCount);
    // The recent-file commands, the next and previous pane, and the ids from 0xFF00 up: never
    // listed.
    virtual BOOL IsSystemCommand(UINT nID);
    virtual BOOL Describe();
    virtual void AssignNames();
    virtual void LoadDescriptions();
    // The list afresh: every command of the menus and accelerators, in the order found.
    virtual void Build();
    virtual INT_PTR Find(UINT nID);
    virtual void Collect();
    virtual void AddMenuNames(HMENU hMenu);
    virtual void AddMenu(HMENU hMenu);
    virtual void AddAccelerators();
    // A menu text as a command name: cut at "...", at "(&" and at the tab, the first "&" out.
    virtual void CleanText(CString& strText);

    WORD GetFirstValue() const { return m_wFirst; }
    WORD GetSecondValue() const { return m_wSecond; }

protected:
    // Appends a command that is neither a system command nor listed yet.
    void AddCommand(UINT nID);
    // The main frame's menu, and the shared menus of the document templates.
    static HMENU FrameMenu();
    static void GetTemplateMenus(CArray<HMENU, HMENU>& menus);

    WORD m_wFirst = 0;
    WORD m_wSecond = 0;
};

// The Toolbars dialog and its pages share the toolbar manager's settings through this base: the
// values as the dialog shows them, and as they were when the dialog took them.
template <class TManager> class SECToolBarsBaseT {
public:
    // Keeps the manager and takes its ToolTips, CoolLook and LargeButtons settings.
    void SetManager(TManager* pManager) {
        m_pManager = pManager;
        if (pManager == NULL)
            return;
        m_bToolTips = m_bFirstToolTips = pManager->GetToolTips();
        m_bCoolLook = m_bFirstCoolLook = pManager->GetCoolLook();
        m_bLargeButtons = m_bFirstLargeButtons = pManager->GetLargeButtons();
    }
    // Hands the current values to the manager.
    void ApplySettings() {
        if (m_pManager == NULL)
            return;
        m_pManager->SetToolTips(m_bToolTips);
        m_pManager->SetCoolLook(m_bCoolLook, 0x300);
        m_pManager->SetLargeButtons(m_bLargeButtons);
    }

    TManager* m_pManager = NULL;
    BOOL m_bToolTips = FALSE;
    BOOL m_bCoolLook = FALSE;
    BOOL m_bLargeButtons = FALSE;
    BOOL m_bFirstToolTips = FALSE;
    BOOL m_bFirstCoolLook = FALSE;
    BOOL m_bFirstLargeButtons = FALSE;
};
