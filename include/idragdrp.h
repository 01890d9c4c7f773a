// The host's drag-and-drop service as the library sees it, and the rule record it registers.
// The service is an array of plain C entries; every entry takes the address of the service's
// word 1 (its context) first. Texts are 8-bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// One drag-and-drop rule: a pattern over the drag's properties, the command line to run with
// {PROPERTY} placeholders filled in, an OLE drop effect and a description. A set of rules ends
// with an all-zero rule.
struct DropRule {
    const char* pattern;
    const char* command;
    uint32_t effect;
    const char* description;
};
MOX_WIRE32_ASSERT(sizeof(DropRule) == 16, "DropRule is 16 bytes");
MOX_WIRE32_ASSERT(offsetof(DropRule, pattern) == 0, "pattern at 0");
MOX_WIRE32_ASSERT(offsetof(DropRule, command) == 4, "command at 4");
MOX_WIRE32_ASSERT(offsetof(DropRule, effect) == 8, "effect at 8");
MOX_WIRE32_ASSERT(offsetof(DropRule, description) == 12, "description at 12");

// Kinds of property record that a drag source begins.
enum DragRecordKind : int {
    kDragRecordAsmLine = 7, // opened through the component object, not the service
    kDragRecordSourceView = 9,
    kDragRecordMemoryNoItem = 10,
    kDragRecordItem = 13,
};

// The service itself: `this` is the service pointer that the component's word 3 holds.
struct IDragDrop {
    void* word[31];

    int Init() { return Call(5); }
    int BeginRecord(int kind, void** record) { return Call(10, kind, record); }
    int EndRecord(int kind, void* record) { return Call(11, kind, record); }
    int AddString(void* record, int index, const char* key, const char* text) {
        return Call(12, record, index, key, text);
    }
    int AddInteger(void* record, int index, const char* key, int value) {
        return Call(13, record, index, key, value);
    }
    int AddRules(const char* kind, const DropRule* rules) { return Call(15, kind, rules); }
    int CallEntry16(uint32_t a, uint32_t b) { return Call(16, a, b); }
    int RegisterDropTarget(const char* kind, int id) { return Call(19, kind, id); }
    int UnregisterDropTarget(const char* kind, int id) { return Call(20, kind, id); }
    int CommitRules(const char* kind) { return Call(22, kind); }
    int RegisterDragSource(const char* kind, int id) { return Call(23, kind, id); }
    int UnregisterDragSource(const char* kind, int id) { return Call(24, kind, id); }
    int StartDrag(const char* kind, int id, const char* dragKind, void* record) {
        return Call(26, kind, id, dragKind, record);
    }
    int DragEnter(const char* kind, int id, const char* target, uint32_t keys, uint32_t* effect) {
        return Call(27, kind, id, target, keys, effect);
    }
    int DragOver(const char* kind, int id, const char* target, uint32_t keys, uint32_t* effect) {
        return Call(28, kind, id, target, keys, effect);
    }
    int DragLeave(const char* kind, int id) { return Call(29, kind, id); }
    int Drop(const char* kind, int id, const char* target) { return Call(30, kind, id, target); }

private:
    // An entry the host left null is skipped rather than called.
    template <typename... A> int Call(unsigned n, A... args) {
        using Fn = int(__cdecl*)(void*, A...);
        if (!word[n])
            return 0;
        return reinterpret_cast<Fn>(word[n])(&word[1], args...);
    }
};
