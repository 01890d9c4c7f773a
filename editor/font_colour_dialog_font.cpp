// The font half of the font and colour dialog: the common font dialog, the labels and the
// sample.
#include "editor/font_colour_dialog.h"

INT_PTR SECEditFontColorDlg::RunFontDialog(CFontDialog& dialog) {
    const INT_PTR nResult = dialog.DoModal();
    // Not shown at all (e.g. a template it cannot use), unlike a cancel by the user.
    if (nResult != IDOK && ::CommDlgExtendedError() != 0)
        return -1;
    return nResult;
}

void SECEditFontColorDlg::OnChooseFont() {
    DWORD dwFlags = m_dwFontFlags | CF_ENABLETEMPLATE;
    if (m_logFont.lfCharSet != 0)
        dwFlags |= CF_SELECTSCRIPT; // only fonts of the script the font already has
    CFontDialog dialog(&m_logFont, dwFlags, NULL, this);
    dialog.m_cf.lpTemplateName = MAKEINTRESOURCEW(m_nFontTemplate);
    dialog.m_cf.hInstance = AfxFindResourceHandle(dialog.m_cf.lpTemplateName, RT_DIALOG);
    INT_PTR nResult = RunFontDialog(dialog);
    LOGFONTW chosen = dialog.m_lf;
    if (nResult == -1) {
        // Our template failed: the system's own still lets the user choose.
        CFontDialog standard(&m_logFont, dwFlags & ~(DWORD)CF_ENABLETEMPLATE, NULL, this);
        nResult = RunFontDialog(standard);
        chosen = standard.m_lf;
    }
    if (nResult != IDOK)
        return;
    m_logFont = chosen;
    UpdateFontLabels();
    RedrawSample();
}

void SECEditFontColorDlg::UpdateFontLabels() {
    if (m_hWnd == NULL)
        return;
    wchar_t face[LF_FACESIZE] = L"";
    ::lstrcpynW(face, m_logFont.lfFaceName, LF_FACESIZE);
    SetDlgItemText(IDC_SECEDIT_FACENAME, face);
    CString size;
    size.Format(L"%d pt", GetPointSize());
    SetDlgItemText(IDC_SECEDIT_FONTSIZE, size);
}

void SECEditFontColorDlg::OnPaint() {
    Default();
    CClientDC dc(this);
    DrawSample(&dc);
}

void SECEditFontColorDlg::RedrawSample() {
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return;
    CClientDC dc(this);
    DrawSample(&dc);
}

void SECEditFontColorDlg::DrawSample(CDC* pDC) {
    if (m_sample.GetSafeHwnd() == NULL)
        return;
    CRect rect;
    m_sample.GetClientRect(&rect);
    m_sample.MapWindowPoints(this, &rect);
    rect.left += 5;
    rect.right -= 5;
    rect.bottom -= 5;
    rect.top += 15;
    if (rect.IsRectEmpty())
        return;
    const SECEditColorGroup* pGroup = GetSelectedGroup();
    pDC->FillSolidRect(&rect, pGroup != nullptr ? pGroup->m_background : RGB(255, 255, 255));
    CBrush frame(::GetSysColor(COLOR_WINDOWFRAME));
    pDC->FrameRect(&rect, &frame);
    CRect inner = rect;
    inner.DeflateRect(2, 2);
    CFont font;
    CFont* pOldFont = nullptr;
    if (font.CreateFontIndirect(&m_logFont))
        pOldFont = pDC->SelectObject(&font);
    const COLORREF oldColor = pDC->SetTextColor(pGroup != nullptr ? pGroup->m_foreground : 0);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(kSampleText, -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(oldColor);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}
