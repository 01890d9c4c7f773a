// The host's plug-in tree walked depth first (a record, its children, then its siblings),
// skipping hidden records with their subtrees. The tree is the host's data: the walk is
// iterative and bounded, so that a tree nested too deep, one with a cycle or a repeated record,
// or one that never ends cannot overflow the stack or run forever.
#pragma once

#include <functional>

#include "ifac/h/plugininfo.h"

// Records deeper than this (depth 0 is the root's level) are not shown or written.
constexpr int kMaxPluginDepth = 64;
// At most this many records are read.
constexpr int kMaxPluginRecords = 10000;

struct PluginWalkResult {
    int shown = 0;
    // Part of the tree was left out: too deep, too many records, or a record met twice.
    bool cut = false;
};

// The host's texts as UTF-16; a null text is empty.
CString PluginText(const char* text);

bool IsPluginHidden(const PluginInfoNode& node);

// Calls visit(record, parent record or null, depth) for every shown record in order.
PluginWalkResult
WalkShownPlugins(PluginInfoNode* root,
                 const std::function<void(PluginInfoNode&, PluginInfoNode*, int)>& visit);
