// Shared helpers of the editor tests: scratch files, a model that records what it would
// tell the user, and an observer that records messages.
#pragma once

#include "editor/edit_model.h"

#include <string>
#include <vector>

namespace edtest {

// A fresh folder under the temp directory, removed with its files at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::wstring Path(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The thread's locale, and with it its ANSI code page, for as long as the object lives:
// tests of 8-bit files choose their code page rather than take the machine's.
class ThreadLocale {
public:
    explicit ThreadLocale(LANGID language);
    ~ThreadLocale() { SetThreadLocale(m_before); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;
    // Whether the locale was taken and the thread's code page followed it.
    bool HasCodePage(UINT codePage) const { return m_set && m_codePage == codePage; }

private:
    LCID m_before;
    bool m_set;
    UINT m_codePage = 0;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
void WriteText(const std::wstring& path, const std::wstring& utf16Text); // as 8-bit, UTF-8

class TestModel : public SECEditModel {
public:
    std::vector<CString> messages;

protected:
    int ShowMessage(const CString& text, UINT) override {
        messages.push_back(text);
        return IDOK;
    }
};

class RecordingObserver : public corvalis::foundation::IObserver {
public:
    struct Entry {
        uint32_t hint;
        int first, last;
    };
    std::vector<Entry> entries;
    int refs = 0;

    bool QueryGuid(const GUID&, void** out) override {
        *out = nullptr;
        return false;
    }
    int32_t AddRef() override { return ++refs; }
    int32_t Release() override { return --refs; }
    void OnUpdate(corvalis::foundation::ISubject*, corvalis::foundation::IMessage* m) override;
    int Count(uint32_t hint) const;
};

// The model's whole text.
std::wstring TextOf(SECEditModel& model);

// What is wrong with `text` as `original` with the model's line breaks (CR LF) put in, or ""
// when nothing is: a break between the two halves of a surrogate pair, any other difference,
// or a line wider than 2048 display columns (tabs to the next multiple of `tabSize`, CR no
// column, every other code unit one).
std::string CheckBrokenCopy(const std::wstring& text, const std::wstring& original,
                            int tabSize = 4);

} // namespace edtest
