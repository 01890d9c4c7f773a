#include "shell/hostlink.h"

#include "toolbars/bmpmenu_string.h"

#include <cstdio>
#include <cstdlib>
#include <string>

HostCommandTable* g_pHostCmdTable = nullptr;
HostMemoryTable* g_pHostMemTable = nullptr;
BYTE DragDropEnabled = 0;
CocoComponent* g_pCocoComponent = nullptr;
IDragDrop* g_pDragDrop = nullptr;

namespace {

[[noreturn]] void FatalHostError(const wchar_t* text) {
    MessageBoxW(GetFocus(), text, L"MOX Fatal", MB_OK);
    // Through the C runtime, so that registered termination handlers run.
    exit(1);
}

HMODULE HostModule(HMODULE module) {
    return module ? module : GetModuleHandleW(nullptr);
}

// An export of the host, typed; null when the host does not have it.
template <typename Fn> Fn HostExport(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(HostModule(module), name)));
}

template <typename Table> void CheckVersion(const Table* table, const wchar_t* format) {
    if (table && table->major == 3)
        return;
    wchar_t text[256];
    // A table the host left null shows as version 0.0 rather than being read.
    swprintf(text, 256, format, table ? table->major : 0u, table ? table->minor : 0u,
             kGuiInterfaceMajor, kGuiInterfaceMinor);
    FatalHostError(text);
}

} // namespace

int ConnectHost(HMODULE module) {
    auto guiConnect = HostExport<GuiConnectFn>(module, "gui_Connect");
    if (!guiConnect)
        FatalHostError(L"Could not load entry for MOX commands");
    guiConnect(&g_pHostCmdTable);
    CheckVersion(g_pHostCmdTable, L"Executable GUI Interface (V%u.%u) and moxgui[u].dll "
                                  L"(V%u.%u) have incompatible versions");
    DragDropEnabled = g_pHostCmdTable->major > 1;

    auto memConnect = HostExport<MemConnectFn>(module, "Mem_ConnectG2C");
    if (!memConnect)
        FatalHostError(L"Could not load entry for MOX memory commands");
    memConnect(&g_pHostMemTable);
    CheckVersion(g_pHostMemTable, L"Executable GUI Mem Interface (V%u.%u) and moxgui[u].dll "
                                  L"(V%u.%u) have incompatible versions");
    return 1;
}

bool HostVersionAtLeast(unsigned major, unsigned minor) {
    const HostCommandTable* t = g_pHostCmdTable;
    return t && (t->major > major || (t->major == major && t->minor >= minor));
}

BOOL AnsiToWideHeap(const char* text, wchar_t** out) {
    *out = nullptr;
    if (!text)
        return FALSE;
    int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (count <= 0)
        return FALSE;
    auto* buffer = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(wchar_t)));
    if (!buffer)
        return FALSE;
    *out = buffer;
    return MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, count) > 0;
}

BOOL WideToAnsiHeap(const wchar_t* text, char** out, BOOL* pLossy) {
    *out = nullptr;
    if (pLossy)
        *pLossy = FALSE;
    if (!text)
        return FALSE;
    // A best fit ("a" for an alpha) would be as wrong as the default character; UTF-8 takes
    // every character and knows neither.
    const bool check = pLossy != nullptr && GetACP() != CP_UTF8;
    const DWORD flags = check ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL* usedDefault = check ? pLossy : nullptr;
    int size = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, usedDefault);
    if (size <= 0)
        return FALSE;
    auto* buffer = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!buffer)
        return FALSE;
    *out = buffer;
    return WideCharToMultiByte(CP_ACP, flags, text, -1, buffer, size, nullptr, usedDefault) > 0;
}

namespace {

constexpr int kParamSlots = 10;

int Dispatch(const HostCommandTable& host, HostRequest* request, const char* text, int index,
             int operation, intptr_t a, int b) {
    int unused = 0;
    switch (operation) {
    case 1:
        return host.ExecuteRequest(request, text, index, 0, 0);
    case 2: {
        // A slot outside the record would be written past its 96 bytes.
        if (!request || index < 0 || index >= kParamSlots)
            return 0;
        request->SetText(index, text);
        int result = host.ExecuteRequestChain(1, request, &unused, 0, 1);
        // The copy is freed below; the record must not keep pointing at it.
        request->param[index] = 0;
        return result;
    }
    case 3:
        return host.ExecuteRequestChain(1, request, &unused, 0, 1);
    case 4:
        return host.ExecuteRequest(request, text, index, a, b);
    case 5:
        return host.ExecuteRequestEx(request, text, index, a, b);
    case 6:
        return host.ExecuteCommandLine(reinterpret_cast<const char*>(a));
    case 7:
        return host.ExecuteRequest(request, reinterpret_cast<const char*>(a), b, 0, 0);
    default:
        return 0;
    }
}

} // namespace

int SendHostRequest(HostRequest* request, const wchar_t* text, int index, int operation, intptr_t a,
                    int b, int context) {
    char* ansi = nullptr;
    if (text)
        WideToAnsiHeap(text, &ansi);
    const HostCommandTable* host = g_pHostCmdTable;
    const bool switchContext = context != 0 && HostVersionAtLeast(3, 12);
    int previous = switchContext ? host->SwitchContext(context) : 0;
    int result = host ? Dispatch(*host, request, ansi, index, operation, a, b) : 0;
    if (ansi)
        HeapFree(GetProcessHeap(), 0, ansi);
    if (switchContext)
        host->SwitchContext(previous);
    return result;
}

bool HostMultiCore() {
    return HostVersionAtLeast(3, 2) && g_pHostCmdTable->IsMultiCore() != 0;
}

bool HostExtensionMode() {
    return HostVersionAtLeast(3, 3) && g_pHostCmdTable->IsExtensionMode() != 0;
}

namespace {

HostRequest g_selectViewCore;
HostRequest g_selectReturnCore;

void MakeSelectCore(HostRequest& record, int core) {
    record = HostRequest{};
    record.code = kHostRequestSelectCore;
    record.flags = kHostRequestSelectCoreFlags;
    record.param[1] = static_cast<uint64_t>(static_cast<int64_t>(core));
}

// The last record of a chain, or null when the chain already holds one of the shared core
// records (wrapping it again would link a record to itself) or does not end.
HostRequest* LastOfChain(HostRequest* request) {
    constexpr int kMaxChain = 4096;
    for (int i = 0; i < kMaxChain; ++i) {
        if (request == &g_selectViewCore || request == &g_selectReturnCore)
            return nullptr;
        if (!request->next)
            return request;
        request = request->next;
    }
    return nullptr;
}

} // namespace

HostRequest* WrapRequestInCoreSwitch(int viewCore, HostRequest* request, int returnCore) {
    if (!request || !HostMultiCore())
        return request;
    HostRequest* last = LastOfChain(request);
    if (!last)
        return request;
    MakeSelectCore(g_selectViewCore, viewCore);
    g_selectViewCore.next = request;
    MakeSelectCore(g_selectReturnCore, returnCore);
    last->next = &g_selectReturnCore;
    return &g_selectViewCore;
}

HostCoreScope::HostCoreScope(int core) {
    if (!HostMultiCore())
        return;
    const HostCommandTable* host = g_pHostCmdTable;
    m_active = true;
    // Both read before either is written: a host's current core may follow its core mode.
    m_savedMode = host->GetCoreMode();
    m_savedCore = host->GetCurrentCore();
    host->SetCoreMode(0);
    host->SetCurrentCore(core);
}

HostCoreScope::~HostCoreScope() {
    if (!m_active)
        return;
    const HostCommandTable* host = g_pHostCmdTable;
    host->SetCurrentCore(m_savedCore);
    host->SetCoreMode(m_savedMode);
}

namespace {

// Through the bitmap menus' reader, so that items they made owner-drawn keep their text.
bool MenuItemTextEquals(HMENU menu, int position, const wchar_t* text) {
    CString item;
    if (!GetBmpMenuString(menu, static_cast<UINT>(position), item, MF_BYPOSITION))
        return false;
    item.TrimRight(L' ');
    return !item.IsEmpty() && wcscmp(item.GetString(), text) == 0;
}

} // namespace

int FindMenuItemByText(HMENU menu, const wchar_t* text) {
    if (!menu || !text)
        return -1;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (MenuItemTextEquals(menu, position, text))
            return position;
    return -1;
}

int CocoQuery(HMODULE module, uint32_t componentId, void** out) {
    auto coco = HostExport<CocoFn>(module, "__COCO__");
    return coco ? coco(componentId, out) : 0;
}

void ImportDragDropService() {
    if (!DragDropEnabled)
        return;
    void* component = nullptr;
    if (!CocoQuery(nullptr, kDragDropComponentId, &component) || !component)
        return;
    g_pCocoComponent = static_cast<CocoComponent*>(component);
    g_pDragDrop = static_cast<IDragDrop*>(CocoComponent::GetInterface(g_pCocoComponent));
    if (g_pDragDrop)
        g_pDragDrop->Init();
}
