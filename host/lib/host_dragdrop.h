// What the stand-in host's drag-and-drop service keeps: the rule sets it was handed, the
// property records of the drag sources and the drag under way.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/lib/drop_matcher.h"

// A rule as the service keeps it: its own copy of the texts, which the library's array
// outlives only for the duration of the call.
struct HostDropRule {
    std::string pattern;
    std::string command;
    uint32_t effect = 0;
    std::string description;
    bool complete = true; // pattern and command given: a rule that can fire
};

struct HostDropRuleSet {
    std::vector<HostDropRule> rules;
    bool committed = false;
};

struct HostDragRecord {
    int kind = 0;
    DragProperties properties;
};

// A drop point: the target window and the item type under the mouse.
struct HostDropPoint {
    std::string kind;
    int id = 0;
    std::string targetType;
};

struct HostDragDrop {
    // Sets by window kind; the service uses a set from AddRules on, committed or not.
    std::map<std::string, HostDropRuleSet> sets;
    // Window kinds in the order of their AddRules calls, one entry a call.
    std::vector<std::string> addOrder;
    // AddRules answers 0 and keeps nothing for these kinds.
    std::set<std::string> refusedKinds;

    // Records handed out by BeginRecord and not yet ended.
    std::list<HostDragRecord> records;

    // The drag that StartDrag began; it ends with its drop or the next StartDrag.
    bool dragging = false;
    std::string sourceKind, sourceType;
    int sourceId = 0;
    DragProperties dragProperties;
    uint32_t keyState = 0; // of the last DragEnter or DragOver: a drop keeps it

    // The host's own knowledge of the item under the mouse (TARGET_ITEM_NAME,
    // TARGET_ITEM_ADDRESS), which the simulated windows fill in.
    std::function<void(const HostDropPoint&, DragProperties&)> targetItem;

    // Command lines of the drops, in order, as the simulated target received them.
    std::vector<std::string> commands;
};

// Longest rule set the service takes: an array whose end record is missing is not read past it.
constexpr size_t kMaxDropRules = 4096;

// The properties the service matches at a drop point: the record's, then its own.
DragProperties DropPointProperties(const HostDropPoint& point);
// The first rule of the point's set that fits the drag, or null.
const HostDropRule* FindDropRule(const HostDropPoint& point, const DragProperties& properties);
