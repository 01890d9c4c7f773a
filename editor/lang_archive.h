// Language configurations kept in the framework's archive form: in a file of their own, or
// in a module's resources of type "SECEditLangConfig".
#pragma once

#include "editor/lang_strategy.h"

class SECEditLangArchiveReader : public SECEditLangReader {
public:
    SECEditLangArchiveReader(BOOL resetFirst, const wchar_t* path)
        : m_resetFirst(resetFirst), m_path(path) {}
    // 0 when the file cannot be opened or does not hold a configuration.
    BOOL Read(SECEditLangConfig* config) override;

private:
    BOOL m_resetFirst;
    CString m_path;
};

class SECEditLangArchiveWriter : public SECEditLangWriter {
public:
    explicit SECEditLangArchiveWriter(const wchar_t* path) : m_path(path) {}
    BOOL Write(SECEditLangConfig* config) override;

private:
    CString m_path;
};

class SECEditLangResourceReader : public SECEditLangReader {
public:
    SECEditLangResourceReader(const wchar_t* name, BOOL resetFirst, HMODULE module = nullptr)
        : m_name(name), m_resetFirst(resetFirst), m_module(module) {}
    BOOL Read(SECEditLangConfig* config) override;
    BOOL LoadLangConfigResource(SECEditLangConfig* config);

private:
    CString m_name;
    BOOL m_resetFirst;
    HMODULE m_module;
};
