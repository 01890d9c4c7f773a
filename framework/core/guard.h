// The one exception guard for every place where control returns to code that is not ours
// (window procedures, hooks, library entries, COM methods, callbacks): no exception may unwind
// into the system's frames. Each boundary kind has its policy, named for the boundary.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

class CException;

// What a guard caught, already released (a caught CException has been deleted).
struct AfxCaughtException {
    enum Kind { framework, memory, standard, unknown };
    Kind kind = unknown;
    std::wstring text;
};

// Classifies the exception being handled and deletes it when it is a framework exception. Call
// only from inside a catch block.
AfxCaughtException AfxCatchCurrent() noexcept;

// Writes a diagnostic about an exception stopped at a boundary.
void AfxReportBoundaryException(LPCWSTR lpszWhere, LPCWSTR lpszWhat);
void AfxReportBoundaryException(LPCWSTR lpszWhere, const AfxCaughtException& caught);

// Runs f; returns true when it returned, false (with the exception described in *pCaught) when
// it threw.
template <class F> bool AfxTryCall(F&& f, AfxCaughtException* pCaught) noexcept {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        *pCaught = AfxCatchCurrent();
        return false;
    }
}

// Window procedure, hook or callback: report, answer the default result.
template <class R, class F> R AfxGuardWndProc(LPCWSTR lpszWhere, R defaultResult, F&& f) noexcept {
    R result = defaultResult;
    AfxCaughtException caught;
    if (!AfxTryCall([&] { result = std::forward<F>(f)(); }, &caught)) {
        AfxReportBoundaryException(lpszWhere, caught);
        return defaultResult;
    }
    return result;
}

// Library entry (export, start-up, shutdown, clean-up): report, answer the failure value.
template <class R, class F> R AfxGuardLibraryEntry(LPCWSTR lpszWhere, R failure, F&& f) noexcept {
    return AfxGuardWndProc(lpszWhere, failure, std::forward<F>(f));
}

// Destructor or clean-up step that must not throw: report and go on.
template <class F> void AfxGuardCleanup(LPCWSTR lpszWhere, F&& f) noexcept {
    AfxCaughtException caught;
    if (!AfxTryCall(std::forward<F>(f), &caught))
        AfxReportBoundaryException(lpszWhere, caught);
}

// COM method: E_OUTOFMEMORY when memory ran out, E_UNEXPECTED for anything else.
template <class F> HRESULT AfxGuardComEntry(F&& f) noexcept {
    HRESULT hr = S_OK;
    AfxCaughtException caught;
    if (AfxTryCall([&] { hr = std::forward<F>(f)(); }, &caught))
        return hr;
    return caught.kind == AfxCaughtException::memory ? E_OUTOFMEMORY : E_UNEXPECTED;
}

// Archive reader: a framework exception goes on as it is; running out of memory becomes a
// CMemoryException and any other failure a CArchiveException naming the archive, so that the
// caller's usual framework handling sees every failure of a read.
[[noreturn]] void AfxRethrowAsArchiveException(LPCTSTR lpszArchiveName);
template <class F> auto AfxGuardArchiveRead(LPCTSTR lpszArchiveName, F&& f) -> decltype(f()) {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        AfxRethrowAsArchiveException(lpszArchiveName);
    }
}
