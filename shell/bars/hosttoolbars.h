// The toolbars the host fills: host toolbars (CGuiTB, created by title), and the user toolbar
// (CUserTB), whose text buttons run the host's user commands.
#pragma once

#include <vector>

#include "framework/afx.h"
#include "toolbars/classic_toolbar.h"
#include "toolbars/custom_toolbar.h"

// Command ids of user-toolbar buttons: 20480 + the button's number, up to 20992.
constexpr UINT kUserButtonFirstId = 20480;
constexpr UINT kUserButtonLastId = 20992;
// The longest tooltip text shown.
constexpr int kMaxTooltipChars = 79;

// The buttons a host-filled bar keeps: command id, the number the host addresses it by, and its
// tooltip, in button order.
class CHostButtonList {
public:
    int Add(UINT nID, LPCTSTR lpszTooltip);
    // Position of the button with that number, -1 when the bar never gave it or removed it.
    int Find(int nNumber) const;
    void RemoveAt(int nPosition);
    UINT IdAt(int nPosition) const { return m_ids[nPosition]; }
    int Count() const { return static_cast<int>(m_ids.size()); }
    int NextNumber() const { return m_nNextNumber; }
    // Copies the tooltip of command nID, cut to 79 characters, into pszText (80 characters).
    BOOL CopyTooltip(UINT nID, wchar_t* pszText) const;

private:
    std::vector<UINT> m_ids;
    std::vector<int> m_numbers;
    std::vector<CString> m_tooltips;
    int m_nNextNumber = 0;
};

// A host toolbar.
class CGuiTB : public SECCustomToolBar {
    DECLARE_DYNCREATE(CGuiTB)
public:
    // Appends a button; its number, or -1 for a command id that no button can carry.
    int AddButton(LPCTSTR lpszTooltip, UINT nID);
    // Removes the button the host numbered so (found on the bar by its command id); 0 when the
    // bar has no such button.
    BOOL RemoveButton(int nNumber);
    using SECCustomToolBar::RemoveButton;
    // The tooltip answer for TTN_GETDISPINFOW; FALSE when the id is none of the bar's.
    BOOL GetTooltip(NMTTDISPINFOW* pInfo) const;
    BOOL m_bToolTipsOn = TRUE;
    const CHostButtonList& Buttons() const { return m_buttons; }
    // The bar came back from a saved layout: its remembered floating width already holds the
    // buttons the host adds again, so adding keeps that width (a restart changes nothing).
    void KeepRestoredWidth() { m_bRestoredWidth = TRUE; }

private:
    CHostButtonList m_buttons;
    BOOL m_bRestoredWidth = FALSE;
};

// The classic toolbar base of the user toolbar.
class CBaseTB : public SECToolBar {
    DECLARE_DYNCREATE(CBaseTB)
public:
    virtual int AddButton(LPCTSTR lpszLabel, LPCTSTR lpszTooltip, UINT nReserved);
    BOOL RemoveButton(int nNumber);
    BOOL GetTooltip(NMTTDISPINFOW* pInfo) const;
    BOOL m_bToolTipsOn = TRUE;
    const CHostButtonList& Buttons() const { return m_buttons; }

protected:
    CHostButtonList m_buttons;
};

class CUserTB : public CBaseTB {
    DECLARE_DYNCREATE(CUserTB)
public:
    // A text button with command id 20480 + its number; -1 once the numbers are used up.
    int AddButton(LPCTSTR lpszLabel, LPCTSTR lpszTooltip, UINT nReserved) override;
};

// The host toolbars by the index the host uses.
class CToolbarArray {
public:
    int Add(CGuiTB* pBar);
    CGuiTB* GetAt(int nIndex) const;
    void RemoveAt(int nIndex);
    int GetSize() const { return static_cast<int>(m_bars.size()); }
    int FindByTitle(LPCTSTR lpszTitle) const;

private:
    std::vector<CGuiTB*> m_bars;
};
