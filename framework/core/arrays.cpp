#include "framework/core/arrays.h"

#include "framework/core/archive.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

namespace {
// Elements the archive reads and writes itself, one at a time.
template <class TYPE> void SerializeEach(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
    if (ar.IsStoring()) {
        for (; nCount-- > 0; ++pElements)
            ar << *pElements;
    } else {
        for (; nCount-- > 0; ++pElements)
            ar >> *pElements;
    }
}
} // namespace

template <>
void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount) {
    SerializeEach(ar, pElements, nCount);
}

template <>
void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount) {
    SerializeEach(ar, pElements, nCount);
}
