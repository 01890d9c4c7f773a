// The one list-window administrator: it owns every list window from its creation by the host to
// its destruction, and finds them by id.
#pragma once

#include "windows/list/list_window.h"

#include <memory>
#include <vector>

using CListWndArray = std::vector<std::unique_ptr<CListWindow>>;

class CListAdmin {
public:
    CListAdmin() = default;
    virtual ~CListAdmin();
    CListAdmin(const CListAdmin&) = delete;
    CListAdmin& operator=(const CListAdmin&) = delete;

    // The window with this id, null for none (0, unknown, destroyed).
    CListWindow* Find(intptr_t id) const;
    CListWindow* Add(std::unique_ptr<CListWindow> pWindow);
    // Takes the window out, closes its frame and deletes it, or keeps it until the host's
    // callback that asked for this has returned. FALSE for an unknown id.
    BOOL Destroy(intptr_t id, BOOL (*closeFrame)(intptr_t id));
    // Deletes the windows that were destroyed inside a callback once none is inside one.
    void Purge();
    // Who holds a list's redrawing off: the host's update switch, or a window's own short pause.
    // Each "on" lifts only its own "off"; the list repaints when neither holds it.
    enum RedrawHolder : DWORD { kHostUpdates = 0x200, kShortPause = 2 };
    // Switches the redrawing of a window's list off or on (and repaints) for one holder.
    BOOL EnableRedraw(intptr_t id, BOOL bOn, RedrawHolder holder);
    int Count() const { return (int)m_windows.size(); }

private:
    CListWndArray m_windows;
    CListWndArray m_destroyed;
};

// Between StartApp and EndApp: the administrator, else null.
CListAdmin* ListAdmin();
void CreateListAdmin();
void DeleteListAdmin();
