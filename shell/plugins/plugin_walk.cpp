#include "framework/afx.h"
#include "shell/plugins/plugin_walk.h"

#include <unordered_set>
#include <vector>

CString PluginText(const char* text) {
    return text != nullptr ? CString(text) : CString();
}

bool IsPluginHidden(const PluginInfoNode& node) {
    return (node.flags & (PluginFlags::hidden | PluginFlags::hidden2)) != 0;
}

PluginWalkResult
WalkShownPlugins(PluginInfoNode* root,
                 const std::function<void(PluginInfoNode&, PluginInfoNode*, int)>& visit) {
    struct Pending {
        PluginInfoNode* node;
        PluginInfoNode* parent;
        int depth;
    };
    PluginWalkResult result;
    std::unordered_set<const PluginInfoNode*> seen;
    // At most one pending sibling a level and one child: the stack stays as deep as the tree.
    std::vector<Pending> pending;
    if (root != nullptr)
        pending.push_back({root, nullptr, 0});
    while (!pending.empty()) {
        const Pending at = pending.back();
        pending.pop_back();
        if (static_cast<int>(seen.size()) >= kMaxPluginRecords) {
            result.cut = true;
            break;
        }
        if (!seen.insert(at.node).second) {
            result.cut = true;
            continue;
        }
        if (at.node->next != nullptr)
            pending.push_back({at.node->next, at.parent, at.depth});
        if (IsPluginHidden(*at.node))
            continue;
        visit(*at.node, at.parent, at.depth);
        ++result.shown;
        if (at.node->firstChild == nullptr)
            continue;
        if (at.depth + 1 >= kMaxPluginDepth)
            result.cut = true;
        else
            pending.push_back({at.node->firstChild, at.node, at.depth + 1});
    }
    return result;
}
