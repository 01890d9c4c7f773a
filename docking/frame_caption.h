// The docking frames' own caption: the rectangle it takes, the stepped gradient it is filled
// with, and the painter that draws icon, gradient and title into it.
#pragma once

#include "framework/afx.h"

namespace sec_caption {

// Fills rect in nSteps bands from clrStart to clrEnd (each channel in 1/256 units, never past
// its end value); the rectangle's last row stays unpainted. Nothing for no width or no steps.
void GradientFill(HDC hDC, const RECT& rect, int nSteps, COLORREF clrStart, COLORREF clrEnd);
// The caption rectangle of a window of dwStyle and width cx (window coordinates), left of the
// standard caption buttons (bCloseButton: the system menu's close item is enabled).
CRect CaptionRect(DWORD dwStyle, int cx, BOOL bWin4, BOOL bCloseButton);
// The same for a live window.
CRect CaptionRect(HWND hWnd, BOOL bWin4);
// The system's caption font (bItalic: slanted).
BOOL CreateCaptionFont(CFont& font, BOOL bItalic);
// Visual themes draw the caption: no own caption then.
BOOL ThemesActive();
// Default processing of a caption message with WS_VISIBLE off for the call, so that the
// system draws no caption of its own over ours.
LRESULT DefaultHidden(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The system's non-client painting with the caption rectangle clipped out.
void PaintFrameAroundCaption(CWnd* pWnd, BOOL bWin4);
// Paints pWnd's caption rectangle: FALSE when no memory DC or bitmap could be made.
BOOL DrawGradientCaption(CWnd* pWnd, BOOL bActive, BOOL bWin4, CFont& font, CFont& fontItalic);

// Turns pWnd's own caption on or off (bOwnCaption its flag) and has the frame drawn again; it
// stays as it is where the system has no flat caption (bWin4 off) or themes draw it. Answers
// the old setting.
BOOL EnableOwnCaption(CWnd* pWnd, BOOL& bOwnCaption, BOOL bWin4, BOOL bEnable);

} // namespace sec_caption
