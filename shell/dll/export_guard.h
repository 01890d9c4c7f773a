// Every export runs inside one exception guard and one export scope.
#pragma once

#include "framework/core/guard.h"
#include "shell/app/lifecycle.h"

template <class R, class F> R GuardExport(LPCWSTR lpszName, R failure, F&& f) noexcept {
    return AfxGuardLibraryEntry(lpszName, failure, [&]() -> R {
        ExportScope scope;
        return f();
    });
}
