#include "windows/memory/meminterface.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "ifac/h/hostwnd.h"
#include "shell/dll/export_guard.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/memory/memchildwnd.h"
#include "windows/memory/memmetrics.h"
#include "windows/memory/memstate.h"
#include "windows/memory/memwnd.h"

namespace {

constexpr UINT kMemWindowIcon = 186;

using WideText = std::unique_ptr<wchar_t, void (*)(wchar_t*)>;
WideText Wide(const char* text) {
    wchar_t* wide = nullptr;
    AnsiToWideHeap(text, &wide);
    return WideText(wide, [](wchar_t* p) {
        if (p)
            ::HeapFree(::GetProcessHeap(), 0, p);
    });
}

HWND FrameOf(const MemWndState* s) {
    HWND hView = ::GetParent(static_cast<HWND>(s->memWnd));
    return hView ? ::GetParent(hView) : NULL;
}

// The host's placement for a window it has none for: the grid it asked for, with the frame's
// borders, caption and scroll bar around it.
void StoreDefaultPlacement(const WindowPosition* position, int rows, int columns) {
    const MemMetrics m = MemoryMetrics();
    HostPlacement p{};
    p.flags = 0x11;
    p.x = p.y = kDefaultPlacementCoordinate;
    p.width = columns * m.colPitch + 2 * m.leftMargin + 4 * ::GetSystemMetrics(SM_CXFRAME) +
              ::GetSystemMetrics(SM_CXVSCROLL);
    p.height = (rows + 1) * m.rowPitch + 3 * m.topMargin + 3 * ::GetSystemMetrics(SM_CYFRAME) +
               ::GetSystemMetrics(SM_CYCAPTION);
    SetHostWindowPlacement(position, p);
}

// Undoes a create that could not make its windows: nothing of it stays behind.
int FailCreate(MemWndState* s, MemWndState** out) {
    if (g_pHostMemTable && s->cellPool)
        g_pHostMemTable->ReleaseHandle(s->cellPool);
    s->cellPool = nullptr;
    RetireMemState(s);
    if (out)
        *out = nullptr;
    return 0;
}

int Create(void* object, int rows, int columns, MemWndState** out, WindowPosition* position) {
    CMainFrame* pFrame = ActiveFrame();
    if (pFrame == nullptr || g_pHostMemTable == nullptr) {
        if (out)
            *out = nullptr;
        return 0;
    }
    MemWndState* s = NewMemState();
    if (s == nullptr)
        return -1;
    CurrentMemState() = s;
    s->object = object;
    s->selRow = s->selCell = 0;
    s->cellPool = g_pHostMemTable->OpenHandle(32, 0);
    s->descriptor = static_cast<MemRowDescriptor*>(g_pHostMemTable->GetRowDescriptor(object));
    if (position == nullptr)
        return FailCreate(s, out);
    if (!(GetHostWindowState(position) & 1))
        StoreDefaultPlacement(position, std::max(rows, 0), std::max(columns, 0));
    s->flags |= kMemStateNoTitle;
    HWND hView = NULL;
    if (!pFrame->OpenHostWindow(L"", position, &hView) || hView == NULL)
        return FailCreate(s, out);
    auto* pWnd = new CMemWnd(s); // owned by its window from here on
    if (!pWnd->CreateMemWnd(CWnd::FromHandle(hView)) || s->grid == nullptr) {
        if (pWnd->GetSafeHwnd())
            pWnd->DestroyWindow(); // deletes the object
        else
            delete pWnd;
        pFrame->CloseMDIWindow(reinterpret_cast<intptr_t>(hView), FALSE);
        return FailCreate(s, out);
    }
    if (out)
        *out = s;
    if (s->descriptor && (s->descriptor->mode & kMemModeBased))
        ::EnableScrollBar(static_cast<HWND>(s->grid), SB_VERT, ESB_DISABLE_BOTH);
    ::InvalidateRect(static_cast<HWND>(s->grid), nullptr, TRUE);
    ::UpdateWindow(static_cast<HWND>(s->grid));
    if (IsLiveMemState(s)) {
        HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kMemWindowIcon));
        if (hIcon != NULL)
            pFrame->SetWndIcon(reinterpret_cast<intptr_t>(hView), FALSE, ICON_BIG, hIcon);
    }
    return 0;
}

int SetCaption(MemWndState* s, const char* text) {
    CMainFrame* pFrame = ActiveFrame();
    if (!IsLiveMemState(s) || pFrame == nullptr || text == nullptr)
        return 0;
    WideText wide = Wide(text);
    HWND hFrame = FrameOf(s);
    if (wide && hFrame)
        pFrame->SetWndCaption(reinterpret_cast<intptr_t>(hFrame), FALSE, wide.get());
    return 0;
}

int AddField(MemWndState* s, const char* text, uint32_t key, uint32_t, int gap, uint32_t flags) {
    if (IsLiveMemState(s))
        AddMemField(s, text, key, gap, flags);
    return 0;
}

int SetTitle(MemWndState* s, const char* text) {
    if (!IsLiveMemState(s))
        return 0;
    const size_t length = text ? strnlen(text, kMemTitleBytes - 1) : 0;
    std::memset(s->titleText, 0, sizeof s->titleText);
    if (length)
        std::memcpy(s->titleText, text, length);
    WideText wide = Wide(s->titleText);
    if (HWND hTitle = static_cast<HWND>(s->title))
        ::SetWindowTextW(hTitle, wide ? wide.get() : L"");
    s->flags &= ~kMemStateNoTitle;
    return 0;
}

int Repaint(MemWndState* s, int erase) {
    if (!IsLiveMemState(s))
        return 0;
    HWND hGrid = static_cast<HWND>(s->grid);
    ::InvalidateRect(hGrid, nullptr, erase == 1);
    ::UpdateWindow(hGrid);
    return 0;
}

int Close(MemWndState* s) {
    if (!IsLiveMemState(s))
        return 0; // a second close, or no window at all
    // The windows forget the state first: whatever reaches them while they go finds none.
    if (CMemWnd* pWnd = CMemWnd::FromState(s))
        pWnd->Detach();
    HWND hFrame = FrameOf(s);
    void* pool = s->cellPool;
    s->cellPool = nullptr;
    RetireMemState(s); // freed now, or when the running refill ends
    if (CMainFrame* pFrame = ActiveFrame(); pFrame && hFrame)
        pFrame->CloseMDIWindow(reinterpret_cast<intptr_t>(hFrame), FALSE);
    if (g_pHostMemTable && pool)
        g_pHostMemTable->ReleaseHandle(pool);
    return 0;
}

// The host calls these as plain C functions; each is a library entry with its guard.
extern "C" {
int __cdecl MemWnd_Create(void* object, int rows, int columns, MemWndState** out,
                          WindowPosition* position) {
    return GuardExport(L"MemWnd_Create", 0,
                       [=] { return Create(object, rows, columns, out, position); });
}
int __cdecl MemWnd_SetCaption(MemWndState* s, const char* text) {
    return GuardExport(L"MemWnd_SetCaption", 0, [=] { return SetCaption(s, text); });
}
int __cdecl MemWnd_AddField(MemWndState* s, const char* text, uint32_t key, uint32_t ignored,
                            int gap, uint32_t flags) {
    return GuardExport(L"MemWnd_AddField", 0,
                       [=] { return AddField(s, text, key, ignored, gap, flags); });
}
int __cdecl MemWnd_SetTitle(MemWndState* s, const char* text) {
    return GuardExport(L"MemWnd_SetTitle", 0, [=] { return SetTitle(s, text); });
}
int __cdecl MemWnd_Repaint(MemWndState* s, int erase) {
    return GuardExport(L"MemWnd_Repaint", 0, [=] { return Repaint(s, erase); });
}
int __cdecl MemWnd_Close(MemWndState* s) {
    return GuardExport(L"MemWnd_Close", 0, [=] { return Close(s); });
}
}

const MemoryWindowInterface kTable = {3,
                                      13,
                                      &MemWnd_Create,
                                      &MemWnd_SetCaption,
                                      &MemWnd_AddField,
                                      &MemWnd_SetTitle,
                                      &MemWnd_Repaint,
                                      &MemWnd_Close};

} // namespace

const MemoryWindowInterface& MemoryWindowTable() {
    return kTable;
}
