// The late-bound entry table and its wrappers.
#include "toolbars/drawing/themeapi.h"

#include <commctrl.h>

#define MOX_THEME_ENTRIES(X)                                                                       \
    X(OpenThemeData)                                                                               \
    X(CloseThemeData)                                                                              \
    X(DrawThemeBackground)                                                                         \
    X(DrawThemeText)                                                                               \
    X(GetThemeBackgroundContentRect)                                                               \
    X(GetThemeBackgroundExtent)                                                                    \
    X(GetThemePartSize)                                                                            \
    X(GetThemeTextExtent)                                                                          \
    X(GetThemeTextMetrics)                                                                         \
    X(GetThemeBackgroundRegion)                                                                    \
    X(HitTestThemeBackground)                                                                      \
    X(DrawThemeEdge)                                                                               \
    X(DrawThemeIcon)                                                                               \
    X(IsThemePartDefined)                                                                          \
    X(IsThemeBackgroundPartiallyTransparent)                                                       \
    X(GetThemeColor)                                                                               \
    X(GetThemeMetric)                                                                              \
    X(GetThemeString)                                                                              \
    X(GetThemeBool)                                                                                \
    X(GetThemeInt)                                                                                 \
    X(GetThemeEnumValue)                                                                           \
    X(GetThemePosition)                                                                            \
    X(GetThemeFont)                                                                                \
    X(GetThemeRect)                                                                                \
    X(GetThemeMargins)                                                                             \
    X(GetThemeIntList)                                                                             \
    X(GetThemePropertyOrigin)                                                                      \
    X(SetWindowTheme)                                                                              \
    X(GetThemeFilename)                                                                            \
    X(GetThemeSysColor)                                                                            \
    X(GetThemeSysColorBrush)                                                                       \
    X(GetThemeSysBool)                                                                             \
    X(GetThemeSysSize)                                                                             \
    X(GetThemeSysFont)                                                                             \
    X(GetThemeSysString)                                                                           \
    X(GetThemeSysInt)                                                                              \
    X(IsThemeActive)                                                                               \
    X(IsAppThemed)                                                                                 \
    X(GetWindowTheme)                                                                              \
    X(EnableThemeDialogTexture)                                                                    \
    X(IsThemeDialogTextureEnabled)                                                                 \
    X(GetThemeAppProperties)                                                                       \
    X(SetThemeAppProperties)                                                                       \
    X(GetCurrentThemeName)                                                                         \
    X(GetThemeDocumentationProperty)                                                               \
    X(DrawThemeParentBackground)                                                                   \
    X(EnableTheming)

namespace {

enum Entry {
#define MOX_ENTRY_ID(name) k##name,
    MOX_THEME_ENTRIES(MOX_ENTRY_ID)
#undef MOX_ENTRY_ID
        kThemeEntryCount,
    kTransparentBlt = kThemeEntryCount,
    kTrackMouseEvent,
    kEntryCount
};
static_assert(kThemeEntryCount == 47 && kEntryCount == 49, "the table has 47 theme entries");

const char* const kEntryNames[kEntryCount] = {
#define MOX_ENTRY_NAME(name) #name,
    MOX_THEME_ENTRIES(MOX_ENTRY_NAME)
#undef MOX_ENTRY_NAME
        "TransparentBlt",
    "TrackMouseEvent"};

// The generic function-pointer type: converting through it keeps the compiler from comparing
// the entries' signatures with GetProcAddress's.
using AnyProc = void (*)(void);

AnyProc g_slots[kEntryCount];
HMODULE g_hUxTheme;
HMODULE g_hMsImg32;
HMODULE g_hUser32;
bool g_bLoaded;

void Bind(HMODULE hModule, int first, int last) {
    if (hModule == NULL)
        return;
    for (int i = first; i <= last; ++i)
        g_slots[i] = reinterpret_cast<AnyProc>(::GetProcAddress(hModule, kEntryNames[i]));
}

void Unload(HMODULE& hModule) {
    if (hModule != NULL)
        ::FreeLibrary(hModule);
    hModule = NULL;
}

// Calls entry e as a function of type Fn, or answers the failure value when it is unbound.
template <class Fn, class R, class... A> R Call(Entry e, R failure, A... args) {
    Fn* fn = reinterpret_cast<Fn*>(g_slots[e]);
    return fn != nullptr ? fn(args...) : failure;
}

} // namespace

#define MOX_CALL(name, failure, ...) Call<decltype(::name)>(k##name, failure, __VA_ARGS__)
#define MOX_CALL0(name, failure) Call<decltype(::name)>(k##name, failure)

BOOL InitThemeApi() {
    if (g_bLoaded)
        return TRUE;
    ::InitCommonControls();
    g_hUxTheme = ::LoadLibraryW(L"UXTHEME.DLL");
    Bind(g_hUxTheme, 0, kThemeEntryCount - 1);
    g_hMsImg32 = ::LoadLibraryW(L"MSIMG32.DLL");
    Bind(g_hMsImg32, kTransparentBlt, kTransparentBlt);
    g_hUser32 = ::LoadLibraryW(L"USER32.DLL");
    Bind(g_hUser32, kTrackMouseEvent, kTrackMouseEvent);
    g_bLoaded = true;
    return TRUE;
}

BOOL FreeThemeApi() {
    if (!g_bLoaded)
        return TRUE;
    for (AnyProc& slot : g_slots)
        slot = nullptr;
    Unload(g_hUxTheme);
    Unload(g_hMsImg32);
    Unload(g_hUser32);
    g_bLoaded = false;
    return TRUE;
}

BOOL IsThemed() {
    return DynIsAppThemed() && DynIsThemeActive();
}

int GetThemeApiEntryCount() {
    return kEntryCount;
}

LPCSTR GetThemeApiEntryName(int nIndex) {
    return nIndex >= 0 && nIndex < kEntryCount ? kEntryNames[nIndex] : NULL;
}

BOOL IsThemeApiEntryBound(int nIndex) {
    return nIndex >= 0 && nIndex < kEntryCount && g_slots[nIndex] != nullptr;
}

HTHEME DynOpenThemeData(HWND hwnd, LPCWSTR pszClassList) {
    return MOX_CALL(OpenThemeData, HTHEME(NULL), hwnd, pszClassList);
}
BOOL DynIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId) {
    return MOX_CALL(IsThemePartDefined, BOOL(FALSE), hTheme, iPartId, iStateId);
}
BOOL DynIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId) {
    return MOX_CALL(IsThemeBackgroundPartiallyTransparent, BOOL(FALSE), hTheme, iPartId, iStateId);
}
COLORREF DynGetThemeSysColor(HTHEME hTheme, int iColorId) {
    return MOX_CALL(GetThemeSysColor, COLORREF(0), hTheme, iColorId);
}
HBRUSH DynGetThemeSysColorBrush(HTHEME hTheme, int iColorId) {
    return MOX_CALL(GetThemeSysColorBrush, HBRUSH(NULL), hTheme, iColorId);
}
BOOL DynGetThemeSysBool(HTHEME hTheme, int iBoolId) {
    return MOX_CALL(GetThemeSysBool, BOOL(FALSE), hTheme, iBoolId);
}
BOOL DynIsThemeActive() {
    return MOX_CALL0(IsThemeActive, BOOL(FALSE));
}
BOOL DynIsAppThemed() {
    return MOX_CALL0(IsAppThemed, BOOL(FALSE));
}
HTHEME DynGetWindowTheme(HWND hwnd) {
    return MOX_CALL(GetWindowTheme, HTHEME(NULL), hwnd);
}
BOOL DynIsThemeDialogTextureEnabled(HWND hwnd) {
    return MOX_CALL(IsThemeDialogTextureEnabled, BOOL(FALSE), hwnd);
}
DWORD DynGetThemeAppProperties() {
    return MOX_CALL0(GetThemeAppProperties, DWORD(0));
}
BOOL DynTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    return MOX_CALL(TrackMouseEvent, BOOL(FALSE), lpEventTrack);
}
int DynGetThemeSysSize(HTHEME hTheme, int iSizeId) {
    return MOX_CALL(GetThemeSysSize, -1, hTheme, iSizeId);
}
void DynSetThemeAppProperties(DWORD dwFlags) {
    if (auto fn =
            reinterpret_cast<decltype(::SetThemeAppProperties)*>(g_slots[kSetThemeAppProperties]))
        fn(dwFlags);
}

HRESULT DynCloseThemeData(HTHEME hTheme) {
    return MOX_CALL(CloseThemeData, E_FAIL, hTheme);
}
HRESULT DynDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                               LPCRECT pClipRect) {
    return MOX_CALL(DrawThemeBackground, E_FAIL, hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
}
HRESULT DynDrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                         int iCharCount, DWORD dwTextFlags, DWORD dwTextFlags2, LPCRECT pRect) {
    return MOX_CALL(DrawThemeText, E_FAIL, hTheme, hdc, iPartId, iStateId, pszText, iCharCount,
                    dwTextFlags, dwTextFlags2, pRect);
}
HRESULT DynGetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                         LPCRECT pBoundingRect, LPRECT pContentRect) {
    return MOX_CALL(GetThemeBackgroundContentRect, E_FAIL, hTheme, hdc, iPartId, iStateId,
                    pBoundingRect, pContentRect);
}
HRESULT DynGetThemeBackgroundExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                    LPCRECT pContentRect, LPRECT pExtentRect) {
    return MOX_CALL(GetThemeBackgroundExtent, E_FAIL, hTheme, hdc, iPartId, iStateId, pContentRect,
                    pExtentRect);
}
HRESULT DynGetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT prc,
                            THEMESIZE eSize, SIZE* psz) {
    // The input rectangle is only read; some headers declare it writable.
    return MOX_CALL(GetThemePartSize, E_FAIL, hTheme, hdc, iPartId, iStateId,
                    const_cast<LPRECT>(prc), eSize, psz);
}
HRESULT DynGetThemeTextExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                              int iCharCount, DWORD dwTextFlags, LPCRECT pBoundingRect,
                              LPRECT pExtentRect) {
    return MOX_CALL(GetThemeTextExtent, E_FAIL, hTheme, hdc, iPartId, iStateId, pszText, iCharCount,
                    dwTextFlags, pBoundingRect, pExtentRect);
}
HRESULT DynGetThemeTextMetrics(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                               TEXTMETRICW* ptm) {
    return MOX_CALL(GetThemeTextMetrics, E_FAIL, hTheme, hdc, iPartId, iStateId, ptm);
}
HRESULT DynGetThemeBackgroundRegion(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                    LPCRECT pRect, HRGN* pRegion) {
    return MOX_CALL(GetThemeBackgroundRegion, E_FAIL, hTheme, hdc, iPartId, iStateId, pRect,
                    pRegion);
}
HRESULT DynHitTestThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                  DWORD dwOptions, LPCRECT pRect, HRGN hrgn, POINT ptTest,
                                  WORD* pwHitTestCode) {
    return MOX_CALL(HitTestThemeBackground, E_FAIL, hTheme, hdc, iPartId, iStateId, dwOptions,
                    pRect, hrgn, ptTest, pwHitTestCode);
}
HRESULT DynDrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pDestRect,
                         UINT uEdge, UINT uFlags, LPRECT pContentRect) {
    return MOX_CALL(DrawThemeEdge, E_FAIL, hTheme, hdc, iPartId, iStateId, pDestRect, uEdge, uFlags,
                    pContentRect);
}
HRESULT DynDrawThemeIcon(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                         HIMAGELIST himl, int iImageIndex) {
    return MOX_CALL(DrawThemeIcon, E_FAIL, hTheme, hdc, iPartId, iStateId, pRect, himl,
                    iImageIndex);
}
HRESULT DynGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
    return MOX_CALL(GetThemeColor, E_FAIL, hTheme, iPartId, iStateId, iPropId, pColor);
}
HRESULT DynGetThemeMetric(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                          int* piVal) {
    return MOX_CALL(GetThemeMetric, E_FAIL, hTheme, hdc, iPartId, iStateId, iPropId, piVal);
}
HRESULT DynGetThemeString(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszBuff,
                          int cchMaxBuffChars) {
    return MOX_CALL(GetThemeString, E_FAIL, hTheme, iPartId, iStateId, iPropId, pszBuff,
                    cchMaxBuffChars);
}
HRESULT DynGetThemeBool(HTHEME hTheme, int iPartId, int iStateId, int iPropId, BOOL* pfVal) {
    return MOX_CALL(GetThemeBool, E_FAIL, hTheme, iPartId, iStateId, iPropId, pfVal);
}
HRESULT DynGetThemeInt(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal) {
    return MOX_CALL(GetThemeInt, E_FAIL, hTheme, iPartId, iStateId, iPropId, piVal);
}
HRESULT DynGetThemeEnumValue(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal) {
    return MOX_CALL(GetThemeEnumValue, E_FAIL, hTheme, iPartId, iStateId, iPropId, piVal);
}
HRESULT DynGetThemePosition(HTHEME hTheme, int iPartId, int iStateId, int iPropId, POINT* pPoint) {
    return MOX_CALL(GetThemePosition, E_FAIL, hTheme, iPartId, iStateId, iPropId, pPoint);
}
HRESULT DynGetThemeFont(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                        LOGFONTW* pFont) {
    return MOX_CALL(GetThemeFont, E_FAIL, hTheme, hdc, iPartId, iStateId, iPropId, pFont);
}
HRESULT DynGetThemeRect(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPRECT pRect) {
    return MOX_CALL(GetThemeRect, E_FAIL, hTheme, iPartId, iStateId, iPropId, pRect);
}
HRESULT DynGetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                           LPCRECT prc, MARGINS* pMargins) {
    return MOX_CALL(GetThemeMargins, E_FAIL, hTheme, hdc, iPartId, iStateId, iPropId,
                    const_cast<LPRECT>(prc), pMargins);
}
HRESULT DynGetThemeIntList(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                           INTLIST* pIntList) {
    return MOX_CALL(GetThemeIntList, E_FAIL, hTheme, iPartId, iStateId, iPropId, pIntList);
}
HRESULT DynGetThemePropertyOrigin(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                                  enum PROPERTYORIGIN* pOrigin) {
    return MOX_CALL(GetThemePropertyOrigin, E_FAIL, hTheme, iPartId, iStateId, iPropId, pOrigin);
}
HRESULT DynSetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList) {
    return MOX_CALL(SetWindowTheme, E_FAIL, hwnd, pszSubAppName, pszSubIdList);
}
HRESULT DynGetThemeFilename(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                            LPWSTR pszThemeFileName, int cchMaxBuffChars) {
    return MOX_CALL(GetThemeFilename, E_FAIL, hTheme, iPartId, iStateId, iPropId, pszThemeFileName,
                    cchMaxBuffChars);
}
HRESULT DynGetThemeSysFont(HTHEME hTheme, int iFontId, LOGFONTW* plf) {
    return MOX_CALL(GetThemeSysFont, E_FAIL, hTheme, iFontId, plf);
}
HRESULT DynGetThemeSysString(HTHEME hTheme, int iStringId, LPWSTR pszStringBuff,
                             int cchMaxStringChars) {
    return MOX_CALL(GetThemeSysString, E_FAIL, hTheme, iStringId, pszStringBuff, cchMaxStringChars);
}
HRESULT DynGetThemeSysInt(HTHEME hTheme, int iIntId, int* piValue) {
    return MOX_CALL(GetThemeSysInt, E_FAIL, hTheme, iIntId, piValue);
}
HRESULT DynEnableThemeDialogTexture(HWND hwnd, DWORD dwFlags) {
    return MOX_CALL(EnableThemeDialogTexture, E_FAIL, hwnd, dwFlags);
}
HRESULT DynGetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                               int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars) {
    return MOX_CALL(GetCurrentThemeName, E_FAIL, pszThemeFileName, cchMaxNameChars, pszColorBuff,
                    cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}
HRESULT DynGetThemeDocumentationProperty(LPCWSTR pszThemeName, LPCWSTR pszPropertyName,
                                         LPWSTR pszValueBuff, int cchMaxValChars) {
    return MOX_CALL(GetThemeDocumentationProperty, E_FAIL, pszThemeName, pszPropertyName,
                    pszValueBuff, cchMaxValChars);
}
HRESULT DynDrawThemeParentBackground(HWND hwnd, HDC hdc, RECT* prc) {
    return MOX_CALL(DrawThemeParentBackground, E_FAIL, hwnd, hdc, prc);
}
HRESULT DynEnableTheming(BOOL fEnable) {
    return MOX_CALL(EnableTheming, E_FAIL, fEnable);
}
