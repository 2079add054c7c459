#pragma once
// Short-lived effects drawn over the screen: frame sequences, floating texts,
// missiles and effects drawn by the screens. One player owns and runs them
// once per drawn frame. Group 0 always runs; of the other groups only the
// highest one present runs, so a wave of effects can be held back until the
// wave above it has finished.
#include <cstdint>
#include <functional>
#include <map>

#include "app/ptr_containers.h"
#include "app/str.h"
#include "app/types.h"

namespace zg {

enum : int {
    ANI_IMGS = 1,
    ANI_TEXT = 2,
    ANI_MISSILE = 3,
    ANI_CUSTOM = 4,  // drawn by its maker's function
};

// play() returns only when an animation with this flag has finished. The
// other bits belong to the maker and are matched by ani_mgr_t::wait mode 2.
constexpr int ANI_F_WAIT = 2;

// The modes of ani_mgr_t::wait.
enum : int {
    ANI_WAIT_ANY = 0,    // any animation
    ANI_WAIT_ID = 1,     // the one whose id is the value
    ANI_WAIT_FLAGS = 2,  // one whose flags hold every bit of the value
};

class ani_t {
public:
    int kind;
    int flags;
    int group;  // 0 or above
    int delay;  // milliseconds still to wait before the first frame
    uint32_t id;  // unique for the run, from 1
    double elapsed = 0;  // seconds; grows only while the animation runs
    bool done = false;  // the player deletes it after this step

    ani_t(int kind, int flags, int group, int delay);
    ani_t(const ani_t&) = delete;
    ani_t& operator=(const ani_t&) = delete;
    virtual ~ani_t() = default;

    // Draws one frame and sets done when the animation is over.
    virtual void update_draw() = 0;
};

// Frames cut from one image row by row, left to right, each shown just over
// 0.05 s; done after the last one.
class imgs_ani_t : public ani_t {
public:
    Str img;
    size frame;  // {0, 0}: squares with the side of the image's height
    int index = 0;
    rect dst;

    imgs_ani_t(const wchar_t* img, const rect& dst, const size* frame, int flags, int group, int delay);
    void update_draw() override;
};

// Mark-up text that rises one pixel a frame from its centre point for 1 s.
// Without an anchor the point is on the screen. With one it lies in the
// anchor's own plane (a map's pixels), and the anchor tells where that plane's
// origin is on the screen each frame, so the text follows a scrolling view;
// an anchor that answers false (its plane is gone) ends the text.
class text_ani_t : public ani_t {
public:
    using anchor_fn_t = std::function<bool(pt_t*)>;

    Str text;
    clr_t clr;
    int font;
    pt_t centre;
    anchor_fn_t anchor;

    text_ani_t(const wchar_t* text, clr_t clr, int font, const pt_t& centre, int flags, int group, int delay);
    void update_draw() override;
    // The centre on the screen now; false when the anchor is gone.
    bool scrn_centre(pt_t* out) const;
};

// An image pointing up flies from `from` to `to` at 2000 pixels a second,
// turned along its flight, its top-centre on the current point.
class missile_ani_t : public ani_t {
public:
    Str img;
    pt_t from;
    pt_t to;

    missile_ani_t(const wchar_t* img, const pt_t& from, const pt_t& to, int flags, int group, int delay);
    void update_draw() override;

    // Seconds from start to end; 0 when the two points coincide.
    double flight_time() const;
    // Degrees clockwise from up: 0 up, 90 right, 180 down.
    double angle() const;
};

// Drawn by its maker's function, which also sets done.
class custom_ani_t : public ani_t {
public:
    using fn_t = std::function<void(custom_ani_t&)>;
    fn_t fn;

    custom_ani_t(fn_t fn, int kind, int flags, int group, int delay);
    void update_draw() override;
};

}  // namespace zg

class ani_mgr_t {
public:
    // Takes ownership of `a`; with ANI_F_WAIT returns only once it is gone.
    // Texts at one point are held back so that they start at least 300 ms apart.
    uint32_t play(zg::ani_t* a);
    // Runs the frame loop while a matching animation is listed (see
    // ANI_WAIT_*); other modes match nothing.
    void wait(int value, int mode);
    // One step of every animation by dt seconds.
    void run(double dt);
    // The animation with this id ends now, not drawn again; nothing once it has finished.
    void end(uint32_t id);
    // Every animation deleted unplayed (shutdown: none outlives the program's run).
    void clear();

    bool has(int value, int mode) const;
    // The listed animation with this id; null once it has finished.
    const zg::ani_t* get(uint32_t id) const;
    int count() const { return int(list.size()); }
    double blink_clock() const { return blink; }

private:
    ptr_vec_t<zg::ani_t> list;  // in play order
    // The latest floating text started at each centre point, while it is listed.
    std::map<pt_t, zg::ani_t*> text_at;
    double blink = 0;  // seconds, 0 to 1

    void stagger(zg::text_ani_t* t);
    int top_group() const;
    void forget_text(const zg::ani_t* a);
};

ani_mgr_t* get_ani_mgr();

// True for the first half of each second of the blink clock.
bool blink_on();

// Moves *cur from `from` to `to` at about 2000 pixels a second, running a
// frame between steps; *cur ends on `to`.
void slide_pt(const pt_t& from, const pt_t& to, pt_t* cur);
