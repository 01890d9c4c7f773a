// The entries of the list-window interface. Each runs inside the exports' guard and finds its
// window through the administrator: an id that names no list window changes nothing and
// answers 0.
#include "windows/list/list_iface.h"

#include "shell/dll/export_guard.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/list/list_admin.h"
#include "windows/list/list_tree.h"

#include <memory>

namespace {

struct HeapText {
    wchar_t* p = nullptr;
    explicit HeapText(const char* text) { AnsiToWideHeap(text != nullptr ? text : "", &p); }
    ~HeapText() {
        if (p)
            ::HeapFree(::GetProcessHeap(), 0, p);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    CString Text() const { return p ? CString(p) : CString(); }
};

// Runs fn with the window of id (and the administrator's clean-up first); 0 without one.
template <class F> int WithWindow(const wchar_t* name, intptr_t id, F&& fn) {
    return GuardExport(name, 0, [&]() -> int {
        CListAdmin* admin = ListAdmin();
        if (admin == nullptr)
            return 0;
        admin->Purge();
        CListWindow* pWindow = admin->Find(id);
        return pWindow ? fn(*pWindow, *pWindow->Tree()) : 0;
    });
}

BOOL CloseFrameOf(intptr_t id) {
    CMainFrame* pFrame = ActiveFrame();
    return pFrame ? pFrame->CloseMDIWindow(id, FALSE) : FALSE;
}

int __cdecl Create(const char* name, const WindowPosition* position, int* id,
                   const ListMenuEntry* menu, int frameExists) {
    return GuardExport(L"ListWnd_Create", 0, [=]() -> int {
        CListAdmin* admin = ListAdmin();
        CMainFrame* pFrame = ActiveFrame();
        if (admin == nullptr || pFrame == nullptr || id == nullptr)
            return 0;
        admin->Purge();
        if (!frameExists) {
            if (position == nullptr)
                return 0;
            HeapText wide(name);
            HWND hView = NULL;
            if (!pFrame->OpenHostWindow(wide.p, position, &hView) || hView == NULL)
                return 0;
            *id = static_cast<int>(reinterpret_cast<intptr_t>(hView));
        }
        HWND hView = reinterpret_cast<HWND>(static_cast<intptr_t>(*id));
        // One list a host window, and only in a window of this thread.
        if (!::IsWindow(hView) || admin->Find(*id) != nullptr ||
            ::GetWindowThreadProcessId(hView, nullptr) != ::GetCurrentThreadId())
            return 0;
        auto pWindow = std::make_unique<CListWindow>(*id, menu);
        if (!pWindow->Tree()->CreateIn(hView)) {
            // Nothing is left of a list that could not be made: not the frame opened for it.
            if (!frameExists)
                CloseFrameOf(*id);
            return 0;
        }
        CListWindow* pAdded = admin->Add(std::move(pWindow));
        HostCommandTable* table = HostTable();
        if (HostVersionAtLeast(3, 2) && table->IsMultiCore())
            pAdded->Tree()->m_nUser = table->GetActiveCore();
        if (HostVersionAtLeast(3, 12))
            table->OnListWindowCreated(*id);
        return 1;
    });
}

int __cdecl Destroy(int id) {
    return GuardExport(L"ListWnd_Destroy", 0, [=]() -> int {
        CListAdmin* admin = ListAdmin();
        if (admin == nullptr)
            return 0;
        admin->Purge();
        return admin->Destroy(id, &CloseFrameOf) ? 1 : 0;
    });
}

int __cdecl SetCaption(int id, const char* text) {
    return WithWindow(L"ListWnd_SetCaption", id, [=](CListWindow&, CListTree&) {
        CMainFrame* pFrame = ActiveFrame();
        if (pFrame == nullptr || text == nullptr)
            return 0;
        HeapText wide(text);
        pFrame->SetWndCaption(id, FALSE, wide.p);
        return 1;
    });
}

int __cdecl SetIcon(int id, void* icon) {
    return WithWindow(L"ListWnd_SetIcon", id, [=](CListWindow&, CListTree&) {
        if (CMainFrame* pFrame = ActiveFrame())
            pFrame->SetWndIcon(id, FALSE, ICON_SMALL, static_cast<HICON>(icon));
        return 1;
    });
}

int __cdecl QueryItem(int id, uint32_t flags, void** data, int* index) {
    return WithWindow(L"ListWnd_QueryItem", id, [=](CListWindow& w, CListTree& t) {
        int nIndex = -1;
        if (flags & 1)
            nIndex = w.ItemCount() > 0 ? 0 : -1;
        else if (flags & 2)
            nIndex = w.IndexOf(t.SelectedListItem());
        else if (flags & 4)
            nIndex = w.ItemCount() - 1;
        else if (flags & 32)
            nIndex = index != nullptr ? *index : -1;
        else if (flags & 64)
            nIndex = w.IndexOf(t.ItemOfRow(t.GetTopIndex()));
        else if (flags & 128) {
            if (index == nullptr)
                return 0;
            *index = t.GetCountPerPage();
            return 1;
        }
        CListItem* pItem = w.Item(nIndex);
        if (pItem == nullptr)
            return 0;
        if ((flags & 8) && data != nullptr)
            *data = pItem->Data();
        if ((flags & 16) && index != nullptr)
            *index = nIndex;
        return 1;
    });
}

int __cdecl Reset(int id, uint32_t flags) {
    return WithWindow(L"ListWnd_Reset", id, [=](CListWindow& w, CListTree&) {
        w.Reset(flags);
        return 1;
    });
}

int __cdecl UpdateItem(int index, const ListItemRecord* record) {
    if (record == nullptr)
        return 0;
    return WithWindow(L"ListWnd_UpdateItem", record->window,
                      [=](CListWindow& w, CListTree&) { return w.Update(index, *record) ? 1 : 0; });
}

int __cdecl InsertItem(const ListItemRecord* record) {
    if (record == nullptr)
        return 0;
    return WithWindow(L"ListWnd_InsertItem", record->window,
                      [=](CListWindow& w, CListTree&) { return std::max(0, w.Insert(*record)); });
}

int __cdecl Rebuild(int id) {
    WithWindow(L"ListWnd_Rebuild", id, [](CListWindow& w, CListTree&) {
        w.Rebuild();
        return 0;
    });
    return 0;
}

int __cdecl SetWindowPos(int id, const WindowPosition* position) {
    return WithWindow(L"ListWnd_SetWindowPos", id, [=](CListWindow&, CListTree&) {
        if (CMainFrame* pFrame = ActiveFrame())
            pFrame->UpdateWndPos(id, FALSE, position);
        return 1;
    });
}

int __cdecl SetStyle(int id, uint32_t remove, uint32_t add) {
    WithWindow(L"ListWnd_SetStyle", id, [=](CListWindow& w, CListTree&) {
        w.SetStyle(remove, add);
        return 0;
    });
    return 0;
}

int __cdecl SetColumn(int id, int column, const char* title, uint32_t flags) {
    return WithWindow(L"ListWnd_SetColumn", id, [=](CListWindow& w, CListTree&) {
        HeapText wide(title);
        return w.SetColumn(column, wide.Text(), flags) ? 1 : 0;
    });
}

int __cdecl SetCallback(int id, int code, uintptr_t value) {
    return WithWindow(L"ListWnd_SetCallback", id, [=](CListWindow& w, CListTree&) {
        return w.SetCallback(code, value) ? 1 : 0;
    });
}

int __cdecl SetImage(int id, void* icon) {
    return WithWindow(L"ListWnd_SetImage", id, [=](CListWindow&, CListTree& t) {
        return t.AddImage(static_cast<HICON>(icon));
    });
}

int __cdecl SetItemImage(int id, int index, int image, int stateImage) {
    return WithWindow(L"ListWnd_SetItemImage", id, [=](CListWindow& w, CListTree&) {
        const int nImage = image == 0xFFFF ? -1 : image;
        const int nState = stateImage == 0xFFFF ? -1 : stateImage;
        return w.SetItemImage(index, nImage, nState) ? 1 : 0;
    });
}

int __cdecl GetColumnWidth(int id, int column) {
    return WithWindow(L"ListWnd_GetColumnWidth", id,
                      [=](CListWindow& w, CListTree&) { return w.GetColumnWidth(column); });
}

int __cdecl SetColumnWidth(int id, int column, int width) {
    return WithWindow(L"ListWnd_SetColumnWidth", id, [=](CListWindow& w, CListTree&) {
        return w.SetColumnWidth(column, width) ? 1 : 0;
    });
}

int __cdecl GetWindowPos(int id, WindowPosition* position) {
    return WithWindow(L"ListWnd_GetWindowPos", id, [=](CListWindow&, CListTree&) {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame ? static_cast<int>(pFrame->GetWindowPos(id, FALSE, position)) : 0;
    });
}

int __cdecl SelectItem(int id, int index, int clearFirst) {
    return WithWindow(L"ListWnd_SelectItem", id, [=](CListWindow& w, CListTree& t) {
        CListItem* pItem = w.Item(index);
        if (pItem == nullptr)
            return 0;
        if (clearFirst)
            t.DeselectAllExcept(-1);
        t.SetFocusItem(pItem->m_hItem);
        if (w.Owns(pItem))
            t.SelectItem(pItem->m_hItem);
        return 1;
    });
}

int __cdecl EnsureVisible(int id, int index, int clearFirst) {
    return WithWindow(L"ListWnd_EnsureVisible", id, [=](CListWindow& w, CListTree& t) {
        CListItem* pItem = w.Item(index);
        if (pItem == nullptr)
            return 0;
        if (clearFirst)
            t.DeselectAllExcept(-1);
        t.SelectSetFirstVisible(pItem->m_hItem);
        return 1;
    });
}

int __cdecl SetDragSource(int id, ListDragSourceFn callback, const char* kind) {
    return WithWindow(L"ListWnd_SetDragSource", id, [=](CListWindow&, CListTree& t) {
        return t.SetDragSource(callback, kind, id) ? 1 : 0;
    });
}

int __cdecl SetUserData(int id, int value) {
    return WithWindow(L"ListWnd_SetUserData", id, [=](CListWindow&, CListTree& t) {
        t.m_nUser = value;
        return 1;
    });
}

int __cdecl GetUserData(int id) {
    return WithWindow(L"ListWnd_GetUserData", id,
                      [=](CListWindow&, CListTree& t) { return t.m_nUser; });
}

int __cdecl AddDropRules(const char* kind, const DropRule* rules) {
    return GuardExport(L"ListWnd_AddDropRules", 0, [=]() -> int {
        IDragDrop* service = DragDropService();
        if (service == nullptr || kind == nullptr || rules == nullptr)
            return 0;
        service->AddRules(kind, rules);
        service->CommitRules(kind);
        return 1;
    });
}

int __cdecl DropServiceCall(uint32_t a, uint32_t b) {
    return GuardExport(L"ListWnd_DropServiceCall", 0, [=]() -> int {
        IDragDrop* service = DragDropService();
        if (service == nullptr)
            return 0;
        service->CallEntry16(a, b);
        return 1;
    });
}

int __cdecl SetColumnTitle(int id, int column, const char* title) {
    return WithWindow(L"ListWnd_SetColumnTitle", id, [=](CListWindow& w, CListTree&) {
        HeapText wide(title);
        return w.SetColumnTitle(column, wide.Text()) ? 1 : 0;
    });
}

int __cdecl ShowColumn(int id, int column) {
    return WithWindow(L"ListWnd_ShowColumn", id, [=](CListWindow& w, CListTree& t) {
        if (column < 0 || column >= w.ColumnCount())
            return 0;
        t.ToggleColumn(column);
        return 1;
    });
}

int __cdecl GetItemState(int id, int index, uint32_t* bits) {
    return WithWindow(L"ListWnd_GetItemState", id, [=](CListWindow& w, CListTree&) {
        if (w.Item(index) == nullptr)
            return 0;
        const uint32_t state = w.ItemState(index);
        if (bits != nullptr)
            *bits = state;
        return 1;
    });
}

const ListWindowInterface g_table = {2,
                                     2,
                                     &Create,
                                     &Destroy,
                                     &SetCaption,
                                     &SetIcon,
                                     &QueryItem,
                                     &Reset,
                                     &UpdateItem,
                                     &InsertItem,
                                     &Rebuild,
                                     &SetWindowPos,
                                     &SetStyle,
                                     &SetColumn,
                                     &SetCallback,
                                     &SetImage,
                                     &SetItemImage,
                                     &GetColumnWidth,
                                     &SetColumnWidth,
                                     &GetWindowPos,
                                     &SelectItem,
                                     &EnsureVisible,
                                     &SetDragSource,
                                     &SetUserData,
                                     &GetUserData,
                                     &AddDropRules,
                                     &DropServiceCall,
                                     &SetColumnTitle,
                                     &ShowColumn,
                                     &GetItemState,
                                     {0, 0}};

} // namespace

const ListWindowInterface* ListWindowTable() {
    return &g_table;
}
