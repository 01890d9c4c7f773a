#include "host/lib/host_eval.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/lib/host_state.h"
#include "host/lib/target_eval.h"

namespace {
using UpdateFn = intptr_t(__cdecl*)(int, int, intptr_t, intptr_t);
using CreateFn = int(__cdecl*)(int, const WindowPosition*);
using CloseFn = int(__cdecl*)(intptr_t, int);
// The library's close request of an evaluation window: its window number is the text, and slot
// 4 says which kind of window it is.
constexpr uint32_t kRequestClose = 5;
constexpr uint32_t kRequestCloseFlags = 0x4000;
constexpr uint64_t kCloseLocals = 32, kCloseWatch = 2;
// Longest chain the host follows (a close request comes alone or between two core switches).
constexpr int kMaxChain = 16;

std::vector<HostEvalWindow*>& LiveWindows() {
    static std::vector<HostEvalWindow*> windows;
    return windows;
}

std::string MemberName(const std::string& part) {
    return part[0] == '.' ? part.substr(1) : part;
}

// The roots a watch window shows before the user adds any.
const char* const kWatchRoots[] = {"total", "ticks", "origin", "buffer"};
} // namespace

bool HostEvalWindow::Node::Refresh(int core) {
    const std::string before = value;
    TargetValue v;
    if (!ReadTargetValue(key, core, v))
        v.text = "not available";
    value = v.text;
    edit = v.editable ? value : "";
    record.value = value.c_str();
    record.editValue = edit.empty() ? nullptr : edit.c_str();
    record.flags = (record.flags & ~(EvalItemFlags::notEditable | EvalItemFlags::hasChildren)) |
                   (edit.empty() ? EvalItemFlags::notEditable : 0) |
                   (v.members.empty() ? 0 : EvalItemFlags::hasChildren);
    childNames = v.members;
    return value != before;
}

HostEvalWindow::HostEvalWindow(HMODULE library, Kind kind) : m_library(library), m_kind(kind) {
    LiveWindows().push_back(this);
    HostState& s = HostState::Get();
    s.onWindowCommand = [](void* hwnd, int command, int item) {
        for (HostEvalWindow* w : LiveWindows())
            if (int answer = w->OnWindowCommand(hwnd, command, item); answer >= 0)
                return answer;
        return 0;
    };
    s.onRequest = [](const HostRequest* chain, const char* text) {
        // A copy: closing a window may run host code that opens or ends other windows.
        const std::vector<HostEvalWindow*> windows = LiveWindows();
        for (HostEvalWindow* w : windows)
            if (w->OnRequest(chain, text))
                return;
    };
}

HostEvalWindow::~HostEvalWindow() {
    auto& live = LiveWindows();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (live.empty()) {
        HostState::Get().onWindowCommand = nullptr;
        HostState::Get().onRequest = nullptr;
    }
}

bool HostEvalWindow::Open() {
    auto create = reinterpret_cast<CreateFn>(
        reinterpret_cast<void*>(GetProcAddress(m_library, "CreateEvalWindow")));
    if (create == nullptr)
        return false;
    m_id = create(Number(), &position);
    if (m_id <= 0)
        return false;
    // The host keeps one window of a number: an older one (of a library loaded before) is
    // forgotten, so that the library's requests for the number reach this one.
    for (HostEvalWindow* w : LiveWindows())
        if (w != this && w->Number() == Number())
            w->m_id = 0;
    const std::vector<std::string> roots =
        m_kind == locals ? LocalsOf(Core())
                         : std::vector<std::string>(std::begin(kWatchRoots), std::end(kWatchRoots));
    for (const std::string& root : roots)
        AddNode(nullptr, root);
    return true;
}

HostEvalWindow::Node* HostEvalWindow::AddNode(Node* parent, const std::string& part) {
    auto node = std::make_unique<Node>();
    node->parent = parent;
    node->key = parent ? parent->key + part : part;
    if (parent == nullptr) {
        // A watch shows its expression; each has an info record of its own.
        auto info = std::make_unique<EvalInfoRecord>();
        m_expressions.push_back(std::make_unique<std::string>(part));
        info->id = static_cast<int32_t>(m_infos.size() + 1);
        info->expression = m_expressions.back()->c_str();
        info->dragKey = -1;
        node->info = info.get();
        m_infos.push_back(std::move(info));
        if (m_kind == locals) {
            node->name = part;
            node->record.name = node->name.c_str();
        }
    } else {
        node->info = parent->info;
        node->suffix = parent->suffix + part;
        node->name = MemberName(part);
        node->record.name = node->name.c_str();
    }
    node->record.suffix = node->suffix.c_str();
    node->record.info = node->info;
    node->Refresh(Core());
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent->item : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.cChildren = (node->record.flags & EvalItemFlags::hasChildren) ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node->record);
    Node* raw = node.get();
    (parent ? parent->children : m_roots).push_back(std::move(node));
    raw->item = reinterpret_cast<HTREEITEM>(Update(4, reinterpret_cast<intptr_t>(&insert), 0));
    return raw;
}

intptr_t HostEvalWindow::Update(int kind, intptr_t a, intptr_t b) {
    if (m_id <= 0)
        return 0; // not open, or closed
    auto update = reinterpret_cast<UpdateFn>(
        reinterpret_cast<void*>(GetProcAddress(m_library, "UpdateEvalWindow")));
    return update ? update(kind, m_id, a, b) : 0;
}

void HostEvalWindow::ForEach(Node* node, void (*fn)(Node*, void*), void* context) {
    auto& list = node ? node->children : m_roots;
    for (auto& child : list) {
        fn(child.get(), context);
        ForEach(child.get(), fn, context);
    }
}

HostEvalWindow::Node* HostEvalWindow::Find(const std::string& key) {
    struct Search {
        const std::string* key;
        Node* found;
    } search{&key, nullptr};
    ForEach(
        nullptr,
        [](Node* n, void* c) {
            auto* s = static_cast<Search*>(c);
            if (n->key == *s->key)
                s->found = n;
        },
        &search);
    return search.found;
}

HostEvalWindow::Node* HostEvalWindow::NodeOfRecord(const void* record) {
    struct Search {
        const void* record;
        Node* found;
    } search{record, nullptr};
    ForEach(
        nullptr,
        [](Node* n, void* c) {
            auto* s = static_cast<Search*>(c);
            if (&n->record == s->record)
                s->found = n;
        },
        &search);
    return search.found;
}

void HostEvalWindow::InsertChildren(Node* node) {
    const std::vector<std::string> parts = node->childNames;
    for (const std::string& part : parts)
        AddNode(node, part);
}

int HostEvalWindow::Core() const {
    return HostState::Get().activeCore;
}

void HostEvalWindow::RemoveRoots() {
    // The library lets go of an item's record with the item: the items go first.
    for (auto& root : m_roots)
        Update(128, 0, reinterpret_cast<intptr_t>(root->item));
    m_roots.clear();
    m_infos.clear();
    m_expressions.clear();
}

int HostEvalWindow::OnWindowCommand(void*, int command, int item) {
    Node* node = NodeOfRecord(reinterpret_cast<const void*>(static_cast<intptr_t>(item)));
    if (node == nullptr)
        return -1;
    if (command != 6 || node->requested)
        return 0;
    node->requested = true;
    InsertChildren(node);
    return 1;
}

bool HostEvalWindow::OnRequest(const HostRequest* chain, const char* text) {
    if (m_id <= 0 || text == nullptr || std::to_string(Number()) != text)
        return false;
    const HostRequest* close = chain;
    for (int i = 0; close != nullptr && i < kMaxChain; ++i, close = close->next)
        if (close->code == kRequestClose)
            break;
    if (close == nullptr || close->code != kRequestClose || close->flags != kRequestCloseFlags ||
        close->param[4] != (m_kind == locals ? kCloseLocals : kCloseWatch))
        return false;
    auto closeWindow = reinterpret_cast<CloseFn>(
        reinterpret_cast<void*>(GetProcAddress(m_library, "CloseMDIWindow")));
    if (closeWindow == nullptr)
        return false;
    const int id = m_id;
    m_id = 0; // the id is the library's again once the window goes
    m_closedOnRequest = true;
    closeWindow(id, 1);
    return true;
}

void HostEvalWindow::OnStop() {
    if (m_id <= 0)
        return;
    const int core = Core();
    bool added = false;
    if (m_kind == locals) {
        std::vector<std::string> shown;
        for (const auto& root : m_roots)
            shown.push_back(root->key);
        if (shown != LocalsOf(core)) { // another frame: its own locals
            RemoveRoots();
            for (const std::string& name : LocalsOf(core))
                AddNode(nullptr, name);
            added = true;
        }
    } else {
        for (const std::string& expression : HostState::Get().watchExpressions)
            if (Find(expression) == nullptr)
                AddNode(nullptr, expression), added = true;
    }
    struct Pass {
        int core;
        std::vector<Node*> repaint; // rows whose value or mark changed
    } pass{core, {}};
    ForEach(
        nullptr,
        [](Node* n, void* context) {
            auto* p = static_cast<Pass*>(context);
            const bool wasChanged = (n->record.flags & EvalItemFlags::changed) != 0;
            const uint32_t children = n->record.flags & EvalItemFlags::hasChildren;
            const bool changed = n->Refresh(p->core);
            n->record.flags = (n->record.flags & ~EvalItemFlags::changed) |
                              (changed ? EvalItemFlags::changed : 0);
            if (changed || wasChanged || children != (n->record.flags & EvalItemFlags::hasChildren))
                p->repaint.push_back(n);
        },
        &pass);
    // New rows move the others: the whole tree is laid out again. Otherwise only the rows whose
    // value or mark changed are repainted.
    if (added) {
        Update(512, 0, 0);
        return;
    }
    for (Node* n : pass.repaint) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_CHILDREN;
        item.hItem = n->item;
        item.pszText = LPSTR_TEXTCALLBACKA;
        item.cChildren = (n->record.flags & EvalItemFlags::hasChildren) ? 1 : 0;
        Update(2, reinterpret_cast<intptr_t>(&item), 0);
    }
}

void HostEvalWindow::UpdateAll() {
    // A copy: an update may run library code that closes a window.
    const std::vector<HostEvalWindow*> windows = LiveWindows();
    for (HostEvalWindow* w : windows)
        if (std::find(LiveWindows().begin(), LiveWindows().end(), w) != LiveWindows().end())
            w->OnStop();
}
