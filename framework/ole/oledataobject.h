// COleDataObject: the receiving side of a data transfer, a wrapper of the IDataObject that a drop
// or the clipboard hands over.
#pragma once

#include <ole2.h>

// The effect of a drop: DROPEFFECT_NONE, _COPY, _MOVE, _LINK, and _SCROLL while dragging.
typedef DWORD DROPEFFECT;

class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Wraps lpDataObject; with bAutoRelease the wrapper releases it when it lets it go.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Wraps what the OLE clipboard holds now; FALSE when it cannot be read.
    BOOL AttachClipboard();

    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    // Walks the formats the object offers: BeginEnumFormats, then GetNextFormat until FALSE.
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data in a medium the caller releases (ReleaseStgMedium); FALSE when not offered.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // The data as global memory that the caller owns and frees; NULL when not offered. Data the
    // object keeps for itself is copied, so the handle is always the caller's.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    LPDATAOBJECT m_lpDataObject;
    LPENUMFORMATETC m_lpEnumerator;
    BOOL m_bAutoRelease;
};

// A FORMATETC for cfFormat in global memory when lpFormatEtc is NULL, else *lpFormatEtc.
FORMATETC AfxFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed);
