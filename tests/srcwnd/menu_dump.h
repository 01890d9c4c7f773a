// A built menu as lines of text: "id text" ("id text [x]" when checked), "-" for a separator,
// "> text" for a popup followed by its items indented by two blanks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline void DumpMenu(HMENU menu, const std::string& indent, std::vector<std::string>& out) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        std::string narrow;
        for (const wchar_t* p = text; *p; ++p)
            narrow += static_cast<char>(*p);
        if (info.fType & MFT_SEPARATOR) {
            out.push_back(indent + "-");
        } else if (info.hSubMenu) {
            out.push_back(indent + "> " + narrow);
            DumpMenu(info.hSubMenu, indent + "  ", out);
        } else {
            out.push_back(indent + std::to_string(info.wID) + " " + narrow +
                          (info.fState & MFS_CHECKED ? " [x]" : ""));
        }
    }
}

inline std::vector<std::string> DumpMenu(HMENU menu) {
    std::vector<std::string> out;
    DumpMenu(menu, "", out);
    return out;
}
