// The registered makers of the docking frames' menu plug-ins.
#include "docking/frame_menu.h"

namespace {
// Made on first use: registrations run while the program's statics are set up, in no order.
const SECMenuPlugInFactory*& Slot(SECMenuPlugInFactory::Kind kind) {
    static const SECMenuPlugInFactory* s_factories[SECMenuPlugInFactory::kindCount] = {};
    return s_factories[kind];
}
} // namespace

const SECMenuPlugInFactory* SECMenuPlugInFactory::Get(Kind kind) {
    return kind >= 0 && kind < kindCount ? Slot(kind) : nullptr;
}

void SECMenuPlugInFactory::Register(Kind kind, const SECMenuPlugInFactory* pFactory) {
    if (kind >= 0 && kind < kindCount)
        Slot(kind) = pFactory;
}
