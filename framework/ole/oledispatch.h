// COleDispatchDriver: the client side of an automation object. Calls go through IDispatch::Invoke
// by dispatch id; parameters are described by a VTS_ string and passed as variable arguments.
// A failed call throws: COleDispatchException when the server raised an error of its own
// (DISP_E_EXCEPTION), COleException with the status code otherwise.
#pragma once

#include <ole2.h>
#include <oleauto.h>

#include "framework/core/cstring.h"
#include "framework/ole/oleexceptions.h"

// Parameter type strings: one byte per parameter, concatenated (VTS_BSTR VTS_I4 ...).
// Variable arguments by type: VTS_I2 short, VTS_I4 long, VTS_R4 float, VTS_R8 double,
// VTS_BSTR / VTS_WBSTR LPCWSTR, VTS_DISPATCH LPDISPATCH, VTS_SCODE SCODE, VTS_BOOL BOOL,
// VTS_VARIANT const VARIANT*, VTS_UNKNOWN LPUNKNOWN, VTS_UI1 BYTE; the VTS_P forms take a
// pointer to that type and pass it by reference.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_WBSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
// By reference: the type with this bit (a byte of its own, so the strings stay one byte each).
#define AFX_VTS_BYREF 0x40
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x51"

class COleDispatchDriver {
public:
    COleDispatchDriver();
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& other);
    const COleDispatchDriver& operator=(const COleDispatchDriver& other);
    virtual ~COleDispatchDriver();

    // Creates the object of a class id or program id ("VBScript.RegExp"); FALSE when that
    // fails, with the status code in pError when given. Releases any object held before.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);

    // Takes over lpDispatch (released by ReleaseDispatch when bAutoRelease).
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Gives the object up without releasing it.
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Calls member dwDispID. wFlags: DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT
    // (the last parameter is the value) or DISPATCH_PROPERTYPUTREF. vtRet is the result's type
    // (VT_EMPTY for none) and pvRet points to a variable of it: short, long, float, double,
    // CString (VT_BSTR), LPDISPATCH / LPUNKNOWN (the caller releases), BOOL, SCODE, BYTE,
    // VARIANT (the caller clears). Throws as described above; without an object it throws
    // COleException(E_UNEXPECTED).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                      const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const BYTE* pbParamInfo, va_list argList);

    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    // The value is one variable argument of type vtProp, as for InvokeHelper.
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    operator LPDISPATCH() const { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};
