#pragma once
// Images by name ("ui/close" is gfx/ui/close.png, else .jpg), each loaded once
// per run. The cache owns its textures until close_window().
#include "app/str.h"
#include "app/tex.h"

// Never null while a renderer exists: an image that cannot be loaded gives
// the placeholder "null", and the failed name is not cached.
zg::tex_t* get_img(const wchar_t* name);
// Caches a texture made by the program under a name of its own; the cache owns
// it from now on. A name already cached keeps its texture and tex is deleted.
// Returns the texture cached under the name (null for a null tex).
zg::tex_t* put_img(const wchar_t* name, zg::tex_t* tex);
// The cache name of a texture; null when it is not cached or the name is empty.
const wchar_t* get_img_name(zg::tex_t* tex);
bool img_exists(const wchar_t* name);
// For images that may be missing and are asked for every frame (effects,
// zones, backgrounds): null when the file does not exist, and the answer is
// remembered, so a missing image costs no disk probe per frame.
zg::tex_t* get_opt_img(const wchar_t* name);
// The image scaled once to w x h and kept under "<name>@<w>x<h>", for a
// picture drawn smaller every frame: a software renderer blends a scaled copy
// pixel by pixel. The image itself when it has that size already or no copy
// can be made.
zg::tex_t* get_img_sized(const wchar_t* name, int w, int h);
Str resolve_img_path(const wchar_t* name);
// A texture loaded from a file; null when it cannot be loaded.
zg::tex_t* new_tex(const wchar_t* path);
void free_img_cache();
// Changes whenever the cache is freed: holders of its textures (sprite sheets
// kept by the screens) compare it to know their pointers died.
int img_cache_generation();
