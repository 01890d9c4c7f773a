#include "framework/ole/oledataobject.h"

#include <cstring>

FORMATETC AfxFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed) {
    if (lpFormatEtc != NULL)
        return *lpFormatEtc;
    FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, tymed};
    return fe;
}

namespace {
HGLOBAL CopyGlobal(HGLOBAL hSource) {
    SIZE_T size = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size != 0 ? size : 1);
    if (hCopy == NULL)
        return NULL;
    const void* src = ::GlobalLock(hSource);
    void* dst = ::GlobalLock(hCopy);
    if (src != NULL && dst != NULL && size != 0)
        std::memcpy(dst, src, size);
    if (dst != NULL)
        ::GlobalUnlock(hCopy);
    if (src != NULL)
        ::GlobalUnlock(hSource);
    if (src == NULL || dst == NULL) {
        ::GlobalFree(hCopy);
        return NULL;
    }
    return hCopy;
}
} // namespace

COleDataObject::COleDataObject()
    : m_lpDataObject(NULL), m_lpEnumerator(NULL), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject() {
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    return lpDataObject;
}

void COleDataObject::Release() {
    LPDATAOBJECT lpDataObject = Detach();
    if (lpDataObject != NULL && m_bAutoRelease)
        lpDataObject->Release();
}

BOOL COleDataObject::AttachClipboard() {
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) {
    if (bAddRef && m_lpDataObject != NULL)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats() {
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL &&
        FAILED(m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator)))
        m_lpEnumerator = NULL;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc) {
    if (m_lpEnumerator == NULL || lpFormatEtc == NULL)
        return FALSE;
    ULONG fetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &fetched) != S_OK || fetched != 1)
        return FALSE;
    // The target device belongs to us once fetched; nobody here uses it.
    if (lpFormatEtc->ptd != NULL) {
        ::CoTaskMemFree(lpFormatEtc->ptd);
        lpFormatEtc->ptd = NULL;
    }
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    return m_lpDataObject->QueryGetData(&fe) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium,
                             LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    std::memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    return SUCCEEDED(m_lpDataObject->GetData(&fe, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    fe.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &fe))
        return NULL;
    if (medium.tymed != TYMED_HGLOBAL) {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    if (medium.pUnkForRelease == NULL)
        return medium.hGlobal; // already ours
    HGLOBAL hCopy = CopyGlobal(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hCopy;
}
