#include "app/img_cache.h"

#include <SDL.h>

#include <map>
#include <set>

#include "app/notes.h"
#include "app/paths.h"
#include "app/render.h"

namespace {

constexpr const wchar_t* placeholder_name = L"null";
// Drawn where the placeholder image itself is missing: small and loud.
constexpr int placeholder_side = 16;
constexpr uint32_t placeholder_argb = 0xFFFF00FFu;

// Holds raw pointers on purpose: nothing that touches SDL may run in a static destructor.
std::map<Str, zg::tex_t*>& cache() {
    static std::map<Str, zg::tex_t*> m;
    return m;
}

// Names asked for through get_opt_img whose file does not exist.
std::set<Str>& missing() {
    static std::set<Str> m;
    return m;
}

int generation = 0;

zg::tex_t* make_placeholder() {
    auto* t = new zg::tex_t;
    if (!t->create({placeholder_side, placeholder_side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_STATIC)) {
        delete t;
        return nullptr;
    }
    std::vector<uint32_t> px(placeholder_side * placeholder_side, placeholder_argb);
    SDL_UpdateTexture(t->tex, nullptr, px.data(), placeholder_side * 4);
    SDL_SetTextureBlendMode(t->tex, SDL_BLENDMODE_BLEND);
    return t;
}

}  // namespace

Str resolve_img_path(const wchar_t* name) {
    const Str base = get_gfx_dir() + or_empty(name);
    const Str png = base + L".png";
    return file_exists(png) ? png : base + L".jpg";
}

bool img_exists(const wchar_t* name) { return file_exists(resolve_img_path(name)); }

zg::tex_t* new_tex(const wchar_t* path) {
    auto* t = new zg::tex_t;
    if (t->load(path, 0)) return t;
    delete t;
    return nullptr;
}

zg::tex_t* get_img(const wchar_t* name) {
    const Str key = or_empty(name);
    auto& m = cache();
    if (auto it = m.find(key); it != m.end()) return it->second;
    zg::tex_t* t = new_tex(resolve_img_path(key));
    if (!t) {
        if (key != placeholder_name) {
            note_trouble(L"img", {key});
            return get_img(placeholder_name);
        }
        // The placeholder file is missing too: asking for it again would never end.
        t = make_placeholder();
        if (!t) return nullptr;
    }
    m[key] = t;
    return t;
}

zg::tex_t* get_opt_img(const wchar_t* name) {
    const Str key = or_empty(name);
    if (key.empty() || missing().count(key)) return nullptr;
    if (!cache().count(key) && !img_exists(key)) {
        missing().insert(key);
        return nullptr;
    }
    return get_img(key);
}

zg::tex_t* get_img_sized(const wchar_t* name, int w, int h) {
    zg::tex_t* full = get_img(name);
    if (!full || w < 1 || h < 1) return full;
    const size sz = full->get_size();
    if (sz.w == w && sz.h == h) return full;
    const Str key = Str(L"%s@%dx%d", or_empty(name), w, h);
    if (auto it = cache().find(key); it != cache().end()) return it->second;
    zg::tex_t* small = new_scaled_copy(full, nullptr, w, h);
    return small ? put_img(key, small) : full;
}

zg::tex_t* put_img(const wchar_t* name, zg::tex_t* tex) {
    if (!tex) return nullptr;
    const Str key = or_empty(name);
    auto [it, added] = cache().emplace(key, tex);
    if (!added) delete tex;
    missing().erase(key);
    return it->second;
}

const wchar_t* get_img_name(zg::tex_t* tex) {
    if (!tex) return nullptr;
    for (const auto& [name, t] : cache())
        if (t == tex) return name.empty() ? nullptr : name.c_str();
    return nullptr;
}

void free_img_cache() {
    for (auto& [name, t] : cache()) delete t;
    cache().clear();
    // A new game folder or a new window may bring the files back.
    missing().clear();
    ++generation;
}

int img_cache_generation() { return generation; }
