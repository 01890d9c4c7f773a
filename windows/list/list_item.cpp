#include "windows/list/list_item.h"

namespace {
// An empty host text shows as one blank, so the row keeps its height and its label.
CString HostText(const char* text) {
    if (text == nullptr || *text == 0)
        return CString(L" ");
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1)
        return CString(L" ");
    CString wide;
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.GetBuffer(n), n);
    wide.ReleaseBuffer();
    return wide;
}
const CString& Blank() {
    static const CString blank(L" ");
    return blank;
}
} // namespace

CListItem::CListItem(const ListItemRecord& record, int nColumns) {
    Assign(record, nColumns);
}

void CListItem::Assign(const ListItemRecord& record, int nColumns) {
    m_flags = record.flags & ~ListItemFlag::expanded;
    m_images = (uint32_t(record.image) << 16) | record.stateImage;
    m_word = record.word;
    m_texts.clear();
    m_texts.reserve(nColumns > 0 ? nColumns : 1);
    for (int i = 0; i < nColumns; ++i)
        m_texts.push_back(HostText(record.texts != nullptr ? record.texts[i] : nullptr));
    if (record.data != nullptr && record.dataLength > 0) {
        const auto* p = static_cast<const BYTE*>(record.data);
        m_data.assign(p, p + record.dataLength);
    } else {
        m_data.clear();
    }
    SetMarks();
}

void CListItem::SetMarks() {
    m_bBold = (m_flags & ListItemFlag::bold) ? 1 : 0;
    m_bItalic = 0;
    m_bGrey = (m_flags & ListItemFlag::grey) ? 1 : 0;
    m_bSecond = (m_flags & ListItemFlag::second) && !(m_flags & ListItemFlag::secondOff) ? 1 : 0;
}

const CString& CListItem::Text(int nColumn) const {
    if (nColumn < 0 || nColumn >= (int)m_texts.size())
        return Blank();
    return m_texts[nColumn];
}

void CListItem::SetText(int nColumn, const CString& text) {
    if (nColumn < 0)
        return;
    if (nColumn >= (int)m_texts.size())
        m_texts.resize(nColumn + 1, Blank());
    m_texts[nColumn] = text.IsEmpty() ? Blank() : text;
}

CString CListItem::CopyText() const {
    CString text;
    for (const CString& column : m_texts) {
        text += column;
        text += L'\t';
    }
    return text;
}
