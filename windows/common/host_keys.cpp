#include "windows/common/host_keys.h"

#include "ifac/h/hostwnd.h"
#include "shell/hostlink.h"

bool IsFunctionKey(UINT nKey) {
    return nKey >= VK_F1 && nKey <= VK_F24;
}

HWND HostKeyWindow() {
    const HostCommandTable* table = HostTable();
    if (table == nullptr)
        return NULL;
    const auto* object =
        static_cast<const HostKeyObject*>(table->GetHostObject(kHostObjectKeys, nullptr));
    if (object == nullptr)
        return NULL;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(object->word[47]));
    return hWnd != NULL && ::IsWindow(hWnd) ? hWnd : NULL;
}

bool SendFunctionKeyToHost(WPARAM key, LPARAM flags) {
    HWND target = HostKeyWindow();
    if (target == NULL)
        return false;
    ::SendMessageW(target, WM_KEYDOWN, key, flags);
    return true;
}
