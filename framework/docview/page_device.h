// CPageDevice: the page a print preview lays out for: its size in dots, its resolution and a DC
// to measure on. It is the chosen printer, or, where none is installed, a stand-in page of a
// stated size and resolution measured on a screen-compatible DC.
#pragma once

#include <windows.h>

#include "framework/core/geometry.h"

class CPageDevice {
public:
    // Takes over hPrinterDC (deleted with the object); NULL gives the stand-in page.
    explicit CPageDevice(HDC hPrinterDC);
    ~CPageDevice();
    CPageDevice(const CPageDevice&) = delete;
    CPageDevice& operator=(const CPageDevice&) = delete;

    // The stand-in page every later preview without a printer uses. Sizes and resolutions
    // below 1 dot are refused (FALSE) and leave the previous stand-in in place.
    static BOOL SetStandIn(CSize sizeDots, CSize sizeDpi);
    static CSize GetStandInSize();
    static CSize GetStandInDpi();

    HDC GetMeasureDC() const { return m_hDC; }
    BOOL IsStandIn() const { return m_bStandIn; }
    CSize GetSize() const { return m_size; } // HORZRES, VERTRES
    CSize GetDpi() const { return m_dpi; }   // LOGPIXELSX, LOGPIXELSY
    // What the page answers for a device capability it describes; FALSE for any other index.
    BOOL GetCaps(int nIndex, int* pnValue) const;

private:
    HDC m_hDC = NULL;
    BOOL m_bStandIn = FALSE;
    CSize m_size;
    CSize m_dpi;
};
