// Regular expressions for the editor's search, run by the Windows automation object
// "VBScript.RegExp".
#pragma once

#include "framework/core/cstring.h"

#include <oaidl.h>

class SECEditRegExp {
public:
    virtual ~SECEditRegExp() = default;
    virtual BOOL Create() = 0;
    virtual CString GetPattern() = 0;
    virtual void SetPattern(const wchar_t* pattern) = 0;
    virtual BOOL GetIgnoreCase() = 0;
    virtual void SetIgnoreCase(BOOL ignore) = 0;
    virtual void SetGlobal(BOOL global) = 0;
    virtual BOOL Find(const CString& text, int& start, int& length, CString& matched) = 0;
    virtual BOOL Find(const CString& text, int& start, int& length) = 0;
    virtual BOOL Replace(CString& text, const CString& replacement, BOOL global) = 0;
    // Whether the last Find or Replace failed because the pattern is not a valid expression.
    virtual BOOL IsPatternInvalid() const = 0;
    // Whether the last Find or Replace gave up because the pattern needed more work than the
    // text justifies: neither a match nor a proof that there is none.
    virtual BOOL WasStopped() const { return FALSE; }
};

class SECEditVBRegExp : public SECEditRegExp {
public:
    SECEditVBRegExp() = default;
    SECEditVBRegExp(const SECEditVBRegExp&) = delete;
    SECEditVBRegExp& operator=(const SECEditVBRegExp&) = delete;
    ~SECEditVBRegExp() override;

    BOOL Create() override;
    CString GetPattern() override;
    void SetPattern(const wchar_t* pattern) override;
    BOOL GetIgnoreCase() override;
    void SetIgnoreCase(BOOL ignore) override;
    void SetGlobal(BOOL global) override;
    BOOL Find(const CString& text, int& start, int& length, CString& matched) override;
    BOOL Find(const CString& text, int& start, int& length) override;
    BOOL Replace(CString& text, const CString& replacement, BOOL global) override;
    BOOL IsPatternInvalid() const override { return m_invalid; }

    enum : DISPID {
        kPattern = 10001,
        kIgnoreCase = 10002,
        kGlobal = 10003,
        kExecute = 10004,
        kTest = 10005,
        kReplace = 10006,
        kCount = 1,
        kItem = 10001,
        kValue = 0,
        kFirstIndex = 10001,
        kLength = 10002,
    };

private:
    void Drop();
    HRESULT Invoke(IDispatch* target, DISPID id, WORD kind, VARIANT* args, UINT argCount,
                   VARIANT* result);
    BOOL PutBool(DISPID id, BOOL value);
    HRESULT Get(IDispatch* target, DISPID id, const wchar_t* name, VARIANT* args, UINT argCount,
                VARIANT* result);
    IDispatch* m_regExp = nullptr;
    bool m_comInitialised = false;
    BOOL m_invalid = FALSE;
};
