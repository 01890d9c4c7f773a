// Direct host calls of a source window run on the window's core: on a multi-core host the
// guard selects the view's core in fixed mode and gives the host back its core and mode when it
// goes.
#pragma once

#include "shell/hostlink.h"
#include "windows/source/src_view.h"

class CSourceCoreSwitch {
public:
    explicit CSourceCoreSwitch(const CTarvikView& view) : m_scope(view.GetCoreId()) {}

private:
    HostCoreScope m_scope;
};
