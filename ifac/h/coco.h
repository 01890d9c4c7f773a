// Component import: the host's __COCO__ entry hands out component objects by id. A component
// object is an array of plain C entries whose first argument is the object itself; its word 3
// is the pointer to the component's service.
#pragma once

#include <cstdint>

#include "ifac/h/wire32.h"

extern "C" typedef int(__cdecl* CocoFn)(uint32_t componentId, void** out);

// The drag-and-drop service's component.
constexpr uint32_t kDragDropComponentId = 0x16040004;

struct CocoComponent {
    void* word[16];

    static void* GetInterface(const CocoComponent* component) {
        return component ? component->word[3] : nullptr;
    }
    // The assembler window's drag record is built through the object's own words, in the shape
    // of the service's record entries: open a record of a kind, add keyed texts and integers.
    int BeginRecord(int kind, void** record) { return Call(9, kind, record); }
    int AddString(void* record, int index, const char* key, const char* text) {
        return Call(11, record, index, key, text);
    }
    int AddInteger(void* record, int index, const char* key, int value) {
        return Call(12, record, index, key, value);
    }

    template <typename R = int, typename... A> R Call(unsigned n, A... args) {
        using Fn = R(__cdecl*)(CocoComponent*, A...);
        if (n >= 16 || !word[n])
            return R();
        return reinterpret_cast<Fn>(word[n])(this, args...);
    }
};
MOX_WIRE32_ASSERT(sizeof(CocoComponent) == 64, "component object of 16 words");
