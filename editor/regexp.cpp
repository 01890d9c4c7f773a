#include "editor/regexp.h"

#include <objbase.h>
#include <oleauto.h>

namespace {

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

void SetBstr(VARIANT& v, const CString& text) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
}

int ToInt(VARIANT& v) {
    if (VariantChangeType(&v, &v, 0, VT_I4) != S_OK)
        return 0;
    return v.lVal;
}

} // namespace

SECEditVBRegExp::~SECEditVBRegExp() {
    Drop();
    if (m_comInitialised)
        CoUninitialize();
}

void SECEditVBRegExp::Drop() {
    if (m_regExp) {
        m_regExp->Release();
        m_regExp = nullptr;
    }
}

BOOL SECEditVBRegExp::Create() {
    Drop();
    if (!m_comInitialised) {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_comInitialised = SUCCEEDED(hr); // S_FALSE also needs its CoUninitialize
    }
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid)))
        return FALSE;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&m_regExp)))) {
        m_regExp = nullptr;
        return FALSE;
    }
    PutBool(kGlobal, FALSE);
    PutBool(kIgnoreCase, FALSE);
    return TRUE;
}

HRESULT SECEditVBRegExp::Invoke(IDispatch* target, DISPID id, WORD kind, VARIANT* args,
                                UINT argCount, VARIANT* result) {
    if (!target)
        return E_POINTER;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {args, nullptr, argCount, 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info = {};
    UINT argError = 0;
    const HRESULT hr =
        target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &info, &argError);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return hr;
}

HRESULT SECEditVBRegExp::Get(IDispatch* target, DISPID id, const wchar_t* name, VARIANT* args,
                             UINT argCount, VARIANT* result) {
    const WORD kind = DISPATCH_PROPERTYGET | DISPATCH_METHOD;
    HRESULT hr = Invoke(target, id, kind, args, argCount, result);
    if (SUCCEEDED(hr) || !target)
        return hr;
    // Some versions of the object number the collection's members differently: ask by name.
    DISPID byName = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &byName)) ||
        byName == id)
        return hr;
    VariantClear(result);
    return Invoke(target, byName, kind, args, argCount, result);
}

BOOL SECEditVBRegExp::PutBool(DISPID id, BOOL value) {
    Variant arg;
    arg.vt = VT_BOOL;
    arg.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return SUCCEEDED(Invoke(m_regExp, id, DISPATCH_PROPERTYPUT, &arg, 1, nullptr));
}

CString SECEditVBRegExp::GetPattern() {
    Variant result;
    if (FAILED(Invoke(m_regExp, kPattern, DISPATCH_PROPERTYGET, nullptr, 0, &result)) ||
        result.vt != VT_BSTR)
        return CString();
    return CString(result.bstrVal, static_cast<int>(SysStringLen(result.bstrVal)));
}

void SECEditVBRegExp::SetPattern(const wchar_t* pattern) {
    Variant arg;
    SetBstr(arg, CString(pattern ? pattern : L""));
    Invoke(m_regExp, kPattern, DISPATCH_PROPERTYPUT, &arg, 1, nullptr);
}

BOOL SECEditVBRegExp::GetIgnoreCase() {
    Variant result;
    if (FAILED(Invoke(m_regExp, kIgnoreCase, DISPATCH_PROPERTYGET, nullptr, 0, &result)))
        return FALSE;
    return result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
}

void SECEditVBRegExp::SetIgnoreCase(BOOL ignore) {
    PutBool(kIgnoreCase, ignore);
}

void SECEditVBRegExp::SetGlobal(BOOL global) {
    PutBool(kGlobal, global);
}

BOOL SECEditVBRegExp::Find(const CString& text, int& start, int& length, CString& matched) {
    m_invalid = FALSE;
    if (!m_regExp || GetPattern().IsEmpty())
        return FALSE;
    Variant arg;
    SetBstr(arg, text);
    Variant matches;
    const HRESULT hr = Invoke(m_regExp, kExecute, DISPATCH_METHOD, &arg, 1, &matches);
    if (FAILED(hr)) {
        // A mistyped expression: the engine refuses it. Say so instead of finding nothing.
        m_invalid = TRUE;
        return FALSE;
    }
    if (matches.vt != VT_DISPATCH || !matches.pdispVal)
        return FALSE;
    Variant count;
    if (FAILED(Get(matches.pdispVal, kCount, L"Count", nullptr, 0, &count)) || ToInt(count) == 0)
        return FALSE;
    Variant index;
    index.vt = VT_I4;
    index.lVal = 0;
    Variant match;
    if (FAILED(Get(matches.pdispVal, kItem, L"Item", &index, 1, &match)) ||
        match.vt != VT_DISPATCH || !match.pdispVal)
        return FALSE;
    Variant value, first, len;
    Get(match.pdispVal, kValue, L"Value", nullptr, 0, &value);
    Get(match.pdispVal, kFirstIndex, L"FirstIndex", nullptr, 0, &first);
    Get(match.pdispVal, kLength, L"Length", nullptr, 0, &len);
    if (value.vt == VT_BSTR)
        matched = CString(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
    else
        matched.Empty();
    start = ToInt(first);
    length = ToInt(len);
    return TRUE;
}

BOOL SECEditVBRegExp::Find(const CString& text, int& start, int& length) {
    CString matched;
    return Find(text, start, length, matched);
}

BOOL SECEditVBRegExp::Replace(CString& text, const CString& replacement, BOOL global) {
    m_invalid = FALSE;
    if (!m_regExp)
        return FALSE;
    PutBool(kGlobal, global);
    // Arguments go in reverse order: the replacement first, then the text.
    VARIANT args[2];
    SetBstr(args[0], replacement);
    SetBstr(args[1], text);
    Variant result;
    const HRESULT hr = Invoke(m_regExp, kReplace, DISPATCH_METHOD, args, 2, &result);
    VariantClear(&args[0]);
    VariantClear(&args[1]);
    PutBool(kGlobal, FALSE);
    if (FAILED(hr)) {
        m_invalid = TRUE;
        return FALSE;
    }
    if (result.vt != VT_BSTR)
        return FALSE;
    const CString replaced(result.bstrVal, static_cast<int>(SysStringLen(result.bstrVal)));
    if (replaced == text)
        return FALSE;
    text = replaced;
    return TRUE;
}
