// The archive forms of the text model and of its parts.
#include "editor/edit_model.h"
#include "editor/lang_registry.h"
#include "framework/core/archive.h"

#include <algorithm>
#include <climits>
#include <vector>

void SECEditTextBlock::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        const int length = GetTextLength();
        const wchar_t* text = Span(0, length);
        ar.WriteCount(static_cast<DWORD_PTR>(length) + 1);
        ar.Write(text, static_cast<UINT>(length * sizeof(wchar_t)));
        ar << static_cast<WORD>(0);
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(INT_MAX / sizeof(wchar_t)))
        AfxThrowArchiveException(CArchiveException::badIndex);
    // Read piece by piece: the count comes from the file, and a damaged one must end in an
    // archive error once the bytes run out, not in one allocation of whatever it says.
    constexpr DWORD_PTR kPiece = 65536;
    std::vector<wchar_t> data;
    for (DWORD_PTR done = 0; done < count;) {
        const DWORD_PTR n = std::min(kPiece, count - done);
        data.resize(done + n);
        const UINT bytes = static_cast<UINT>(n * sizeof(wchar_t));
        if (ar.Read(data.data() + done, bytes) != bytes)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        done += n;
    }
    if (data.empty() || data.back() != L'\0')
        data.push_back(L'\0'); // the block always ends in its NUL
    Assign(data.data(), static_cast<int>(data.size()));
}

void SECEditLineColouring::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_size));
        for (int i = 0; i < m_size; ++i)
            ar << static_cast<DWORD>(Data()[i]);
        return;
    }
    RemoveAll();
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        DWORD s = 0;
        ar >> s;
        Push(s);
    }
}

void SECEditSpanList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(m_spans.size());
        for (const SECEditSpan& s : m_spans)
            ar << static_cast<LONG>(s.m_start.m_line) << static_cast<LONG>(s.m_start.m_column)
               << static_cast<LONG>(s.m_end.m_line) << static_cast<LONG>(s.m_end.m_column)
               << static_cast<LONG>(s.m_group);
        return;
    }
    m_spans.clear();
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        LONG v[5] = {};
        for (LONG& x : v)
            ar >> x;
        m_spans.emplace_back(SECEditRange(v[0], v[1], v[2], v[3]), v[4]);
    }
}

void SECEditModel::SerializeText(CArchive& ar) {
    if (ar.IsStoring()) {
        CString text;
        GetAllText(text);
        ar << text;
        return;
    }
    CString text;
    ar >> text;
    SetText(text, text.GetLength());
    ClearUndo();
    m_savedTop = 0;
    m_modified = FALSE;
}

void SECEditModel::SerializeLanguage(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << (m_langConfig ? m_langConfig->GetName() : CString(L"Default"));
        return;
    }
    CString name;
    ar >> name;
    SetLangConfigByName(name);
}

void SECEditModel::Serialize(CArchive& ar) {
    SerializeText(ar);
    SerializeLanguage(ar);
}
