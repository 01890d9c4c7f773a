// What a docking frame asks of the plug-ins that run its menus, and the makers of those plug-ins
// the toolbar library registers.
#pragma once

#include "framework/afx.h"

#include <memory>

class SECMenuBar;
namespace corvalis {
namespace foundation {
class SECWndPlugIn;
}
} // namespace corvalis

// What a docking frame asks of the plug-in that runs its menu bar. The bar and that plug-in (the
// menu-bar feature) live in the toolbar library above this one, so the frames reach them here.
class SECMenuBarLink {
public:
    virtual ~SECMenuBarLink() = default;
    virtual void BindMenuBar(SECMenuBar* pMenuBar) = 0;
    // Shows hMenu (resource id nMenuID) on the bar; TRUE when its buttons changed.
    virtual BOOL ShowMenuOnBar(HMENU hMenu, UINT nMenuID) = 0;
    // An MDI bar brings its maximised child's buttons in line; TRUE when they changed.
    virtual BOOL RefreshBarChildButtons() = 0;
    virtual void SetBarNegotiatedBorder() = 0;
    // Repaints the bar and lays out the frame that holds it.
    virtual void RelayoutBar() = 0;
};

// The menu plug-ins a docking frame plugs in live in the toolbar library above this one. That
// library registers a maker of each kind here, beside the plug-in's class, so a program that
// links the class has its maker; a frame without one plugs in nothing.
class SECMenuPlugInFactory {
public:
    enum Kind { kindBitmapMenus, kindMenuBarFeature, kindCount };
    virtual ~SECMenuPlugInFactory() = default;
    virtual std::unique_ptr<corvalis::foundation::SECWndPlugIn> CreatePlugIn() const = 0;

    // The maker registered for kind, or NULL.
    static const SECMenuPlugInFactory* Get(Kind kind);
    // The last registration of a kind holds; NULL takes it back.
    static void Register(Kind kind, const SECMenuPlugInFactory* pFactory);
};

// A maker of TPlugIn, registered for its kind as long as it lives.
template <class TPlugIn> class SECMenuPlugInFactoryOf : public SECMenuPlugInFactory {
public:
    explicit SECMenuPlugInFactoryOf(Kind kind) : m_kind(kind) { Register(kind, this); }
    ~SECMenuPlugInFactoryOf() override {
        if (Get(m_kind) == this)
            Register(m_kind, nullptr);
    }
    std::unique_ptr<corvalis::foundation::SECWndPlugIn> CreatePlugIn() const override {
        return std::make_unique<TPlugIn>();
    }

private:
    Kind m_kind;
};
