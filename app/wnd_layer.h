#pragma once
// The window tree as the ground floor sees it. The frame loop, the modal loop
// and the scene stack reach windows only through this interface, as the battle
// engine reaches its presentation through its listener; ui/ installs the real
// layer when the core is loaded (ui/wnd_layer.cpp). The default layer has no
// windows and does nothing.
#include <vector>

#include "app/evt.h"
#include "app/types.h"

class wnd_t;

class wnd_layer_t {
public:
    virtual ~wnd_layer_t() = default;

    // The window every top-level window hangs from; null without windows.
    virtual wnd_t* root() { return nullptr; }
    // Gives the root window the screen's rectangle; false when that failed.
    virtual bool create_root(const rect& screen) { return true; }
    virtual void arrange_root() {}

    // A pump pass begins: the last pass's command is forgotten.
    virtual void pump_started() {}
    // One translated event: pressed, focus and click tracking, the tooltip,
    // the drag, and then the window it belongs to.
    virtual void route(const evt_t& e) {}
    // Each frame before the scene: hover, tooltip and drag follow the mouse,
    // and the top modal window (or else the root) refreshes. True when a
    // modal window was refreshed: the scene stands still under it.
    virtual bool update(double dt) { return false; }
    // The window tree over the scene.
    virtual void paint() {}
    // Over the animations: the dragged image, the input method's composition.
    virtual void draw_over() {}

    // A modal loop starts over the top modal window or the root: the focus
    // goes inside it and it hears EVT_MODAL_OPEN. Returns that window, which
    // hears EVT_MODAL_CLOSE from modal_closed when the loop ends.
    virtual wnd_t* modal_opened() { return nullptr; }
    virtual void modal_closed(wnd_t* top) {}

    // The scene stack's windows: only `wnds` of the root's children are shown.
    virtual void show_only(const std::vector<wnd_t*>& wnds) {}
    // Appends the root's children that are made and shown.
    virtual void shown_top_wnds(std::vector<wnd_t*>* out) {}
};

// Null puts the default layer back.
void set_wnd_layer(wnd_layer_t* layer);
wnd_layer_t& wnd_layer();
