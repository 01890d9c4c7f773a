#include "host/lib/host_window.h"

#include "host/lib/call_log.h"
#include "host/lib/command_line.h"
#include "host/lib/host_state.h"

#include <cstdio>
#include <map>

namespace {
const wchar_t kClass[] = L"MoxHostRegisters";

std::map<HWND, std::function<void(HWND)>>& CloseHandlers() {
    static std::map<HWND, std::function<void(HWND)>> handlers;
    return handlers;
}

void Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT client;
    GetClientRect(hWnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    const char* names[] = {"EAX", "EBX", "ECX", "EDX", "ESI", "EDI", "EBP", "ESP", "EIP"};
    for (int i = 0; i < 9; ++i) {
        char line[64];
        int n = snprintf(line, sizeof line, "%s  %08X", names[i], 0x00401000u + i * 0x111u);
        TextOutA(dc, 6, 4 + i * 16, line, n);
    }
    SelectObject(dc, old);
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_CLOSE: {
        auto found = CloseHandlers().find(hWnd);
        if (found != CloseHandlers().end() && found->second) {
            auto handler = found->second; // the handler may destroy this window
            handler(hWnd);
        }
        return 0;
    }
    case WM_NCDESTROY:
        CloseHandlers().erase(hWnd);
        break;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

HWND CreateRegistersWindow(HWND parent, std::function<void(HWND)> onClose) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        registered = RegisterClassW(&wc) != 0;
    }
    RECT client{};
    GetClientRect(parent, &client);
    HWND hWnd = CreateWindowExW(0, kClass, L"Registers", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                client.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hWnd)
        CloseHandlers()[hWnd] = std::move(onClose);
    return hWnd;
}

// The run keys of a debugger, carried out in the host's own command language.
const char* CommandLineOfKey(WPARAM key) {
    switch (key) {
    case VK_F5:
        return "GO";
    case VK_F8:
        return "STEP";
    case VK_F10:
        return "STEP /OVER";
    default:
        return nullptr;
    }
}

namespace {
LRESULT CALLBACK HostKeyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        LogHostCall("HostKey", static_cast<int>(wParam));
        if (const char* line = CommandLineOfKey(wParam)) {
            LogHostCall("HostCommandLine", line);
            RunHostCommandLine(line);
        }
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

void* HostKeyRecord() {
    uint32_t* record = HostState::Get().keyObject.word;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(record[47]));
    if (hWnd == nullptr || !IsWindow(hWnd)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostKeyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MoxHostKeys";
        RegisterClassW(&wc);
        hWnd = CreateWindowExW(0, L"MoxHostKeys", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
        record[47] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hWnd));
    }
    return record;
}
