// Times the edit view's painting of generated C coloured by "cpp.ini" in a window of 100 lines
// by 120 columns: (a) a full repaint, repeated; (b) Page Down from the top to the end of a
// 100,000-line file, twice (the first pass colours the lines as it goes). The floor, in the
// same run, window, font and colours: the same colour runs, tabs expanded beforehand, one
// ExtTextOutW (ETO_OPAQUE) each into an off-screen bitmap of the client size, then one BitBlt.
// Run with a screen that holds the window, e.g. MOX_SCREEN=1920x1800x24 scripts/wine-run ...
#include "bench/bench_clock.h"
#include "editor/edit_ctrl.h"
#include "editor/lang_ini.h"
#include "editor/lang_registry.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 100;
constexpr int kColumns = 120;
constexpr int kLongFile = 100000;

// One line of C, exactly 120 display columns with tabs of 4.
std::wstring CLine(int n) {
    static const wchar_t* const shapes[] = {
        L"\tint value_%d = compute(alpha, beta) + %d; /* running total */",
        L"\tif (count > %d && flags != %d) return \"limit reached\";",
        L"\t\tfor (unsigned i = 0; i < %d; ++i) { total += table[i] * %d; }",
        L"// %d: a line comment that explains what the code around line %d does",
        L"static const char* name_%d = \"generated string number %d\";",
    };
    wchar_t buffer[256];
    std::swprintf(buffer, 256, shapes[n % 5], n, n * 7);
    std::wstring line = buffer;
    int columns = 0;
    for (wchar_t c : line)
        columns = c == L'\t' ? (columns / 4 + 1) * 4 : columns + 1;
    while (columns < kColumns) {
        line += (columns % 9 == 8) ? L' ' : wchar_t(L'a' + columns % 26);
        ++columns;
    }
    return line;
}

std::wstring CText(int lines) {
    std::wstring text;
    text.reserve(size_t(lines) * (kColumns + 1));
    for (int i = 0; i < lines; ++i) {
        text += CLine(i);
        if (i + 1 < lines)
            text += L'\n';
    }
    return text;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A run as the floor draws it: text with tabs expanded, its cell and colours.
struct Run {
    std::wstring text;
    RECT cell;
    COLORREF fore, back;
};

// The runs of every line, tabs expanded and cells placed, from the model's colouring.
std::vector<std::vector<Run>> RunsOf(SECEditModel& model, int cw, int lh, int textLeft) {
    SECEditLangConfig* config = model.GetLangConfig();
    const SECEditColorGroup* base = config->GetColorGroup(0);
    std::vector<std::vector<Run>> all(size_t(model.GetLineCount()));
    for (int line = 0; line < model.GetLineCount(); ++line) {
        std::vector<uint32_t> runs;
        if (SECEditLineColouring* c = model.GetLineColouring(line))
            for (int i = 0; i < c->GetSize(); ++i)
                runs.push_back(c->GetAt(i));
        CString scratch;
        const wchar_t* chars = nullptr;
        const int length = model.GetLinePointer(line, scratch, chars);
        const std::wstring text(chars, size_t(std::max(0, length)));
        int column = 0, display = 0;
        size_t r = 0;
        while (column < length) {
            int count = length - column, group = 0;
            if (r < runs.size()) {
                const int n = SegmentLength(runs[r]);
                group = SegmentGroup(runs[r]);
                ++r;
                if (n > 0 && n < count)
                    count = n;
            }
            Run run;
            const int start = display;
            for (int i = column; i < column + count; ++i) {
                if (text[size_t(i)] == L'\t') {
                    const int next = (display / 4 + 1) * 4;
                    run.text.append(size_t(next - display), L' ');
                    display = next;
                } else {
                    run.text += text[size_t(i)];
                    ++display;
                }
            }
            const SECEditColorGroup* g =
                config->GetColorGroup(group < config->GetColorGroupCount() ? group : 0);
            run.fore = g->m_foreColorAutomatic ? base->m_foreground : g->m_foreground;
            run.back = g->m_backColorAutomatic ? base->m_background : g->m_background;
            run.cell = RECT{textLeft + start * cw, 0, textLeft + display * cw, lh};
            all[size_t(line)].push_back(std::move(run));
            column += count;
        }
    }
    return all;
}

// The floor's paint of the lines from `first` on.
void FloorPaint(HWND window, HFONT font, const std::vector<std::vector<Run>>& runs, int first,
                int lh, const RECT& client, COLORREF back) {
    HDC dc = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    HGDIOBJ oldFont = ::SelectObject(memory, font);
    ::SetBkColor(memory, back);
    ::ExtTextOutW(memory, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    for (int row = 0; row * lh < client.bottom && first + row < int(runs.size()); ++row)
        for (const Run& run : runs[size_t(first + row)]) {
            RECT cell = run.cell;
            cell.top = row * lh;
            cell.bottom = cell.top + lh;
            ::SetTextColor(memory, run.fore);
            ::SetBkColor(memory, run.back);
            ::ExtTextOutW(memory, cell.left, cell.top, ETO_OPAQUE, &cell, run.text.c_str(),
                          UINT(run.text.size()), nullptr);
        }
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, dc);
}

void Report(const char* what, double seconds, double floor, double target) {
    char goal[16] = "-";
    if (target > 0)
        std::snprintf(goal, sizeof goal, "<= %.1f x", target);
    std::printf("  %-46s %10.3f ms  floor %10.3f ms  %6.2f x   target %s\n", what, seconds * 1000,
                floor * 1000, seconds / floor, goal);
}

} // namespace

int main() {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring ini = exe;
    ini = ini.substr(0, ini.find_last_of(L"\\/") + 1) + L"cpp.ini";
    if (::GetFileAttributesW(ini.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("cpp.ini is not beside the program\n");
        return 1;
    }
    auto* reader = new SECEditLangIniReader(ini.c_str());
    SECEditLangConfigRegistry::RegisterLangConfig(L"CPP", reader, nullptr);
    reader->Release();

    CWnd frame;
    frame.CreateEx(0, nullptr, L"editor view bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                   nullptr);
    SECEditCtrl view;
    view.Create(nullptr, L"SECEdit", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &frame, 1);
    SECEditModel* model = view.GetEditModelOrCreate();
    model->SetLangConfigByName(L"CPP");
    model->SetText(CText(kLines).c_str());
    const int lh = view.GetLineHeight();
    const int cw = view.GetCharWidth();
    const int textLeft = view.GetEditController()->GetTextLeft();
    const int sb = ::GetSystemMetrics(SM_CXVSCROLL);
    const int width = textLeft + kColumns * cw + sb;
    const int height = kLines * lh + ::GetSystemMetrics(SM_CYHSCROLL);
    frame.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER);
    view.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER);
    Pump();
    RECT client;
    ::GetClientRect(view.m_hWnd, &client);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    std::printf(
        "editor view: %d x %d pixels (%d lines of %d columns, cell %d x %d), screen %d x %d%s\n",
        int(client.right), int(client.bottom), kLines, kColumns, cw, lh, screenWidth, screenHeight,
        width > screenWidth || height > screenHeight ? " -- too small: set MOX_SCREEN" : "");
    HFONT font = model->GetDisplayInfo()->GetFont(0);
    const COLORREF back = model->GetLangConfig()->GetColorGroup(0)->m_background;

    // (a) Full repaints of 100 coloured lines.
    {
        const auto runs = RunsOf(*model, cw, lh, textLeft);
        const int rounds = 60;
        ::InvalidateRect(view.m_hWnd, nullptr, FALSE);
        ::UpdateWindow(view.m_hWnd); // lines coloured once
        double t = Now();
        for (int i = 0; i < rounds; ++i) {
            ::InvalidateRect(view.m_hWnd, nullptr, FALSE);
            ::UpdateWindow(view.m_hWnd);
        }
        const double view_s = (Now() - t) / rounds;
        t = Now();
        for (int i = 0; i < rounds; ++i)
            FloorPaint(view.m_hWnd, font, runs, 0, lh, client, back);
        const double floor_s = (Now() - t) / rounds;
        std::printf("(a) full repaint of %d lines by %d columns, %d rounds\n", kLines, kColumns,
                    rounds);
        Report("InvalidateRect + UpdateWindow, one paint", view_s, floor_s, 2.0);
    }

    // (b) Page Down from the top to the end of a long file, twice.
    {
        model->SetText(CText(kLongFile).c_str());
        ::UpdateWindow(view.m_hWnd);
        Pump();
        auto pass = [&]() {
            ::SendMessageW(view.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
            ::UpdateWindow(view.m_hWnd);
            int pages = 0;
            const double t = Now();
            for (;;) {
                const int before = view.GetLogOrigin().y;
                ::SendMessageW(view.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
                ::UpdateWindow(view.m_hWnd);
                if (view.GetLogOrigin().y == before)
                    break;
                ++pages;
            }
            return std::make_pair(Now() - t, pages);
        };
        const auto first = pass();
        const auto second = pass();
        const auto runs = RunsOf(*model, cw, lh, textLeft);
        const int page = client.bottom / lh;
        const double t = Now();
        int pages = 0;
        for (int top = page; top <= kLongFile - page; top += page, ++pages)
            FloorPaint(view.m_hWnd, font, runs, top, lh, client, back);
        const double floor_s = Now() - t;
        std::printf("(b) Page Down through %d lines, %d pages a pass (floor %d pages)\n", kLongFile,
                    second.second, pages);
        Report("first pass (colours the lines)", first.first, floor_s, 0);
        Report("second pass", second.first, floor_s, 2.0);
    }
    view.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
