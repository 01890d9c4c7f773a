#include "editor/lang_config.h"

#include "editor/edit_msg.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string_view>

void SECEditCharSet::Add(const wchar_t* chars) {
    for (; chars && *chars; ++chars)
        Set(*chars, TRUE);
}

CString SECEditCharSet::List() const {
    CString out;
    for (unsigned ch = 0; ch < 0xFFFF; ++ch)
        if (m_bits.test(ch))
            out.AppendChar(static_cast<wchar_t>(ch));
    return out;
}

SECEditLangConfig::SECEditLangConfig() : m_name(L"Default") {
    SetDefaults();
}

SECEditLangConfig::~SECEditLangConfig() = default;

bool SECEditLangConfig::QueryGuid(const GUID& guid, void** out) {
    using namespace corvalis::foundation;
    if (SameGuid(guid, IID_ISECEditLangConfig) || SameGuid(guid, IID_IRefCount)) {
        *out = static_cast<ISECEditLangConfig*>(this);
        return true;
    }
    if (SameGuid(guid, IID_IQueryGuid)) {
        *out = static_cast<IRefCount*>(static_cast<ISECEditLangConfig*>(this));
        return true;
    }
    *out = nullptr;
    return false;
}

int32_t SECEditLangConfig::Release() {
    const int32_t count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

SECEditColorGroup* SECEditLangConfig::GetColorGroup(int index) const {
    // Indexes come from files and archives: one out of range falls back to the text group.
    if (index < 0 || index >= GetColorGroupCount())
        index = 0;
    return m_groups.empty() ? nullptr : m_groups[index].get();
}

uint16_t SECEditLangConfig::GetDefaultGroupIndex(int kind) const {
    return (kind >= 0 && kind < 4) ? m_defaultGroups[kind] : 0;
}

void SECEditLangConfig::SetFaceName(const wchar_t* face) {
    m_faceName = CString(face ? face : L"").Left(kMaxFaceName);
}

void SECEditLangConfig::SetSize(int points) {
    if (points > 0 && points <= 1638)
        m_size = points;
}

void SECEditLangConfig::SetTabSize(int columns) {
    // Everything that expands tabs divides by the tab size.
    m_tabSize = std::max(kMinTabSize, std::min(kMaxTabSize, columns));
}

SECEditCharSet* SECEditLangConfig::ClassSet(int charClass) {
    return const_cast<SECEditCharSet*>(GetCharSet(charClass));
}

const SECEditCharSet* SECEditLangConfig::ClassSet(int charClass) const {
    return GetCharSet(charClass);
}

BOOL SECEditLangConfig::IsCharInClass(wchar_t ch, int charClass) const {
    const SECEditCharSet* set = ClassSet(charClass);
    return set ? set->Contains(ch) : FALSE;
}

void SECEditLangConfig::SetCharClass(const wchar_t* chars, int charClass, BOOL replace) {
    SECEditCharSet* set = ClassSet(charClass);
    if (!set)
        return;
    if (replace)
        set->Clear();
    set->Add(chars);
    SECEditMsg msg(SECEDIT_HINT_RECOLOUR);
    NotifyObservers(nullptr, &msg);
}

void SECEditLangConfig::Clear() {
    ForgetStartFilters();
    m_keywords.clear();
    m_foldedKeywords.clear();
    m_kwStart.Clear();
    m_kwEnd.Clear();
    m_kwMiddle.Clear();
    m_delimiters.Clear();
    m_operators.Clear();
    m_tags.clear();
    m_groupNames.clear();
    m_groups.clear();
}

void SECEditLangConfig::SetDefaults() {
    Clear();
    m_faceName = L"Courier";
    m_size = 10;
    m_italic = FALSE;
    m_bold = FALSE;
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    struct Builtin {
        const wchar_t* name;
        COLORREF fore, back;
        BOOL configurable;
    } const builtins[] = {{L"Text", text, window, TRUE},
                          {L"Text Selection", window, text, TRUE},
                          {L"Number", text, window, FALSE},
                          {L"Operator", text, window, FALSE}};
    for (const Builtin& b : builtins) {
        auto group = std::make_unique<SECEditColorGroup>();
        group->m_foreground = b.fore;
        group->m_background = b.back;
        group->m_foreColorAutomatic = TRUE;
        group->m_backColorAutomatic = TRUE;
        group->m_displayName = b.name;
        group->m_configurable = b.configurable;
        PutColorGroup(b.name, std::move(group));
    }
    RefreshDefaultGroups();
    m_tabSize = 4;
    m_autoIndent = m_showWhitespace = m_virtualWhitespace = m_replaceTabs = FALSE;
}

int SECEditLangConfig::FindColorGroup(const CString& name) const {
    auto it = m_groupNames.find(name.str());
    return it == m_groupNames.end() ? -1 : it->second;
}

CString SECEditLangConfig::GetColorGroupName(int index) const {
    for (const auto& entry : m_groupNames)
        if (entry.second == index)
            return CString(entry.first);
    return CString();
}

std::vector<CString> SECEditLangConfig::GetColorGroupNames() const {
    std::vector<CString> names(m_groups.size());
    for (const auto& entry : m_groupNames)
        if (entry.second < names.size())
            names[entry.second] = CString(entry.first);
    return names;
}

int SECEditLangConfig::PutColorGroup(const CString& name,
                                     std::unique_ptr<SECEditColorGroup> group) {
    const int existing = FindColorGroup(name);
    if (existing >= 0) {
        m_groups[existing] = std::move(group);
        return existing;
    }
    if (m_groups.size() > 0xFFFF)
        return -1;
    m_groups.push_back(std::move(group));
    const int index = static_cast<int>(m_groups.size()) - 1;
    m_groupNames[name.str()] = static_cast<uint16_t>(index);
    return index;
}

void SECEditLangConfig::RefreshDefaultGroups() {
    static const wchar_t* const kNames[] = {L"Text", L"Text Selection", L"Number", L"Operator"};
    for (int kind = 0; kind < 4; ++kind) {
        const int index = FindColorGroup(kNames[kind]);
        m_defaultGroups[kind] = static_cast<uint16_t>(index >= 0 ? index : 0);
    }
}

void SECEditLangConfig::PutTag(std::unique_ptr<SECEditTag> tag) {
    const std::wstring& begin = tag->m_beginTag.str();
    if (begin.empty())
        return;
    // Every prefix becomes a "longer tag may follow" entry; a tag that was entered under one
    // of them gives way to this one.
    for (size_t n = 1; n < begin.size(); ++n)
        m_tags[begin.substr(0, n)].reset();
    m_tags[begin] = std::move(tag);
    ForgetStartFilters();
}

void SECEditLangConfig::PutKeyword(const CString& keyword, uint16_t group) {
    m_keywords[keyword.str()] = group;
    ForgetStartFilters();
}

void SECEditLangConfig::RebuildFoldedKeywords() {
    ForgetStartFilters();
    m_foldedKeywords.clear();
    for (const auto& entry : m_keywords) {
        std::wstring lower = entry.first;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
        m_foldedKeywords[lower] = entry.first;
    }
}

namespace {

// Ordered as wmemcmp orders them; keywords share long prefixes, which this skips in
// eight-byte steps.
bool TextLess(std::wstring_view a, std::wstring_view b) {
    constexpr size_t step = sizeof(uint64_t) / sizeof(wchar_t);
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    for (; i + step <= n; i += step) {
        uint64_t x = 0, y = 0;
        std::memcpy(&x, a.data() + i, sizeof x);
        std::memcpy(&y, b.data() + i, sizeof y);
        if (x != y)
            break;
    }
    for (; i < n; ++i)
        if (a[i] != b[i])
            return a[i] < b[i];
    return a.size() < b.size();
}

} // namespace

void SECEditLangConfig::GetKeywordEntries(
    std::vector<std::pair<const std::wstring*, uint16_t>>& entries) const {
    // The keywords are copied side by side first: sorting them where the map keeps them would
    // chase two scattered allocations for every comparison.
    struct Item {
        size_t offset, length; // in `all`, which may move while it grows
        const std::pair<const std::wstring, uint16_t>* entry;
    };
    std::wstring all;
    all.reserve(m_keywords.size() * 16); // a guess: measuring first would walk the map twice
    std::vector<Item> items;
    items.reserve(m_keywords.size());
    for (const auto& entry : m_keywords) {
        items.push_back(Item{all.size(), entry.first.size(), &entry});
        all += entry.first;
    }
    const wchar_t* text = all.data();
    std::sort(items.begin(), items.end(), [text](const Item& a, const Item& b) {
        return TextLess(std::wstring_view(text + a.offset, a.length),
                        std::wstring_view(text + b.offset, b.length));
    });
    entries.clear();
    entries.reserve(items.size());
    for (const Item& item : items)
        entries.emplace_back(&item.entry->first, item.entry->second);
}

void SECEditLangConfig::GetKeywords(std::vector<CString>& list) const {
    std::vector<std::wstring> sorted;
    sorted.reserve(m_keywords.size());
    for (const auto& entry : m_keywords)
        sorted.push_back(entry.first);
    std::sort(sorted.begin(), sorted.end());
    for (const std::wstring& k : sorted)
        list.push_back(CString(k));
}

void SECEditLangConfig::GetTagEntries(std::vector<std::pair<CString, SECEditTag*>>& entries) const {
    entries.clear();
    for (const auto& entry : m_tags)
        if (entry.second)
            entries.emplace_back(CString(entry.first), entry.second.get());
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

void SECEditLangConfig::GetTags(std::vector<SECEditTag*>& list, int which) const {
    // Colouring asks for every line: no copies of the begin texts, and a list the caller
    // keeps needs no allocation.
    list.clear();
    for (const auto& entry : m_tags) {
        const SECEditTag* tag = entry.second.get();
        const BOOL multi = tag ? tag->m_multiLine : FALSE;
        if (tag && (which == 2 || (which == 1 && multi) || (which == 0 && !multi)))
            list.push_back(entry.second.get());
    }
    std::sort(list.begin(), list.end(), [](const SECEditTag* a, const SECEditTag* b) {
        return a->m_beginTag.str() < b->m_beginTag.str();
    });
}

void SECEditLangConfig::BuildStartFilters() const {
    m_tagStarts.Clear();
    m_keywordStarts.Clear();
    m_longestKeyword = 0;
    m_tagsByStart.clear();
    m_tagsByStartExact = true;
    for (const auto& entry : m_tags) {
        const std::wstring& key = entry.first;
        if (key.empty())
            continue;
        m_tagStarts.Set(key[0], TRUE);
        if (!entry.second)
            continue;
        m_tagsByStart.emplace_back(key[0], entry.second.get());
        // The entry's own key must be its begin text, and each shorter beginning an entry
        // without a tag; otherwise only the lookup of each beginning gives the right answer.
        if (entry.second->m_beginTag.str() != key)
            m_tagsByStartExact = false;
        for (size_t n = 1; n < key.size() && m_tagsByStartExact; ++n) {
            auto it = m_tags.find(key.substr(0, n));
            if (it == m_tags.end() || it->second)
                m_tagsByStartExact = false;
        }
    }
    std::sort(m_tagsByStart.begin(), m_tagsByStart.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : m_keywords) {
        if (entry.first.empty())
            continue;
        m_keywordStarts.Set(entry.first[0], TRUE);
        m_keywordStarts.Set(static_cast<wchar_t>(std::towlower(entry.first[0])), TRUE);
        m_longestKeyword = std::max(m_longestKeyword, entry.first.size());
    }
    // 0xFFFF is no member of a set: a word that begins with it is looked up every time.
    m_startFiltersKnown = true;
}

SECEditTag* SECEditLangConfig::FindTag(const wchar_t* text, int length, int exactLength,
                                       int which) const {
    if (length <= 0)
        return nullptr;
    if (!m_startFiltersKnown)
        BuildStartFilters();
    // Every begin text has an entry for each of its beginnings, the first character alone too.
    if (text[0] != 0xFFFF && !m_tagStarts.Has(text[0]))
        return nullptr;
    SECEditTag* candidate = nullptr;
    if (m_tagsByStartExact) {
        auto it = std::lower_bound(m_tagsByStart.begin(), m_tagsByStart.end(), text[0],
                                   [](const auto& entry, wchar_t c) { return entry.first < c; });
        for (; it != m_tagsByStart.end() && it->first == text[0] && !candidate; ++it) {
            const CString& begin = it->second->m_beginTag;
            const int n = begin.GetLength();
            if (n <= length && std::wmemcmp(text, begin, n) == 0)
                candidate = it->second;
        }
    } else {
        for (int n = 1; n <= length && !candidate; ++n) {
            m_scratch.assign(text, n);
            auto it = m_tags.find(m_scratch);
            if (it == m_tags.end())
                return nullptr;
            candidate = it->second.get();
        }
    }
    if (!candidate)
        return nullptr;
    if (exactLength != 0 && candidate->m_beginTag.GetLength() != exactLength)
        return nullptr;
    switch (which) {
    case 2:
        return candidate;
    case 1:
        return candidate->m_multiLine ? candidate : nullptr;
    case 0:
        return candidate->m_multiLine ? nullptr : candidate;
    default:
        return nullptr;
    }
}

int SECEditLangConfig::ClassifyWord(const wchar_t* text, int length, int& group) const {
    if (length <= 0)
        return 0;
    if (!m_startFiltersKnown)
        BuildStartFilters();
    const wchar_t first = text[0];
    const bool number = first >= L'0' && first <= L'9';
    // A word that no keyword can be is looked up no further (0xFFFF is never in a set).
    const bool mayBeKeyword =
        static_cast<size_t>(length) <= m_longestKeyword &&
        (first == 0xFFFF || m_keywordStarts.Has(first) ||
         (!m_matchCase && m_keywordStarts.Has(static_cast<wchar_t>(std::towlower(first)))));
    if (!mayBeKeyword) {
        if (number)
            group = GetDefaultGroupIndex(SECEDIT_GROUP_NUMBER);
        return number ? length : 0;
    }
    m_scratch.assign(text, length);
    auto it = m_keywords.find(m_scratch);
    if (it != m_keywords.end()) {
        group = it->second;
        return length;
    }
    if (!m_matchCase) {
        for (wchar_t& c : m_scratch)
            c = static_cast<wchar_t>(std::towlower(c));
        auto folded = m_foldedKeywords.find(m_scratch);
        if (folded != m_foldedKeywords.end()) {
            auto k = m_keywords.find(folded->second);
            if (k != m_keywords.end()) {
                group = k->second;
                return length;
            }
        }
    }
    if (text[0] >= L'0' && text[0] <= L'9') {
        group = GetDefaultGroupIndex(SECEDIT_GROUP_NUMBER);
        return length;
    }
    return 0;
}
