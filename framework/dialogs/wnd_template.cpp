// Any window made from a dialog template, and the template's initialisation data.
#include "framework/dialogs/dialog.h"
#include "framework/win/resources.h"
#include "framework/win/wnd_state.h"

#include <cstring>
#include <string>
#include <vector>

namespace {
// A copy of a template resource, made a child window (a bar or pane is never a popup).
bool LoadChildTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst, std::vector<BYTE>& bytes) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    const void* p = hTemplate != NULL ? ::LockResource(hTemplate) : NULL;
    const DWORD cb = hResource != NULL ? ::SizeofResource(hInst, hResource) : 0;
    if (p == NULL || cb < sizeof(DLGTEMPLATE))
        return false;
    bytes.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + cb);
    WORD words[2];
    std::memcpy(words, bytes.data(), sizeof(words));
    const bool bExtended = words[0] == 1 && words[1] == 0xFFFF;
    const size_t offset =
        bExtended ? 12 : 0; // DLGTEMPLATEEX: version, signature, help id, ex style
    if (bytes.size() < offset + sizeof(DWORD))
        return false;
    DWORD dwStyle;
    std::memcpy(&dwStyle, bytes.data() + offset, sizeof(dwStyle));
    dwStyle = (dwStyle & ~WS_POPUP) | WS_CHILD;
    std::memcpy(bytes.data() + offset, &dwStyle, sizeof(dwStyle));
    *phInst = hInst;
    return true;
}
// Whether every record of initialisation data, and its end mark, lies inside cb bytes.
bool DlgInitFits(const BYTE* pb, size_t cb) {
    size_t at = 0;
    for (;;) {
        if (at + sizeof(WORD) > cb)
            return false;
        WORD nIDC;
        std::memcpy(&nIDC, pb + at, sizeof(WORD));
        if (nIDC == 0)
            return true;
        if (at + 8 > cb)
            return false;
        DWORD dwLen;
        std::memcpy(&dwLen, pb + at + 4, sizeof(DWORD));
        if (dwLen > cb - at - 8)
            return false;
        at += 8 + dwLen;
    }
}
} // namespace

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    if (m_hWnd != NULL || lpszTemplateName == NULL)
        return FALSE;
    HINSTANCE hInst = NULL;
    std::vector<BYTE> bytes;
    if (!LoadChildTemplate(lpszTemplateName, &hInst, bytes))
        return FALSE;
    HWND hWnd = NULL;
    {
        CWndCreationScope scope(this, WC_DIALOG);
        if (scope.Hooked())
            hWnd =
                ::CreateDialogIndirectParamW(hInst, reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()),
                                             pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    }
    if (hWnd == NULL)
        return FALSE;
    if (m_hWnd != hWnd) {
        ::DestroyWindow(hWnd); // never reached the framework
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName) {
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEW(240));
    HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, MAKEINTRESOURCEW(240));
    if (hResource == NULL)
        return TRUE; // no initialisation data: nothing to do
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    void* p = hData != NULL ? ::LockResource(hData) : NULL;
    if (p == NULL)
        return FALSE;
    // Data whose records run past the resource is refused, not read.
    if (!DlgInitFits(static_cast<const BYTE*>(p), ::SizeofResource(hInst, hResource)))
        return FALSE;
    return ExecuteDlgInit(p);
}

// Records: control id (WORD), message (WORD; 0x401 list box, 0x403 combo box string), length
// (DWORD), then that many bytes of 8-bit text; a control id of 0 ends them.
BOOL CWnd::ExecuteDlgInit(LPVOID lpResource) {
    if (lpResource == NULL)
        return TRUE;
    const BYTE* pb = static_cast<const BYTE*>(lpResource);
    BOOL bSuccess = TRUE;
    for (;;) {
        WORD nIDC, nMsg;
        DWORD dwLen;
        std::memcpy(&nIDC, pb, sizeof(WORD));
        if (nIDC == 0)
            break;
        std::memcpy(&nMsg, pb + 2, sizeof(WORD));
        std::memcpy(&dwLen, pb + 4, sizeof(DWORD));
        pb += 8;
        if (dwLen > 0x10000)
            return FALSE; // a length no template writes
        std::string text(reinterpret_cast<const char*>(pb), dwLen);
        pb += dwLen;
        if (!text.empty() && text.back() == 0)
            text.pop_back();
        const int cch = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
        std::wstring wide(cch > 0 ? cch : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], cch);
        UINT uMsg = 0;
        if (nMsg == 0x0401)
            uMsg = LB_ADDSTRING;
        else if (nMsg == 0x0403)
            uMsg = CB_ADDSTRING;
        if (uMsg == 0)
            continue;
        const LRESULT r = ::SendDlgItemMessageW(m_hWnd, nIDC, uMsg, 0, (LPARAM)wide.c_str());
        if (r == LB_ERRSPACE || r == CB_ERRSPACE)
            bSuccess = FALSE;
    }
    return bSuccess;
}
