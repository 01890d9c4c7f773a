// The drag-and-drop component and its service: every entry records its call.
#include "host/lib/host_state.h"

namespace {

int __cdecl Init(void*) {
    return LogHostCall("DD.Init"), 1;
}
int __cdecl BeginRecord(void*, int kind, void** record) {
    LogHostCall("DD.BeginRecord", kind);
    static int dummyRecord;
    if (record)
        *record = &dummyRecord;
    return 1;
}
int __cdecl EndRecord(void*, int kind, void*) {
    return LogHostCall("DD.EndRecord", kind), 1;
}
int __cdecl AddString(void*, void*, int index, const char* key, const char* text) {
    return LogHostCall("DD.AddString", index, key, text), 1;
}
int __cdecl AddInteger(void*, void*, int index, const char* key, int value) {
    return LogHostCall("DD.AddInteger", index, key, value), 1;
}
int __cdecl AddRules(void*, const char* kind, const DropRule* rules) {
    int count = 0;
    while (rules && (rules[count].pattern || rules[count].command || rules[count].effect ||
                     rules[count].description))
        ++count;
    return LogHostCall("DD.AddRules", kind, count), 1;
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
    return LogHostCall("DD.CommitRules", kind), 1;
}
int __cdecl RegisterDragSource(void*, const char* kind, int id) {
    return LogHostCall("DD.RegisterDragSource", kind, id), 1;
}
int __cdecl UnregisterDragSource(void*, const char* kind, int id) {
    return LogHostCall("DD.UnregisterDragSource", kind, id), 1;
}
int __cdecl StartDrag(void*, const char* kind, int id, const char* dragKind, void*) {
    return LogHostCall("DD.StartDrag", kind, id, dragKind), 0;
}
int __cdecl DragEnter(void*, const char* kind, int id, const char* target, uint32_t keys,
                      uint32_t* effect) {
    LogHostCall("DD.DragEnter", kind, id, target, keys);
    if (effect)
        *effect = 0;
    return 0;
}
int __cdecl DragOver(void*, const char* kind, int id, const char* target, uint32_t keys,
                     uint32_t* effect) {
    LogHostCall("DD.DragOver", kind, id, target, keys);
    if (effect)
        *effect = 0;
    return 0;
}
int __cdecl DragLeave(void*, const char* kind, int id) {
    return LogHostCall("DD.DragLeave", kind, id), 0;
}
int __cdecl Drop(void*, const char* kind, int id, const char* target) {
    return LogHostCall("DD.Drop", kind, id, target), 0;
}

} // namespace

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
