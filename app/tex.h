#pragma once
// A texture on the one renderer. The object owns its SDL texture.
#include "app/data_wrapper.h"
#include "app/types.h"

struct SDL_Texture;

namespace zg {

// Kinds of texture that create() makes.
enum : int {
    TEX_ARGB8888 = 1,
    TEX_ARGB1555 = 2,
};

class tex_t : public data_wrapper_t {
public:
    SDL_Texture* tex = nullptr;

    tex_t() = default;
    explicit tex_t(SDL_Texture* t) : tex(t) {}
    ~tex_t() override;

    // Access 0 loads straight into a static texture; any other access copies
    // the decoded image into a texture of that access. Answers whether a texture exists.
    virtual bool load(const wchar_t* path, int access);
    // Refuses kinds other than TEX_ARGB8888 and TEX_ARGB1555, sizes below 1 and
    // sizes above the renderer's maximum.
    virtual bool create(const size& sz, int kind, int access);
    virtual size get_size() const;
    // 1 for the 32-bit formats, 2 for ARGB1555, else 0.
    virtual int get_format_kind() const;
    virtual int get_access() const;
    // Null rect locks the whole texture; the row pitch in bytes goes to pitch when given.
    virtual void* lock(const rect* r, int* pitch = nullptr);
    virtual void unlock();
    // Locks and unlocks the rectangle; false when it could not be locked.
    virtual bool touch(const rect* r);

private:
    void reset(SDL_Texture* t);
};

}  // namespace zg
