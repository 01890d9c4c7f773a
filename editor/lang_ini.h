// The language configuration's ini-file form: a private profile file with the sections
// "Editor", "Font", "ColorGroups", one per group, "Keywords", "Parser" and one per tag. The file
// is read once and written once: counts in it cost nothing beyond the entries present.
#pragma once

#include "editor/ini_file.h"
#include "editor/lang_strategy.h"

#include <cstddef>
#include <vector>

struct SECEditLangFlag;

class SECEditLangIniReader : public SECEditLangReader {
public:
    explicit SECEditLangIniReader(const wchar_t* path, BOOL resetFirst = TRUE)
        : m_path(path), m_resetFirst(resetFirst) {}

    // Reads every section. Values that do not parse are rejected: the setting keeps its
    // default, the problem is listed, and the result is 0.
    BOOL Read(SECEditLangConfig* config) override;
    virtual BOOL ReadParser(SECEditLangConfig* config);
    virtual BOOL ReadEditor(SECEditLangConfig* config);
    virtual BOOL ReadFont(SECEditLangConfig* config);
    virtual BOOL ReadColorGroups(SECEditLangConfig* config);
    virtual BOOL ReadKeywords(SECEditLangConfig* config);

    // "section/key: value" for every value that was rejected by the last Read.
    const std::vector<CString>& GetProblems() const { return m_problems; }

    // The longest BeginTag taken: every prefix of a begin tag is kept for the colouring
    // scanner, so the memory a tag costs grows with the square of its length.
    static constexpr int kMaxTagLength = 256;

private:
    // The file's contents, read on first use within a Read.
    const SECEditIniFile& File();
    const std::wstring* Find(const wchar_t* section, const wchar_t* key);
    CString ReadString(const wchar_t* section, const wchar_t* key);
    bool HasKey(const wchar_t* section, const wchar_t* key);
    bool ReadInt(const wchar_t* section, const wchar_t* key, int& value, int low, int high);
    bool ReadFlag(const wchar_t* section, const wchar_t* key, BOOL& value);
    void ReadFlags(const wchar_t* section, const SECEditLangFlag* flags, size_t count,
                   SECEditLangConfig* config);
    bool ReadColour(const wchar_t* section, const wchar_t* key, COLORREF& value);
    void Reject(const wchar_t* section, const wchar_t* key, const CString& value);

    CString m_path;
    BOOL m_resetFirst;
    std::vector<CString> m_problems;
    SECEditIniFile m_file;
    bool m_loaded = false;
};

class SECEditLangIniWriter : public SECEditLangWriter {
public:
    explicit SECEditLangIniWriter(const wchar_t* path) : m_path(path) {}

    BOOL Write(SECEditLangConfig* config) override;
    virtual BOOL WriteParser(SECEditLangConfig* config);
    virtual BOOL WriteEditor(SECEditLangConfig* config);
    virtual BOOL WriteFont(SECEditLangConfig* config);
    virtual BOOL WriteColorGroups(SECEditLangConfig* config);
    virtual BOOL WriteKeywords(SECEditLangConfig* config);

private:
    // The parts write into the file held in memory; only Write saves it, or a part called on
    // its own.
    template <class Part> BOOL Run(Part part);
    BOOL Put(const wchar_t* section, const wchar_t* key, const CString& value);
    BOOL PutInt(const wchar_t* section, const wchar_t* key, int value);
    BOOL PutFlags(const wchar_t* section, const SECEditLangFlag* flags, size_t count,
                  SECEditLangConfig* config);
    void RemoveStaleSections();

    CString m_path;
    SECEditIniFile m_file;
    bool m_inWrite = false;
};
