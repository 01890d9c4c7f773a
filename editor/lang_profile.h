// Language configurations kept in the application's profile (the registry under the
// application's key): sections named by a base name and "Editor", "Font" and
// "Color Groups\<group>".
#pragma once

#include "editor/lang_strategy.h"

class SECEditLangProfileReader : public SECEditLangReader {
public:
    SECEditLangProfileReader(const wchar_t* baseName, BOOL resetFirst)
        : m_base(baseName), m_resetFirst(resetFirst) {}
    // 0 without an application object to read from.
    BOOL Read(SECEditLangConfig* config) override;
    virtual BOOL ReadEditor(SECEditLangConfig* config);
    virtual BOOL ReadColorGroups(SECEditLangConfig* config);
    virtual BOOL ReadFont(SECEditLangConfig* config);

private:
    CString m_base;
    BOOL m_resetFirst;
};

class SECEditLangProfileWriter : public SECEditLangWriter {
public:
    explicit SECEditLangProfileWriter(const wchar_t* baseName) : m_base(baseName) {}
    BOOL Write(SECEditLangConfig* config) override;
    virtual BOOL WriteEditor(SECEditLangConfig* config);
    virtual BOOL WriteColorGroups(SECEditLangConfig* config);
    virtual BOOL WriteFont(SECEditLangConfig* config);

private:
    CString m_base;
};
