// The drag-and-drop component and its service: it keeps the rule sets it is handed, collects
// the drag sources' property records, answers drag events with the effect of the first rule
// that fits and runs that rule's command on a drop. Every entry records its call.
#include "host/lib/host_dragdrop.h"

#include <windows.h>

#include "host/lib/command_line.h"
#include "host/lib/host_state.h"

namespace {

HostDragDrop& DD() {
    return HostState::Get().dragDrop;
}

HostDragRecord* FindRecord(const void* record) {
    for (HostDragRecord& r : DD().records)
        if (&r == record)
            return &r;
    return nullptr;
}

int __cdecl Init(void*) {
    return LogHostCall("DD.Init"), 1;
}
int __cdecl BeginRecord(void*, int kind, void** record) {
    LogHostCall("DD.BeginRecord", kind);
    if (!record)
        return 0;
    DD().records.push_back(HostDragRecord{kind, {}});
    *record = &DD().records.back();
    return 1;
}
int __cdecl EndRecord(void*, int kind, void* record) {
    LogHostCall("DD.EndRecord", kind);
    for (auto it = DD().records.begin(); it != DD().records.end(); ++it)
        if (&*it == record) {
            DD().records.erase(it);
            return 1;
        }
    return 0;
}
// A key without a value becomes a flag: present, with an empty value.
int AddProperty(void* record, const char* key, std::string value) {
    HostDragRecord* r = FindRecord(record);
    if (!r || !key || !*key)
        return 0;
    r->properties[key] = std::move(value);
    return 1;
}
int __cdecl AddString(void*, void* record, int index, const char* key, const char* text) {
    LogHostCall("DD.AddString", index, key, text);
    return AddProperty(record, key, text ? text : "");
}
int __cdecl AddInteger(void*, void* record, int index, const char* key, int value) {
    LogHostCall("DD.AddInteger", index, key, value);
    return AddProperty(record, key, std::to_string(value));
}
int __cdecl AddRules(void*, const char* kind, const DropRule* rules) {
    size_t count = 0;
    while (rules && count < kMaxDropRules &&
           (rules[count].pattern || rules[count].command || rules[count].effect ||
            rules[count].description))
        ++count;
    LogHostCall("DD.AddRules", kind, static_cast<int>(count));
    if (!kind || !rules || count == kMaxDropRules || DD().refusedKinds.count(kind))
        return 0;
    HostDropRuleSet set;
    for (size_t i = 0; i < count; ++i) {
        const DropRule& r = rules[i];
        set.rules.push_back({r.pattern ? r.pattern : "", r.command ? r.command : "", r.effect,
                             r.description ? r.description : "", r.pattern && r.command});
    }
    DD().sets[kind] = std::move(set);
    DD().addOrder.push_back(kind);
    return 1;
}
int __cdecl CallEntry16(void*, uint32_t a, uint32_t b) {
    return LogHostCall("DD.CallEntry16", a, b), 1;
}
int __cdecl RegisterDropTarget(void*, const char* kind, int id) {
    return LogHostCall("DD.RegisterDropTarget", kind, id), 1;
}
int __cdecl UnregisterDropTarget(void*, const char* kind, int id) {
    return LogHostCall("DD.UnregisterDropTarget", kind, id), 1;
}
int __cdecl CommitRules(void*, const char* kind) {
    LogHostCall("DD.CommitRules", kind);
    auto set = kind ? DD().sets.find(kind) : DD().sets.end();
    if (set == DD().sets.end())
        return 0;
    set->second.committed = true;
    return 1;
}
int __cdecl RegisterDragSource(void*, const char* kind, int id) {
    return LogHostCall("DD.RegisterDragSource", kind, id), 1;
}
int __cdecl UnregisterDragSource(void*, const char* kind, int id) {
    return LogHostCall("DD.UnregisterDragSource", kind, id), 1;
}
int __cdecl StartDrag(void*, const char* kind, int id, const char* dragKind, void* record) {
    LogHostCall("DD.StartDrag", kind, id, dragKind);
    HostDragRecord* r = FindRecord(record);
    HostDragDrop& dd = DD();
    dd.dragging = r && kind;
    if (!dd.dragging)
        return 0;
    dd.sourceKind = kind;
    dd.sourceId = id;
    dd.sourceType = dragKind ? dragKind : "";
    dd.dragProperties = r->properties;
    dd.keyState = 0;
    return 1;
}

// The effect the point's first fitting rule offers, 0 when none fits; the offer is logged with
// the rule's description.
uint32_t Offer(const char* kind, int id, const char* target) {
    if (!DD().dragging || !kind)
        return 0;
    const HostDropPoint point{kind, id, target ? target : ""};
    const DragProperties properties = DropPointProperties(point);
    const HostDropRule* rule = FindDropRule(point, properties);
    if (!rule)
        return 0;
    std::string description;
    if (!ExpandPlaceholders(rule->description, properties, description))
        description = rule->description;
    LogHostCall("DD.Offer", rule->effect, description.c_str());
    return rule->effect;
}

int __cdecl DragEnter(void*, const char* kind, int id, const char* target, uint32_t keys,
                      uint32_t* effect) {
    LogHostCall("DD.DragEnter", kind, id, target, keys);
    DD().keyState = keys;
    const uint32_t offered = Offer(kind, id, target);
    if (effect)
        *effect = offered;
    return static_cast<int>(offered);
}
int __cdecl DragOver(void*, const char* kind, int id, const char* target, uint32_t keys,
                     uint32_t* effect) {
    LogHostCall("DD.DragOver", kind, id, target, keys);
    DD().keyState = keys;
    const uint32_t offered = Offer(kind, id, target);
    if (effect)
        *effect = offered;
    return static_cast<int>(offered);
}
int __cdecl DragLeave(void*, const char* kind, int id) {
    return LogHostCall("DD.DragLeave", kind, id), 0;
}
// The drop ends the drag; the rule's command goes to the target with its placeholders filled.
int __cdecl Drop(void*, const char* kind, int id, const char* target) {
    LogHostCall("DD.Drop", kind, id, target);
    HostDragDrop& dd = DD();
    if (!dd.dragging || !kind)
        return 0;
    const HostDropPoint point{kind, id, target ? target : ""};
    const DragProperties properties = DropPointProperties(point);
    dd.dragging = false;
    const HostDropRule* rule = FindDropRule(point, properties);
    std::string command;
    if (!rule || !ExpandPlaceholders(rule->command, properties, command))
        return 0;
    LogHostCall("DD.Command", command.c_str());
    dd.commands.push_back(command);
    // The target carries the command out; one it cannot take answers the host's error (the
    // drop itself has happened).
    RunHostCommandLine(command.c_str());
    return static_cast<int>(rule->effect);
}

void SetFlag(DragProperties& properties, const char* key, bool on) {
    if (on)
        properties[key] = "";
    else
        properties.erase(key);
}

} // namespace

DragProperties DropPointProperties(const HostDropPoint& point) {
    const HostState& s = HostState::Get();
    const HostDragDrop& dd = s.dragDrop;
    DragProperties properties = dd.dragProperties;
    if (dd.targetItem)
        dd.targetItem(point, properties);
    properties["SOURCE_NAME"] = dd.sourceKind;
    properties["SOURCE_ID"] = std::to_string(dd.sourceId);
    properties["TARGET_ID"] = std::to_string(point.id);
    if (!dd.sourceType.empty())
        properties["SOURCE_TYPE"] = dd.sourceType;
    if (!point.targetType.empty())
        properties["TARGET_TYPE"] = point.targetType;
    SetFlag(properties, "SELF", point.kind == dd.sourceKind && point.id == dd.sourceId);
    SetFlag(properties, "KEYSTATE_CTRL", (dd.keyState & MK_CONTROL) != 0);
    const HostOptions& o = s.options;
    const bool extension = o.extension && (o.major > 3 || (o.major == 3 && o.minor >= 3));
    SetFlag(properties, "EXTENSION_MODE", extension);
    // The switch back to the active core is offered only for a drag from another core.
    properties.erase("ACTIVECOREID");
    const auto core = properties.find("COREID");
    const std::string active = std::to_string(s.activeCore);
    if (o.cores > 1 && core != properties.end() && core->second != active)
        properties["ACTIVECOREID"] = active;
    return properties;
}

// A rule fits when its pattern holds and its command names no property the drag lacks.
const HostDropRule* FindDropRule(const HostDropPoint& point, const DragProperties& properties) {
    const auto set = HostState::Get().dragDrop.sets.find(point.kind);
    if (set == HostState::Get().dragDrop.sets.end())
        return nullptr;
    for (const HostDropRule& rule : set->second.rules) {
        std::string command;
        if (rule.complete && PatternHolds(rule.pattern, properties) &&
            ExpandPlaceholders(rule.command, properties, command))
            return &rule;
    }
    return nullptr;
}

void FillDragDropComponent(CocoComponent& component, IDragDrop& service) {
    service = IDragDrop{};
    auto set = [&service](unsigned n, auto fn) { service.word[n] = reinterpret_cast<void*>(fn); };
    set(5, &Init);
    set(10, &BeginRecord);
    set(11, &EndRecord);
    set(12, &AddString);
    set(13, &AddInteger);
    set(15, &AddRules);
    set(16, &CallEntry16);
    set(19, &RegisterDropTarget);
    set(20, &UnregisterDropTarget);
    set(22, &CommitRules);
    set(23, &RegisterDragSource);
    set(24, &UnregisterDragSource);
    set(26, &StartDrag);
    set(27, &DragEnter);
    set(28, &DragOver);
    set(29, &DragLeave);
    set(30, &Drop);
    component = CocoComponent{};
    component.word[3] = &service;
}
