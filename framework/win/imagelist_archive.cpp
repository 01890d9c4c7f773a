// CImageList through an archive: the common controls read and write image lists through an
// IStream, so a small stream object forwards their reads and writes to the archive.
#include "framework/win/imagelist.h"

#include "framework/core/archive.h"
#include "framework/core/exceptions.h"
#include "framework/core/guard.h"

#include <objidl.h>

namespace {
// Lives on the caller's stack for one ImageList_Read or ImageList_Write call; the reference
// count is kept for the interface's sake only.
class ArchiveStream final : public IStream {
public:
    explicit ArchiveStream(CArchive* pArchive) : m_pArchive(pArchive) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStream) ||
            IsEqualIID(riid, IID_ISequentialStream)) {
            *ppv = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override {
        return AfxGuardComEntry([&]() -> HRESULT {
            const UINT nRead = m_pArchive->Read(pv, cb);
            m_nPos += nRead;
            if (pcbRead != nullptr)
                *pcbRead = nRead;
            // An image list that ends early is broken: the readers do not all check counts.
            return nRead == cb ? S_OK : STG_E_READFAULT;
        });
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
        return AfxGuardComEntry([&]() -> HRESULT {
            m_pArchive->Write(pv, cb);
            m_nPos += cb;
            if (pcbWritten != nullptr)
                *pcbWritten = cb;
            return S_OK;
        });
    }
    // An archive only moves forward: the stream can tell where it is, nothing more.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                   ULARGE_INTEGER* plibNewPosition) override {
        if (dwOrigin != STREAM_SEEK_CUR || dlibMove.QuadPart != 0)
            return STG_E_INVALIDFUNCTION;
        if (plibNewPosition != nullptr)
            plibNewPosition->QuadPart = m_nPos;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                     ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    CArchive* m_pArchive;
    ULONG m_nRefs = 1;
    ULONGLONG m_nPos = 0;
};
} // namespace

BOOL CImageList::Write(CArchive* pArchive) {
    if (pArchive == nullptr || !pArchive->IsStoring() || m_hImageList == NULL)
        return FALSE;
    ArchiveStream stream(pArchive);
    return ImageList_Write(m_hImageList, &stream) ? TRUE : FALSE;
}

BOOL CImageList::Read(CArchive* pArchive) {
    if (pArchive == nullptr || !pArchive->IsLoading())
        AfxThrowArchiveException(CArchiveException::genericException);
    ArchiveStream stream(pArchive);
    HIMAGELIST hNew = ImageList_Read(&stream);
    if (hNew == NULL)
        AfxThrowArchiveException(CArchiveException::badSchema, pArchive->m_strFileName);
    DeleteImageList();
    if (!Attach(hNew)) {
        ImageList_Destroy(hNew);
        return FALSE;
    }
    return TRUE;
}
