#include "framework/ole/oledatasource.h"

#include "framework/core/guard.h"

#include <climits>
#include <cstring>

#include "framework/ole/oledataobject.h"
#include "framework/ole/oleexceptions.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {
// The enumerator of a data source's formats: a snapshot taken when it is asked for.
class CFormatEnumerator : public IEnumFORMATETC {
public:
    explicit CFormatEnumerator(std::vector<FORMATETC> formats, size_t next = 0)
        : m_formats(std::move(formats)), m_next(next) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
        if (ppv == NULL)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumFORMATETC) {
            *ppv = static_cast<IEnumFORMATETC*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return (ULONG)::InterlockedIncrement(&m_ref); }
    STDMETHOD_(ULONG, Release)() override {
        LONG ref = ::InterlockedDecrement(&m_ref);
        if (ref == 0)
            delete this;
        return (ULONG)ref;
    }
    STDMETHOD(Next)(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override {
        if (rgelt == NULL || (celt > 1 && pceltFetched == NULL))
            return E_POINTER;
        ULONG n = 0;
        for (; n < celt && m_next < m_formats.size(); ++n, ++m_next)
            rgelt[n] = m_formats[m_next];
        if (pceltFetched != NULL)
            *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    STDMETHOD(Skip)(ULONG celt) override {
        // Compared before adding: a huge count must not wrap the position round.
        if (celt > m_formats.size() - m_next) {
            m_next = m_formats.size();
            return S_FALSE;
        }
        m_next += celt;
        return S_OK;
    }
    STDMETHOD(Reset)() override {
        m_next = 0;
        return S_OK;
    }
    STDMETHOD(Clone)(IEnumFORMATETC** ppenum) override {
        if (ppenum == NULL)
            return E_POINTER;
        *ppenum = NULL;
        return AfxGuardComEntry([&] {
            *ppenum = new CFormatEnumerator(m_formats, m_next);
            return S_OK;
        });
    }

private:
    virtual ~CFormatEnumerator() = default;
    std::vector<FORMATETC> m_formats;
    size_t m_next;
    LONG m_ref = 1;
};

// Drops when the button that started the drag goes up, cancels on Escape.
class CDropSource : public IDropSource {
public:
    CDropSource() {
        m_button = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0 ? MK_RBUTTON
                                                                                   : MK_LBUTTON;
    }
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
        if (ppv == NULL)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    // Lives on the stack of DoDragDrop, which outlasts every use.
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if ((grfKeyState & m_button) == 0)
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    STDMETHOD(GiveFeedback)(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    DWORD m_button;
};

// A copy of a cached medium for a caller of GetData, who releases it.
HRESULT CopyMedium(CLIPFORMAT cf, const STGMEDIUM& src, STGMEDIUM* pDst) {
    *pDst = src;
    pDst->pUnkForRelease = NULL;
    switch (src.tymed) {
    case TYMED_HGLOBAL:
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        pDst->hGlobal = (HGLOBAL)::OleDuplicateData(src.hGlobal, cf, 0);
        return pDst->hGlobal != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        if (src.pstm != NULL)
            src.pstm->AddRef();
        return S_OK;
    default:
        return DV_E_TYMED;
    }
}
} // namespace

COleDataSource::COleDataSource() {}

COleDataSource::~COleDataSource() {
    // The clipboard's release during the flush must not end this object a second time.
    m_dwRef = LONG_MAX / 2;
    if (::OleIsCurrentClipboard(&m_xDataObject) == S_OK)
        ::OleFlushClipboard();
    Empty();
}

void COleDataSource::Empty() {
    for (CacheEntry& entry : m_cache) {
        if (entry.formatEtc.ptd != NULL)
            ::CoTaskMemFree(entry.formatEtc.ptd);
        if (entry.stgMedium.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&entry.stgMedium);
    }
    m_cache.clear();
}

void COleDataSource::AddEntry(const FORMATETC& fe, const STGMEDIUM& medium) {
    CacheEntry entry = {fe, medium};
    entry.formatEtc.ptd = NULL; // target devices are not kept
    // A new offer of a format replaces the old one.
    for (CacheEntry& old : m_cache) {
        if (old.formatEtc.cfFormat == fe.cfFormat && old.formatEtc.dwAspect == fe.dwAspect &&
            old.formatEtc.lindex == fe.lindex) {
            if (old.stgMedium.tymed != TYMED_NULL)
                ::ReleaseStgMedium(&old.stgMedium);
            old = entry;
            return;
        }
    }
    m_cache.push_back(entry);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal,
                                     LPFORMATETC lpFormatEtc) {
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    fe.tymed = TYMED_HGLOBAL;
    AddEntry(fe, medium);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium,
                               LPFORMATETC lpFormatEtc) {
    if (lpStgMedium == NULL)
        return;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc, lpStgMedium->tymed);
    fe.tymed = lpStgMedium->tymed;
    AddEntry(fe, *lpStgMedium);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    STGMEDIUM medium = {};
    medium.tymed = TYMED_NULL;
    AddEntry(AfxFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL), medium);
}

void COleDataSource::SetClipboard() {
    HRESULT hr = ::OleSetClipboard(&m_xDataObject);
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

void PASCAL COleDataSource::FlushClipboard() {
    ::OleFlushClipboard();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects) {
    CDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&m_xDataObject, &source, dwEffects & ~DROPEFFECT_SCROLL, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

LPDATAOBJECT COleDataSource::GetIDataObject(BOOL bAddRef) {
    if (bAddRef)
        m_xDataObject.AddRef();
    return &m_xDataObject;
}

DWORD COleDataSource::ExternalAddRef() {
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD COleDataSource::ExternalRelease() {
    LONG ref = ::InterlockedDecrement(&m_dwRef);
    if (ref == 0)
        OnFinalRelease();
    return (DWORD)ref;
}

void COleDataSource::OnFinalRelease() {
    delete this;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*) {
    return FALSE;
}
BOOL COleDataSource::OnRenderData(LPFORMATETC, LPSTGMEDIUM) {
    return FALSE;
}

COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC& fe, BOOL bForAnyTymed) {
    for (CacheEntry& entry : m_cache) {
        const FORMATETC& have = entry.formatEtc;
        if (have.cfFormat != fe.cfFormat || have.dwAspect != fe.dwAspect)
            continue;
        if (have.lindex != -1 && fe.lindex != -1 && have.lindex != fe.lindex)
            continue;
        if (bForAnyTymed || (have.tymed & fe.tymed) != 0)
            return &entry;
    }
    return NULL;
}

HRESULT COleDataSource::GetDataImpl(const FORMATETC& fe, STGMEDIUM* pMedium) {
    CacheEntry* entry = Lookup(fe, FALSE);
    if (entry == NULL)
        return Lookup(fe, TRUE) != NULL ? DV_E_TYMED : DV_E_FORMATETC;
    std::memset(pMedium, 0, sizeof(STGMEDIUM));
    if (entry->stgMedium.tymed != TYMED_NULL)
        return CopyMedium(fe.cfFormat, entry->stgMedium, pMedium);
    FORMATETC request = fe;
    if (request.tymed & TYMED_HGLOBAL) {
        HGLOBAL hGlobal = NULL;
        request.tymed = TYMED_HGLOBAL;
        if (OnRenderGlobalData(&request, &hGlobal) && hGlobal != NULL) {
            pMedium->tymed = TYMED_HGLOBAL;
            pMedium->hGlobal = hGlobal;
            return S_OK;
        }
        request.tymed = fe.tymed;
    }
    if (OnRenderData(&request, pMedium))
        return S_OK;
    std::memset(pMedium, 0, sizeof(STGMEDIUM));
    return DV_E_FORMATETC;
}

// ---- IDataObject ------------------------------------------------------------------------------

STDMETHODIMP COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == NULL)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::AddRef() {
    return m_pOwner->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::Release() {
    return AfxGuardWndProc(L"IDataObject::Release", (ULONG)0,
                           [&] { return m_pOwner->ExternalRelease(); });
}

STDMETHODIMP COleDataSource::XDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    if (pformatetcIn == NULL || pmedium == NULL)
        return E_POINTER;
    const HRESULT hr =
        AfxGuardComEntry([&] { return m_pOwner->GetDataImpl(*pformatetcIn, pmedium); });
    if (hr == E_UNEXPECTED || hr == E_OUTOFMEMORY)
        std::memset(pmedium, 0, sizeof(STGMEDIUM)); // a rendering override failed
    return hr;
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(FORMATETC* pformatetc) {
    if (pformatetc == NULL)
        return E_POINTER;
    return AfxGuardComEntry([&] {
        if (m_pOwner->Lookup(*pformatetc, FALSE) != NULL)
            return S_OK;
        return m_pOwner->Lookup(*pformatetc, TRUE) != NULL ? DV_E_TYMED : DV_E_FORMATETC;
    });
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC*,
                                                                FORMATETC* pformatetcOut) {
    if (pformatetcOut != NULL)
        pformatetcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection,
                                                        IEnumFORMATETC** ppenumFormatEtc) {
    if (ppenumFormatEtc == NULL)
        return E_POINTER;
    *ppenumFormatEtc = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    return AfxGuardComEntry([&] {
        std::vector<FORMATETC> formats;
        for (const CacheEntry& entry : m_pOwner->m_cache)
            formats.push_back(entry.formatEtc);
        *ppenumFormatEtc = new CFormatEnumerator(std::move(formats));
        return S_OK;
    });
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}
