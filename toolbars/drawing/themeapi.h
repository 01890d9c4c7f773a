// Late-bound visual styles: the theme functions of UXTHEME.DLL, TransparentBlt and
// TrackMouseEvent are looked up at run time, so the library loads and paints (unthemed) where
// they are missing. Each Dyn* wrapper takes the system function's arguments and, when the entry
// is not bound, answers a fixed failure value without calling anything.
#pragma once

#include <windows.h>
#include <uxtheme.h>

// Binds every entry; loads the libraries once (a second call does nothing). Always TRUE.
BOOL InitThemeApi();
// Unbinds every entry and frees the libraries. Always TRUE.
BOOL FreeThemeApi();

// "Themed": the application is themed and a theme is active, asked in that order.
BOOL IsThemed();

// The bound-entry table, in its fixed order (47 theme entries, TransparentBlt, TrackMouseEvent).
int GetThemeApiEntryCount();
LPCSTR GetThemeApiEntryName(int nIndex);
BOOL IsThemeApiEntryBound(int nIndex);

// Failure value 0 (null handle, FALSE, black).
HTHEME DynOpenThemeData(HWND hwnd, LPCWSTR pszClassList);
BOOL DynIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId);
BOOL DynIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
COLORREF DynGetThemeSysColor(HTHEME hTheme, int iColorId);
HBRUSH DynGetThemeSysColorBrush(HTHEME hTheme, int iColorId);
BOOL DynGetThemeSysBool(HTHEME hTheme, int iBoolId);
BOOL DynIsThemeActive();
BOOL DynIsAppThemed();
HTHEME DynGetWindowTheme(HWND hwnd);
BOOL DynIsThemeDialogTextureEnabled(HWND hwnd);
DWORD DynGetThemeAppProperties();
BOOL DynTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);

// Failure value -1.
int DynGetThemeSysSize(HTHEME hTheme, int iSizeId);

// No result: does nothing when unbound.
void DynSetThemeAppProperties(DWORD dwFlags);

// Failure value E_FAIL.
HRESULT DynCloseThemeData(HTHEME hTheme);
HRESULT DynDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                               LPCRECT pClipRect);
HRESULT DynDrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                         int iCharCount, DWORD dwTextFlags, DWORD dwTextFlags2, LPCRECT pRect);
HRESULT DynGetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                         LPCRECT pBoundingRect, LPRECT pContentRect);
HRESULT DynGetThemeBackgroundExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                    LPCRECT pContentRect, LPRECT pExtentRect);
HRESULT DynGetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT prc,
                            THEMESIZE eSize, SIZE* psz);
HRESULT DynGetThemeTextExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                              int iCharCount, DWORD dwTextFlags, LPCRECT pBoundingRect,
                              LPRECT pExtentRect);
HRESULT DynGetThemeTextMetrics(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, TEXTMETRICW* ptm);
HRESULT DynGetThemeBackgroundRegion(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                    LPCRECT pRect, HRGN* pRegion);
HRESULT DynHitTestThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                  DWORD dwOptions, LPCRECT pRect, HRGN hrgn, POINT ptTest,
                                  WORD* pwHitTestCode);
HRESULT DynDrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pDestRect,
                         UINT uEdge, UINT uFlags, LPRECT pContentRect);
HRESULT DynDrawThemeIcon(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                         HIMAGELIST himl, int iImageIndex);
HRESULT DynGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
HRESULT DynGetThemeMetric(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                          int* piVal);
HRESULT DynGetThemeString(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszBuff,
                          int cchMaxBuffChars);
HRESULT DynGetThemeBool(HTHEME hTheme, int iPartId, int iStateId, int iPropId, BOOL* pfVal);
HRESULT DynGetThemeInt(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
HRESULT DynGetThemeEnumValue(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
HRESULT DynGetThemePosition(HTHEME hTheme, int iPartId, int iStateId, int iPropId, POINT* pPoint);
HRESULT DynGetThemeFont(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                        LOGFONTW* pFont);
HRESULT DynGetThemeRect(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPRECT pRect);
HRESULT DynGetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                           LPCRECT prc, MARGINS* pMargins);
HRESULT DynGetThemeIntList(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                           INTLIST* pIntList);
HRESULT DynGetThemePropertyOrigin(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                                  enum PROPERTYORIGIN* pOrigin);
HRESULT DynSetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
HRESULT DynGetThemeFilename(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                            LPWSTR pszThemeFileName, int cchMaxBuffChars);
HRESULT DynGetThemeSysFont(HTHEME hTheme, int iFontId, LOGFONTW* plf);
HRESULT DynGetThemeSysString(HTHEME hTheme, int iStringId, LPWSTR pszStringBuff,
                             int cchMaxStringChars);
HRESULT DynGetThemeSysInt(HTHEME hTheme, int iIntId, int* piValue);
HRESULT DynEnableThemeDialogTexture(HWND hwnd, DWORD dwFlags);
HRESULT DynGetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                               int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
HRESULT DynGetThemeDocumentationProperty(LPCWSTR pszThemeName, LPCWSTR pszPropertyName,
                                         LPWSTR pszValueBuff, int cchMaxValChars);
HRESULT DynDrawThemeParentBackground(HWND hwnd, HDC hdc, RECT* prc);
HRESULT DynEnableTheming(BOOL fEnable);
