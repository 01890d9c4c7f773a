// Writing the text store to a file.
#include "editor/text_store.h"

#include "framework/core/exceptions.h"
#include "framework/core/file.h"

#include <algorithm>
#include <string>

namespace {

bool WriteHandle(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

bool WriteFramework(CFile* file, const void* data, DWORD size) {
    try {
        file->Write(data, size);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

} // namespace

BOOL SECEditTextStore::WriteChunkTo(const Sink& write, int offset, int count, BOOL unicode) {
    if (count <= 0)
        return TRUE;
    const wchar_t* text = Span(offset, offset + count);
    if (unicode)
        return write(text, static_cast<DWORD>(count) * sizeof(wchar_t));
    // Plain ASCII is the same in every ANSI code page: copy it straight.
    if (std::all_of(text, text + count, [](wchar_t c) { return c < 0x80; })) {
        std::string bytes(text, text + count);
        return write(bytes.data(), static_cast<DWORD>(count));
    }
    // Characters that the code page cannot hold would turn into '?' without a word: such a
    // conversion fails instead.
    CPINFOEXW info = {};
    GetCPInfoExW(CP_THREAD_ACP, 0, &info);
    const bool utf = info.CodePage == CP_UTF8 || info.CodePage == CP_UTF7;
    const DWORD flags = utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* lossy = utf ? nullptr : &usedDefault;
    // Ask for the size first: a code page may need more than two bytes for a character.
    const int size =
        WideCharToMultiByte(CP_THREAD_ACP, flags, text, count, nullptr, 0, nullptr, lossy);
    if (size <= 0 || usedDefault) {
        m_lossy = TRUE;
        return FALSE;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_THREAD_ACP, flags, text, count, &bytes[0], size, nullptr, lossy) !=
            size ||
        usedDefault) {
        m_lossy = TRUE;
        return FALSE;
    }
    return write(bytes.data(), static_cast<DWORD>(size));
}

BOOL SECEditTextStore::WriteChunk(HANDLE file, int offset, int count, BOOL unicode) {
    return WriteChunkTo([file](const void* d, DWORD n) { return WriteHandle(file, d, n); }, offset,
                        count, unicode);
}

BOOL SECEditTextStore::WriteChunk(CFile* file, int offset, int count, BOOL unicode) {
    return WriteChunkTo([file](const void* d, DWORD n) { return WriteFramework(file, d, n); },
                        offset, count, unicode);
}

BOOL SECEditTextStore::SaveTo(const Sink& write, BOOL unicode) {
    static const unsigned char kBom[] = {0xFF, 0xFE};
    m_lossy = FALSE;
    if (unicode && !write(kBom, sizeof kBom))
        return FALSE;
    const int length = TextLength();
    const wchar_t* text = Data(); // the gap goes behind the text and stays there
    for (int offset = 0; offset < length;) {
        int count = std::min(kSliceLength, length - offset);
        // Never split a surrogate pair: each half alone would not convert.
        if (offset + count < length && IS_HIGH_SURROGATE(text[offset + count - 1]) && count > 1)
            --count;
        if (!WriteChunkTo(write, offset, count, unicode))
            return FALSE;
        offset += count;
    }
    return TRUE;
}

BOOL SECEditTextStore::Save(HANDLE file, BOOL unicode) {
    return SaveTo([file](const void* d, DWORD n) { return WriteHandle(file, d, n); }, unicode);
}

BOOL SECEditTextStore::Save(CFile* file, BOOL unicode) {
    if (!file)
        return FALSE;
    return SaveTo([file](const void* d, DWORD n) { return WriteFramework(file, d, n); }, unicode);
}
