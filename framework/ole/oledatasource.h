// COleDataSource: the giving side of a data transfer. It holds data in the formats it offers
// (or promises to render them on demand) and hands itself out as an IDataObject to the OLE
// clipboard or to a drag.
//
// Lifetime: the object counts references like a COM object and starts with one, its creator's.
// A heap object given to the clipboard is released by its creator with InternalRelease and
// lives on while the clipboard holds it. An object on the stack must outlive every use (it
// takes itself off the clipboard, keeping the data there, when it goes away).
#pragma once

#include <ole2.h>

#include <memory>
#include <vector>

#include "framework/win/cmdtarget.h"
#include "framework/ole/oledataobject.h"

class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Offers hGlobal (owned by the source from now on) in cfFormat; a later offer of the same
    // format replaces it. lpFormatEtc: NULL for the content aspect in global memory.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    // Offers a medium (owned by the source from now on).
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Offers cfFormat without data: OnRenderGlobalData / OnRenderData make it when asked.
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Forgets every offer.
    void Empty();

    // Puts the source on the OLE clipboard (the clipboard takes a reference).
    void SetClipboard();
    // Takes whatever this process put on the OLE clipboard off it, rendering its data first.
    static void PASCAL FlushClipboard();

    // Runs a drag of this data; the result is the effect the drop target chose, DROPEFFECT_NONE
    // when the drag was cancelled or failed.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

    LPDATAOBJECT GetDataObject() { return &m_xDataObject; }
    // The data object with a reference for the caller.
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD InternalAddRef() { return ExternalAddRef(); }
    DWORD InternalRelease() { return ExternalRelease(); }

protected:
    // Delayed rendering: fill hGlobal (allocate it when *phGlobal is NULL); FALSE when the data
    // cannot be made.
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    // Runs when the last reference goes; the default deletes the object.
    virtual void OnFinalRelease();

public:
    // One offered format: its description and, unless rendering is delayed, the data.
    struct CacheEntry {
        FORMATETC formatEtc;
        STGMEDIUM stgMedium; // tymed TYMED_NULL while delayed
    };

private:
    class XDataObject : public IDataObject {
    public:
        explicit XDataObject(COleDataSource* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetData)(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        STDMETHOD(GetDataHere)(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        STDMETHOD(QueryGetData)(FORMATETC* pformatetc) override;
        STDMETHOD(GetCanonicalFormatEtc)
        (FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
        STDMETHOD(SetData)(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
        STDMETHOD(DUnadvise)(DWORD) override;
        STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override;

    private:
        COleDataSource* m_pOwner;
    };
    friend class XDataObject;

    CacheEntry* Lookup(const FORMATETC& fe, BOOL bForAnyTymed);
    HRESULT GetDataImpl(const FORMATETC& fe, STGMEDIUM* pMedium);
    void AddEntry(const FORMATETC& fe, const STGMEDIUM& medium);

    std::vector<CacheEntry> m_cache;
    XDataObject m_xDataObject{this};
    LONG m_dwRef = 1;
};
