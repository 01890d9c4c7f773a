// How the editor treats one language: options, font, colour groups, keywords, the character
// classes of the colouring scanner and the tags that enclose comments and strings.
#pragma once

#include "editor/mvc_model.h"
#include "framework/core/cstring.h"
#include "framework/core/object.h"

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// {6D2A25C1-BE4A-4F2C-9CD2-E461B7D0DA49}
constexpr GUID IID_ISECEditLangConfig = {
    0x6D2A25C1, 0xBE4A, 0x4F2C, {0x9C, 0xD2, 0xE4, 0x61, 0xB7, 0xD0, 0xDA, 0x49}};

class SECEditCharSet {
public:
    virtual ~SECEditCharSet() = default;
    virtual BOOL Contains(wchar_t ch) const { return m_bits.test(ch); }
    // The same answer without a virtual call, for the scanners that ask for every character.
    bool Has(wchar_t ch) const { return m_bits.test(ch); }
    // 0xFFFF is never a member.
    virtual void Set(wchar_t ch, BOOL on) {
        if (ch != 0xFFFF)
            m_bits.set(ch, on != FALSE);
    }
    void Add(const wchar_t* chars);
    void Clear() { m_bits.reset(); }
    // The members in ascending order.
    CString List() const;

private:
    std::bitset<65536> m_bits;
};

class SECEditColorGroup {
public:
    COLORREF m_foreground = 0;
    COLORREF m_background = 0xFFFFFF;
    BOOL m_foreColorAutomatic = FALSE;
    BOOL m_backColorAutomatic = FALSE;
    uint16_t m_id = 0;
    CString m_displayName;
    BOOL m_configurable = TRUE;
};

class SECEditTag {
public:
    virtual ~SECEditTag() = default;
    CString m_beginTag;
    CString m_endTag;
    CString m_escapeChar;
    uint16_t m_group = 0;
    BOOL m_multiLine = FALSE;
};

enum SECEditCharClass {
    SECEDIT_KWSTART = 0,
    SECEDIT_KWMIDDLE = 1,
    SECEDIT_KWEND = 2,
    SECEDIT_DELIMITERS = 3,
    SECEDIT_OPERATORS = 4,
};

enum SECEditGroupKind {
    SECEDIT_GROUP_TEXT = 0,
    SECEDIT_GROUP_SELECTION = 1,
    SECEDIT_GROUP_NUMBER = 2,
    SECEDIT_GROUP_OPERATOR = 3,
};

class ISECEditLangConfig : public corvalis::foundation::ISubject {
public:
    virtual BOOL GetAutoIndent() const = 0;
    virtual SECEditColorGroup* GetColorGroup(int index) const = 0;
    virtual int GetColorGroupCount() const = 0;
    virtual SECEditColorGroup* GetDefaultColorGroup(int kind) const = 0;
    virtual uint16_t GetDefaultGroupIndex(int kind) const = 0;
    virtual const std::vector<std::unique_ptr<SECEditColorGroup>>& GetColorGroups() const = 0;
    virtual BOOL GetBold() const = 0;
    virtual CString GetFaceName() const = 0;
    virtual BOOL GetItalic() const = 0;
    virtual int GetSize() const = 0;
    virtual CString GetName() const = 0;
    virtual BOOL GetMatchCase() const = 0;
    virtual BOOL GetReplaceTabs() const = 0;
    virtual BOOL GetShowWhitespace() const = 0;
    virtual SECEditTag* FindTag(const wchar_t* text, int length, int exactLength,
                                int which) const = 0;
    virtual void GetKeywords(std::vector<CString>& list) const = 0;
    virtual void GetTags(std::vector<SECEditTag*>& list, int which) const = 0;
    virtual int GetTabSize() const = 0;
    virtual BOOL GetVirtualWhitespace() const = 0;
    virtual int ClassifyWord(const wchar_t* text, int length, int& group) const = 0;
    virtual BOOL IsCharInClass(wchar_t ch, int charClass) const = 0;
    virtual void SetAutoIndent(BOOL on) = 0;
    virtual void SetBold(BOOL on) = 0;
    virtual void SetFaceName(const wchar_t* face) = 0;
    virtual void SetItalic(BOOL on) = 0;
    virtual void SetSize(int points) = 0;
    virtual void SetCharClass(const wchar_t* chars, int charClass, BOOL replace) = 0;
    virtual void SetName(const wchar_t* name) = 0;
    virtual void SetMatchCase(BOOL on) = 0;
    virtual void SetReplaceTabs(BOOL on) = 0;
    virtual void SetShowWhitespace(BOOL on) = 0;
    virtual void SetTabSize(int columns) = 0;
    virtual void SetVirtualWhitespace(BOOL on) = 0;

protected:
    ~ISECEditLangConfig() = default;
};

class SECEditLangConfig : public CObject, public ISECEditLangConfig {
    DECLARE_SERIAL(SECEditLangConfig)
public:
    SECEditLangConfig();
    ~SECEditLangConfig() override;

    static constexpr int kMinTabSize = 1;
    static constexpr int kMaxTabSize = 64;
    static constexpr int kMaxFaceName = 31;
    // Group indexes are 16 bits wide, so at most 65,536 groups; a file names at most this many.
    static constexpr int kMaxColorGroups = 65535;

    // ISubject and reference counting; the last Release deletes the configuration.
    bool QueryGuid(const GUID& guid, void** out) override;
    int32_t AddRef() override { return ++m_refCount; }
    int32_t Release() override;
    void AddObserver(corvalis::foundation::IObserver* o) override { m_observers.Add(o); }
    void RemoveObserver(corvalis::foundation::IObserver* o) override { m_observers.Remove(o); }
    void NotifyObservers(corvalis::foundation::IObserver* sender,
                         corvalis::foundation::IMessage* message) override {
        m_observers.Notify(this, sender, message);
    }

    BOOL GetAutoIndent() const override { return m_autoIndent; }
    SECEditColorGroup* GetColorGroup(int index) const override;
    int GetColorGroupCount() const override { return static_cast<int>(m_groups.size()); }
    SECEditColorGroup* GetDefaultColorGroup(int kind) const override {
        return GetColorGroup(GetDefaultGroupIndex(kind));
    }
    uint16_t GetDefaultGroupIndex(int kind) const override;
    const std::vector<std::unique_ptr<SECEditColorGroup>>& GetColorGroups() const override {
        return m_groups;
    }
    BOOL GetBold() const override { return m_bold; }
    CString GetFaceName() const override { return m_faceName; }
    BOOL GetItalic() const override { return m_italic; }
    int GetSize() const override { return m_size; }
    CString GetName() const override { return m_name; }
    BOOL GetMatchCase() const override { return m_matchCase; }
    BOOL GetReplaceTabs() const override { return m_replaceTabs; }
    BOOL GetShowWhitespace() const override { return m_showWhitespace; }
    SECEditTag* FindTag(const wchar_t* text, int length, int exactLength, int which) const override;
    void GetKeywords(std::vector<CString>& list) const override;
    void GetTags(std::vector<SECEditTag*>& list, int which) const override;
    int GetTabSize() const override { return m_tabSize; }
    BOOL GetVirtualWhitespace() const override { return m_virtualWhitespace; }
    int ClassifyWord(const wchar_t* text, int length, int& group) const override;
    BOOL IsCharInClass(wchar_t ch, int charClass) const override;
    // The set that IsCharInClass answers from (null for no class): the colouring scanner asks
    // it for every character of a line.
    const SECEditCharSet* GetCharSet(int charClass) const {
        switch (charClass) {
        case SECEDIT_KWSTART:
            return &m_kwStart;
        case SECEDIT_KWMIDDLE:
            return &m_kwMiddle;
        case SECEDIT_KWEND:
            return &m_kwEnd;
        case SECEDIT_DELIMITERS:
            return &m_delimiters;
        case SECEDIT_OPERATORS:
            return &m_operators;
        default:
            return nullptr;
        }
    }
    void SetAutoIndent(BOOL on) override { m_autoIndent = on; }
    void SetBold(BOOL on) override { m_bold = on; }
    void SetFaceName(const wchar_t* face) override;
    void SetItalic(BOOL on) override { m_italic = on; }
    void SetSize(int points) override;
    void SetCharClass(const wchar_t* chars, int charClass, BOOL replace) override;
    void SetName(const wchar_t* name) override { m_name = name; }
    void SetMatchCase(BOOL on) override { m_matchCase = on; }
    void SetReplaceTabs(BOOL on) override { m_replaceTabs = on; }
    void SetShowWhitespace(BOOL on) override { m_showWhitespace = on; }
    void SetTabSize(int columns) override;
    void SetVirtualWhitespace(BOOL on) override { m_virtualWhitespace = on; }

    void Serialize(CArchive& ar) override;
    virtual void Clear();
    virtual void SetDefaults();

    // Editing the tables (the readers use these).
    // Adds a group or replaces the one of the same name in place; returns its index, or -1
    // when a new group would need an index wider than 16 bits.
    int PutColorGroup(const CString& name, std::unique_ptr<SECEditColorGroup> group);
    // The index of a named group, or -1.
    int FindColorGroup(const CString& name) const;
    CString GetColorGroupName(int index) const;
    // The name of every group by index (empty for a group without a name), in one pass.
    std::vector<CString> GetColorGroupNames() const;
    void PutTag(std::unique_ptr<SECEditTag> tag);
    void PutKeyword(const CString& keyword, uint16_t group);
    void RebuildFoldedKeywords();
    void RefreshDefaultGroups();
    // Every keyword with its group index, in the order of the keywords; the pointers last until
    // the keywords change.
    void GetKeywordEntries(std::vector<std::pair<const std::wstring*, uint16_t>>& entries) const;
    // Every tag with its begin text, in the tag map.
    void GetTagEntries(std::vector<std::pair<CString, SECEditTag*>>& entries) const;
    // The index of the group named "Highlight", or -1 when there is none.
    int GetHighlightGroup() const { return FindColorGroup(L"Highlight"); }

private:
    SECEditCharSet* ClassSet(int charClass);
    const SECEditCharSet* ClassSet(int charClass) const;
    // The first characters of every tag and keyword (and of their lower-case forms): most
    // tokens begin with none of them and need no lookup. Rebuilt when next needed after a
    // change.
    void BuildStartFilters() const;
    void ForgetStartFilters() { m_startFiltersKnown = false; }

    CString m_name;
    int32_t m_refCount = 1;
    BOOL m_showWhitespace = FALSE;
    BOOL m_replaceTabs = FALSE;
    BOOL m_virtualWhitespace = FALSE;
    int32_t m_tabSize = 4;
    BOOL m_autoIndent = FALSE;
    BOOL m_matchCase = TRUE;
    CString m_faceName;
    int32_t m_size = 10;
    BOOL m_italic = FALSE;
    BOOL m_bold = FALSE;
    std::unordered_map<std::wstring, uint16_t> m_keywords;
    corvalis::foundation::ObserverList m_observers;
    SECEditCharSet m_kwStart, m_kwEnd, m_kwMiddle, m_delimiters, m_operators;
    std::unordered_map<std::wstring, std::unique_ptr<SECEditTag>> m_tags;
    std::unordered_map<std::wstring, uint16_t> m_groupNames;
    std::vector<std::unique_ptr<SECEditColorGroup>> m_groups;
    uint16_t m_defaultGroups[4] = {0, 1, 2, 3};
    std::unordered_map<std::wstring, std::wstring> m_foldedKeywords;
    mutable std::wstring m_scratch;
    mutable SECEditCharSet m_tagStarts, m_keywordStarts;
    // Every tag by the first character of its begin text. While each begin text's beginnings
    // are entries of their own and no begin text begins another, the tag a text starts with is
    // the one of these whose begin text it starts with, found without a lookup.
    mutable std::vector<std::pair<wchar_t, SECEditTag*>> m_tagsByStart;
    mutable bool m_tagsByStartExact = false;
    mutable size_t m_longestKeyword = 0;
    mutable bool m_startFiltersKnown = false;
};
