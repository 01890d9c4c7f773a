#include "framework/ole/oledispatch.h"

#include <cstdarg>
#include <vector>

namespace {
// The arguments of one Invoke, in the order Invoke wants them (last parameter first). Every
// by-value VARIANT here owns what it holds, so clearing them all releases exactly our part.
class InvokeArgs {
public:
    ~InvokeArgs() {
        for (VARIANT& v : m_args)
            ::VariantClear(&v);
    }
    void Add(VARTYPE vt, va_list& args);
    DISPPARAMS Params(WORD wFlags) {
        DISPPARAMS params = {};
        params.cArgs = (UINT)m_args.size();
        params.rgvarg = m_args.empty() ? NULL : m_args.data();
        if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.cNamedArgs = 1;
            params.rgdispidNamedArgs = &m_dispidPut;
        }
        return params;
    }
    void Reverse() { std::vector<VARIANT>(m_args.rbegin(), m_args.rend()).swap(m_args); }

private:
    std::vector<VARIANT> m_args;
    DISPID m_dispidPut = DISPID_PROPERTYPUT;
};

void InvokeArgs::Add(VARTYPE vt, va_list& args) {
    VARIANT v;
    ::VariantInit(&v);
    if (vt & AFX_VTS_BYREF) {
        v.vt = (VARTYPE)((vt & ~AFX_VTS_BYREF) | VT_BYREF);
        v.byref = va_arg(args, void*);
        m_args.push_back(v);
        return;
    }
    v.vt = vt;
    switch (vt) {
    case VT_I2:
        v.iVal = (SHORT)va_arg(args, int);
        break;
    case VT_I4:
        v.lVal = va_arg(args, long);
        break;
    case VT_R4:
        v.fltVal = (float)va_arg(args, double);
        break;
    case VT_R8:
        v.dblVal = va_arg(args, double);
        break;
    case VT_ERROR:
        v.scode = va_arg(args, SCODE);
        break;
    case VT_BOOL:
        v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_UI1:
        v.bVal = (BYTE)va_arg(args, int);
        break;
    case VT_BSTR: {
        LPCWSTR text = va_arg(args, LPCWSTR);
        v.bstrVal = ::SysAllocString(text != NULL ? text : L"");
        if (v.bstrVal == NULL)
            AfxThrowMemoryException();
        break;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN:
        v.punkVal = va_arg(args, LPUNKNOWN);
        if (v.punkVal != NULL)
            v.punkVal->AddRef();
        break;
    case VT_VARIANT: {
        const VARIANT* src = va_arg(args, const VARIANT*);
        HRESULT hr = src != NULL ? ::VariantCopy(&v, const_cast<VARIANT*>(src)) : S_OK;
        if (FAILED(hr))
            AfxThrowOleException(hr);
        if (src == NULL)
            v.vt = VT_EMPTY;
        break;
    }
    default:
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
    m_args.push_back(v);
}

CString TakeBstr(BSTR& b) {
    CString text = b != NULL ? CString(b, (int)::SysStringLen(b)) : CString();
    ::SysFreeString(b);
    b = NULL;
    return text;
}

[[noreturn]] void ThrowFromExcepInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn != NULL)
        info.pfnDeferredFillIn(&info);
    auto* e = new COleDispatchException(NULL, info.dwHelpContext, info.wCode);
    e->m_scError = info.wCode != 0 ? 0 : info.scode;
    e->m_strSource = TakeBstr(info.bstrSource);
    e->m_strDescription = TakeBstr(info.bstrDescription);
    e->m_strHelpFile = TakeBstr(info.bstrHelpFile);
    throw e;
}

// Converts the result to vtRet and stores it where pvRet points.
void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;
        ::VariantInit(&result);
        return;
    }
    if (result.vt != vtRet) {
        HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
    switch (vtRet) {
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_R4:
        *static_cast<float*>(pvRet) = result.fltVal;
        break;
    case VT_R8:
        *static_cast<double*>(pvRet) = result.dblVal;
        break;
    case VT_ERROR:
        *static_cast<SCODE*>(pvRet) = result.scode;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    case VT_UI1:
        *static_cast<BYTE*>(pvRet) = result.bVal;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = TakeBstr(result.bstrVal);
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        // The caller takes over the reference.
        *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal;
        result.vt = VT_EMPTY;
        break;
    default:
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

// Clears the result variant on every way out.
struct ResultVariant {
    VARIANT v;
    ResultVariant() { ::VariantInit(&v); }
    ~ResultVariant() { ::VariantClear(&v); }
};
} // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other)
    : m_lpDispatch(other.m_lpDispatch), m_bAutoRelease(TRUE) {
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other) {
    if (this != &other) {
        if (other.m_lpDispatch != NULL)
            other.m_lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = other.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver() {
    ReleaseDispatch();
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError) {
    ReleaseDispatch();
    LPDISPATCH lpDispatch = NULL;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    IID_IDispatch, reinterpret_cast<void**>(&lpDispatch));
    if (FAILED(hr) || lpDispatch == NULL) {
        if (pError != NULL)
            pError->m_sc = FAILED(hr) ? hr : E_NOINTERFACE;
        return FALSE;
    }
    AttachDispatch(lpDispatch, TRUE);
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError) {
    CLSID clsid;
    HRESULT hr = lpszProgID != NULL ? ::CLSIDFromProgID(lpszProgID, &clsid) : E_INVALIDARG;
    if (FAILED(hr)) {
        ReleaseDispatch();
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease) {
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    if (m_lpDispatch != NULL && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = NULL;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...) {
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList) {
    if (m_lpDispatch == NULL)
        AfxThrowOleException(E_UNEXPECTED);
    if (vtRet != VT_EMPTY && pvRet == NULL)
        AfxThrowOleException(E_POINTER);
    InvokeArgs args;
    va_list list;
    va_copy(list, argList);
    try {
        for (const BYTE* p = pbParamInfo; p != NULL && *p != 0; ++p)
            args.Add(*p, list);
    } catch (...) {
        va_end(list);
        throw;
    }
    va_end(list);
    args.Reverse();
    DISPPARAMS params = args.Params(wFlags);
    ResultVariant result;
    EXCEPINFO info = {};
    UINT argErr = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                      vtRet != VT_EMPTY ? &result.v : NULL, &info, &argErr);
    if (hr == DISP_E_EXCEPTION)
        ThrowFromExcepInfo(info);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    if (vtRet != VT_EMPTY)
        StoreResult(result.v, vtRet, pvRet);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const {
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp,
                                                        pvProp, NULL);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...) {
    va_list argList;
    va_start(argList, vtProp);
    const BYTE paramInfo[2] = {(BYTE)vtProp, 0};
    WORD wFlags = (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF
                                                                  : DISPATCH_PROPERTYPUT;
    try {
        InvokeHelperV(dwDispID, wFlags, VT_EMPTY, NULL, paramInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}
