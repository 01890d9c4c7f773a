// The push button that stands as a header over a line column of the source window. It always
// carries the same control id, whatever its creator asks for (an id past 16 bits: WM_COMMAND
// carries only its low word), and draws its caption in a font of its own.
#pragma once

#include "framework/afx.h"

class CHeader : public CButton {
    DECLARE_DYNAMIC(CHeader)
public:
    static constexpr UINT kControlId = 4567890;

    // nID is not used: the header takes kControlId.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID) override;
    CFont& Font() { return m_font; }

private:
    CFont m_font;
};
