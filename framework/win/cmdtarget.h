// Command targets and their message maps: the table each class keeps of the messages, commands
// and notifications it handles, chained to its base class's table.
#pragma once

#include <windows.h>

#include "framework/core/object.h"

class CCmdTarget;
class CCmdUI;

// Command-routing codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Child notifications reflected back to the child arrive as these messages.
#define WM_REFLECT_BASE 0xBC00

// Private messages of the framework.
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
// WM_FLOATSTATUS codes (wParam): what a frame tells the floating windows it owns, and the
// question whether a window keeps its frame's caption active (answered non-zero).
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40
#define WM_ACTIVATETOPLEVEL 0x036E

// One message on its way through a message map. Command and notification entries read nID and
// pExtra; window-message entries read wParam and lParam. The handler's result goes to lResult.
struct AFX_DISPATCH {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    void* pExtra;
    LRESULT lResult;
};

// Calls one handler with the message cracked into its parameters. FALSE means "not handled,
// keep routing" (the _EX entries and update handlers that ask to continue).
typedef BOOL (*AFX_PDISPATCH)(CCmdTarget* pTarget, AFX_DISPATCH& dispatch);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;         // window message, WM_COMMAND, WM_NOTIFY or a reflected form
    UINT nCode;            // control or notification code (16 bits), or CN_ code
    UINT nID;              // first command / control id
    UINT nLastID;          // last id of a range (nID for a single id)
    const UINT* pnMessage; // registered message: the variable that holds its number
    AFX_PDISPATCH pfn;     // NULL ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                           \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                       \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

// The map of a class template over its base: instantiate the template for each base after it.
#define BEGIN_TEMPLATE_MESSAGE_MAP(theTemplate, baseParam)                                         \
    template <class baseParam>                                                                     \
    const AFX_MSGMAP* PASCAL theTemplate<baseParam>::GetThisMessageMap() {                         \
        typedef theTemplate<baseParam> ThisClass;                                                  \
        typedef baseParam TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr, nullptr }                                                               \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, update request or notification to this object's map. nCode is a CN_
    // code or control notification, or MAKELONG(code, WM_NOTIFY) for notifications. With
    // pHandlerInfo the handler is looked up only, not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Hourglass while a long operation runs; nests.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The first entry of the chain that handles a window message, or NULL.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Handler lookup for commands and notifications (the map of this object and its bases).
    const AFX_MSGMAP_ENTRY* FindCommandEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

#include "framework/win/cmdui.h"
#include "framework/win/msgmap.h"

// The module's wait cursor: nCode 1 begins, -1 ends, 0 shows it again while any wait lasts.
void AfxDoWaitCursor(int nCode);
