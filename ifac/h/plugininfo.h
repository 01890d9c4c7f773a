// The host's record of one loaded library, handed to PluginDialog as a tree: texts are 8-bit,
// every field is one word, and the records are linked by first child and next sibling.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

namespace PluginFlags {
constexpr uintptr_t expanded = 0x1; // shown expanded, unless collapsed is also set
constexpr uintptr_t plugin = 0x2;   // a plug-in, not a plain library: marked "*"
constexpr uintptr_t hidden = 0x4;   // neither it nor its children are shown or written
constexpr uintptr_t hidden2 = 0x8;  // the same as hidden
constexpr uintptr_t collapsed = 0x10;
} // namespace PluginFlags

struct PluginInfoNode {
    void* item;          // word 0: the dialog writes the tree item that shows the record
    uintptr_t flags;     // word 1: PluginFlags
    uintptr_t reserved2; // word 2: the host's
    const char* path;    // word 3
    const char* name;    // word 4
    const char* description;
    const char* version;
    const char* command; // word 7
    uintptr_t reserved8, reserved9;
    PluginInfoNode* firstChild; // word 10
    PluginInfoNode* next;       // word 11
};
MOX_WIRE32_ASSERT(sizeof(PluginInfoNode) == 48, "twelve words");
MOX_WIRE32_ASSERT(offsetof(PluginInfoNode, path) == 12, "path at word 3");
MOX_WIRE32_ASSERT(offsetof(PluginInfoNode, command) == 28, "command at word 7");
MOX_WIRE32_ASSERT(offsetof(PluginInfoNode, firstChild) == 40, "first child at word 10");
MOX_WIRE32_ASSERT(offsetof(PluginInfoNode, next) == 44, "next sibling at word 11");
