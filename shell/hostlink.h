// The library's link to its host: binding of the host's command and memory tables, the version
// gate, 8-bit/UTF-16 conversions on the process heap, the request dispatcher and the import of
// the host's drag-and-drop service.
#pragma once

#include <windows.h>

#include "ifac/h/coco.h"
#include "ifac/h/hostcmd.h"
#include "include/idragdrp.h"

// The library's own interface version; it appears only in the version-mismatch messages.
constexpr unsigned kGuiInterfaceMajor = 3;
constexpr unsigned kGuiInterfaceMinor = 13;

extern HostCommandTable* g_pHostCmdTable;
extern HostMemoryTable* g_pHostMemTable;
extern BYTE DragDropEnabled;
extern CocoComponent* g_pCocoComponent;
extern IDragDrop* g_pDragDrop;

// Binds both tables from module (null: the host executable). Returns 1; every failure shows a
// "MOX Fatal" message and ends the process with exit code 1.
int ConnectHost(HMODULE module);

// Version gate: the command table is bound and its version is at least major.minor.
bool HostVersionAtLeast(unsigned major, unsigned minor);

// The host reports several cores (host 3.2 and later).
bool HostMultiCore();
// The host runs in its extension mode (host 3.3 and later).
bool HostExtensionMode();

// The command table, or null before binding.
inline HostCommandTable* HostTable() {
    return g_pHostCmdTable;
}

// Heap conversions at the host boundary. out is always written (null on failure); the caller
// frees a non-null out with HeapFree on the process heap.
BOOL AnsiToWideHeap(const char* text, wchar_t** out);
// With pLossy, it is set when a character has no 8-bit form (it would become the default
// character): the text is then not what the user wrote.
BOOL WideToAnsiHeap(const wchar_t* text, char** out, BOOL* pLossy = nullptr);

// The request dispatcher: operation 1 to 7 selects the host entry (see hostlink.cpp).
int SendHostRequest(HostRequest* request, const wchar_t* text, int index, int operation, intptr_t a,
                    int b, int context);

// Places core-selection records around a request chain on a multi-core host.
HostRequest* WrapRequestInCoreSwitch(int viewCore, HostRequest* request, int returnCore);

// Runs direct host calls for one core: on a multi-core host the constructor selects the core
// in fixed mode and the destructor restores the previous core and mode.
class HostCoreScope {
public:
    explicit HostCoreScope(int core);
    ~HostCoreScope();
    HostCoreScope(const HostCoreScope&) = delete;
    HostCoreScope& operator=(const HostCoreScope&) = delete;

private:
    bool m_active = false;
    int m_savedMode = 0;
    int m_savedCore = 0;
};

// Position of the first item of menu whose text, trailing blanks removed, equals text; -1 if none.
int FindMenuItemByText(HMENU menu, const wchar_t* text);

// The host's component import; 0 when the host has no "__COCO__" entry.
int CocoQuery(HMODULE module, uint32_t componentId, void** out);

// Imports the drag-and-drop service from the host executable and initialises it. Leaves the
// service pointer null when anything is missing.
void ImportDragDropService();

// The service when drag and drop is usable, else null: every use goes through here.
inline IDragDrop* DragDropService() {
    return DragDropEnabled ? g_pDragDrop : nullptr;
}
