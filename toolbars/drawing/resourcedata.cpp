#include "toolbars/drawing/resourcedata.h"

#include "framework/win/resources.h"

const BYTE* LockResourceData(LPCTSTR lpszName, LPCTSTR lpszType, DWORD& cbSize) {
    cbSize = 0;
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, lpszType);
    HRSRC hRes = ::FindResourceW(hInst, lpszName, lpszType);
    HGLOBAL hGlobal = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
    const BYTE* pData = hGlobal != NULL ? static_cast<const BYTE*>(::LockResource(hGlobal)) : NULL;
    if (pData != NULL)
        cbSize = ::SizeofResource(hInst, hRes);
    return pData;
}
