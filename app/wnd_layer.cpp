#include "app/wnd_layer.h"

namespace {
// Constant-initialised, so the layer ui/ installs while the core loads is
// never overwritten by a later initialiser.
wnd_layer_t* installed = nullptr;

wnd_layer_t& no_windows() {
    // Never destroyed: windows with static storage may still ask at exit.
    static auto* l = new wnd_layer_t;
    return *l;
}
}  // namespace

void set_wnd_layer(wnd_layer_t* layer) { installed = layer; }

wnd_layer_t& wnd_layer() { return installed ? *installed : no_windows(); }
