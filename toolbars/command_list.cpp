#include "toolbars/command_list.h"

#include "toolbars/bmpmenu_string.h"
#include "toolbars/shortcut_table.h"

IMPLEMENT_DYNAMIC(SECCommandList, CObject)

template <>
void AFXAPI SerializeElements<SECCommand>(CArchive& ar, SECCommand* pElements, INT_PTR nCount) {
    for (INT_PTR i = 0; i < nCount; ++i) {
        SECCommand& command = pElements[i];
        if (ar.IsStoring()) {
            ar << (DWORD)command.m_nID << command.m_strName << command.m_strDescription;
        } else {
            DWORD dwID = 0;
            ar >> dwID >> command.m_strName >> command.m_strDescription;
            command.m_nID = dwID;
        }
    }
}

void SECCommandList::SetValues(WORD wFirst, WORD wSecond) {
    m_wFirst = wFirst;
    m_wSecond = wSecond;
}

void SECCommandList::RemoveAll() {
    CArray<SECCommand, SECCommand&>::RemoveAll();
}

void SECCommandList::AddCommands(const UINT* pIDs, int nCount) {
    if (pIDs == NULL || nCount <= 0)
        return;
    SetSize(GetSize(), 5);
    for (int i = 0; i < nCount; ++i) {
        SECCommand command;
        command.m_nID = pIDs[i];
        Add(command);
    }
    Describe();
}

BOOL SECCommandList::IsSystemCommand(UINT nID) {
    return (nID >= 57616 && nID <= 57631) || (nID >= 65280 && nID <= 65535) || nID == 57680 ||
           nID == 57681;
}

BOOL SECCommandList::Describe() {
    AssignNames();
    LoadDescriptions();
    return TRUE;
}

HMENU SECCommandList::FrameMenu() {
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    return pFrame != NULL ? pFrame->GetDefaultMenu() : NULL;
}

void SECCommandList::GetTemplateMenus(CArray<HMENU, HMENU>& menus) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate != NULL && pTemplate->m_hMenuShared != NULL)
            menus.Add(pTemplate->m_hMenuShared);
    }
}

void SECCommandList::AssignNames() {
    if (HMENU hMenu = FrameMenu())
        AddMenuNames(hMenu);
    CArray<HMENU, HMENU> menus;
    GetTemplateMenus(menus);
    for (INT_PTR i = 0; i < menus.GetSize(); ++i)
        AddMenuNames(menus[i]);
}

void SECCommandList::AddMenuNames(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        if (HMENU hSub = ::GetSubMenu(hMenu, nPos)) {
            AddMenuNames(hSub);
            continue;
        }
        const INT_PTR nIndex = Find(::GetMenuItemID(hMenu, nPos));
        if (nIndex < 0 || !ElementAt(nIndex).m_strName.IsEmpty())
            continue;
        CString text;
        if (!GetBmpMenuString(hMenu, (UINT)nPos, text, MF_BYPOSITION))
            continue;
        CleanText(text);
        ElementAt(nIndex).m_strName = text;
    }
}

void SECCommandList::LoadDescriptions() {
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        SECCommand& command = ElementAt(i);
        CString text;
        if (command.m_nID > 0xFFFF || !text.LoadString(command.m_nID))
            continue;
        const int nNewLine = text.Find(L'\n');
        const CString description = nNewLine < 0 ? text : text.Left(nNewLine);
        const CString name = nNewLine < 0 ? CString() : text.Mid(nNewLine + 1);
        if (command.m_strDescription.IsEmpty())
            command.m_strDescription = description;
        if (command.m_strName.IsEmpty())
            command.m_strName = name;
    }
}

void SECCommandList::Build() {
    RemoveAll();
    SetSize(0, 25);
    Collect();
    Describe();
    SetSize(GetSize(), 5);
}

INT_PTR SECCommandList::Find(UINT nID) {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i).m_nID == nID)
            return i;
    return -1;
}

void SECCommandList::Collect() {
    if (HMENU hMenu = FrameMenu())
        AddMenu(hMenu);
    AddAccelerators();
    CArray<HMENU, HMENU> menus;
    GetTemplateMenus(menus);
    for (INT_PTR i = 0; i < menus.GetSize(); ++i)
        AddMenu(menus[i]);
}

void SECCommandList::AddCommand(UINT nID) {
    if (nID == 0 || IsSystemCommand(nID) || Find(nID) >= 0)
        return;
    SECCommand command;
    command.m_nID = nID;
    Add(command);
}

void SECCommandList::AddMenu(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        if (HMENU hSub = ::GetSubMenu(hMenu, nPos))
            AddMenu(hSub);
        else
            AddCommand(::GetMenuItemID(hMenu, nPos));
    }
}

void SECCommandList::AddAccelerators() {
    SECShortcutTable table;
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        AddCommand(table[i].cmd);
}

void SECCommandList::CleanText(CString& strText) {
    for (LPCWSTR cut : {L"...", L"(&", L"\t"}) {
        const int nAt = strText.Find(cut);
        if (nAt >= 0)
            strText = strText.Left(nAt);
    }
    const int nAmp = strText.Find(L'&');
    if (nAmp >= 0)
        strText.Delete(nAmp);
}
