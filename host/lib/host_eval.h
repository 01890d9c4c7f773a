// The stand-in host's evaluation windows: a watch window and a local-variables window (window
// number 15) over the simulated target's variables, read from its memory and from the frame of
// the function the active core stands in. The host keeps an item record for every item it
// shows; it adds an item's children when the library asks for them (window command 6), marks
// the values a stop changed (so that the library shows them red), follows the frame (the
// local-variables window shows the locals of the function the core is in) and closes the window
// when the library asks it to. Value edits reach the target as "SET VALUE" command lines.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ifac/h/evalrec.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/hostwnd.h"

class HostEvalWindow {
public:
    enum Kind { watch, locals };
    struct Node {
        std::string suffix, name, value, edit, key;
        EvalItemRecord record{};
        const EvalInfoRecord* info = nullptr;
        HTREEITEM item = nullptr;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
        std::vector<std::string> childNames; // member names, or "[i]", or "->x"
        bool requested = false;
        // Texts from the target's value on a core; true when the value text changed.
        bool Refresh(int core);
    };

    HostEvalWindow(HMODULE library, Kind kind);
    ~HostEvalWindow();
    HostEvalWindow(const HostEvalWindow&) = delete;
    HostEvalWindow& operator=(const HostEvalWindow&) = delete;

    // Opens the window and shows the variables; false when the library refuses.
    bool Open();
    // The library's id of the window; 0 before it opens and once the host has closed it.
    int Id() const { return m_id; }
    // The window has been closed on the library's close request.
    bool ClosedOnRequest() const { return m_closedOnRequest; }
    int Number() const { return m_kind == locals ? 15 : 1; }
    // The node of a full expression ("origin", "origin.x", "buffer[2]"), or null while it is
    // not shown.
    Node* Find(const std::string& key);
    // The library's update export with this window's id.
    intptr_t Update(int kind, intptr_t a, intptr_t b);
    // After a stop or an edit: the locals of the frame the core stands in, the expressions the
    // user added to the watch, every value read again and the changed ones marked, the window
    // repainted.
    void OnStop();
    // Every open evaluation window's OnStop.
    static void UpdateAll();
    // A window command of the library for this window; -1 when it is for another window.
    int OnWindowCommand(void* hwnd, int command, int item);
    // A request of the library: its close request for this window closes the window; true
    // when the request was that.
    bool OnRequest(const HostRequest* chain, const char* text);

    WindowPosition position{};

private:
    Node* AddNode(Node* parent, const std::string& childName);
    void RemoveRoots();
    int Core() const;
    void InsertChildren(Node* node);
    Node* NodeOfRecord(const void* record);
    void ForEach(Node* node, void (*fn)(Node*, void*), void* context);

    HMODULE m_library;
    Kind m_kind;
    int m_id = 0;
    bool m_closedOnRequest = false;
    std::vector<std::unique_ptr<Node>> m_roots;
    std::vector<std::unique_ptr<EvalInfoRecord>> m_infos;
    std::vector<std::unique_ptr<std::string>> m_expressions;
};
