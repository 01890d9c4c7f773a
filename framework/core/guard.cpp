#include "framework/core/guard.h"

#include "framework/core/exceptions.h"

#include <exception>
#include <new>

namespace {
std::wstring Describe(CException* e) {
    wchar_t text[512] = L"";
    if (e->GetErrorMessage(text, 512) && text[0] != L'\0')
        return text;
    return std::wstring(L"framework exception ") +
           CString(e->GetRuntimeClass()->m_lpszClassName).GetString();
}

std::wstring Widen(const char* text) {
    return CString(text).GetString();
}
} // namespace

AfxCaughtException AfxCatchCurrent() noexcept {
    AfxCaughtException caught;
    try {
        try {
            throw;
        } catch (CException* e) {
            caught.kind = e->IsKindOf(RUNTIME_CLASS(CMemoryException))
                              ? AfxCaughtException::memory
                              : AfxCaughtException::framework;
            caught.text = Describe(e);
            e->Delete();
        } catch (const std::bad_alloc&) {
            caught.kind = AfxCaughtException::memory;
            caught.text = L"out of memory";
        } catch (const std::exception& e) {
            caught.kind = AfxCaughtException::standard;
            caught.text = Widen(e.what());
        } catch (...) {
            caught.kind = AfxCaughtException::unknown;
            caught.text = L"unknown exception";
        }
    } catch (...) {
        // Describing the exception failed (no memory for the text): the kind is still known.
    }
    return caught;
}

void AfxReportBoundaryException(LPCWSTR lpszWhere, LPCWSTR lpszWhat) {
    try {
        std::wstring text =
            std::wstring(L"Exception stopped in ") + lpszWhere + L": " + lpszWhat + L"\n";
        ::OutputDebugStringW(text.c_str());
    } catch (...) {
        ::OutputDebugStringW(L"Exception stopped at a boundary\n");
    }
}

void AfxReportBoundaryException(LPCWSTR lpszWhere, const AfxCaughtException& caught) {
    AfxReportBoundaryException(lpszWhere, caught.text.c_str());
}

void AfxRethrowAsArchiveException(LPCTSTR lpszArchiveName) {
    try {
        throw;
    } catch (CException*) {
        throw;
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    } catch (...) {
        AfxThrowArchiveException(CArchiveException::genericException, lpszArchiveName);
    }
}
