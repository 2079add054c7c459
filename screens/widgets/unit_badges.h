#pragma once
// What is drawn over a unit's picture in strips, lists and on the battle map:
// level, ammunition, battle order and count badges, the hit-point bar with its
// recent change, condition icons, the level-up mark, and the picture itself.
#include "app/geom.h"
#include "app/types.h"

class unit_t;

// The hit-point bar's track, in pixels.
constexpr int HP_BAR_W = 52;

// Align flags as align_rect takes them (rect_align).
void draw_level_badge(int level, const rect& r, int align);
// Bottom right.
void draw_count_badge(int count, const rect& r);
// The ammunition in the unit's four quick slots, top right.
void draw_ammo_badge(const unit_t* u, const rect& r);
// Something in the quick slots, or a launcher in hand without ammunition: a
// count that means something, 0 included.
bool has_ammo_count(const unit_t* u);
// The unit's place in the battle's roster (1 the first; 0 when it is not in
// it), top left of r shrunk by 4 pixels.
void draw_init_order(const unit_t* u, const rect& r);
// The hit points as text, bottom centre.
void draw_unit_hp_text(const unit_t* u, const rect& r);
// "ui/plus" in a corner of r (align_rect flags; top right by default) once
// the unit has the experience for its next level.
void draw_lvup_mark(const unit_t* u, const rect& r, int align = rect_align::right | rect_align::top);
// What a face in a unit strip carries: the level-up mark and, when badges is
// set, the level and (has_ammo_count) the ammunition count, which never
// covers the mark.
void draw_face_badges(const unit_t* u, const rect& face, bool badges);

// The bar along the bottom of the picture rectangle r. The unit's recent
// change (unit_t::hp_pend) shows beside the filled part and, half a second
// after the last change, shrinks by a point each drawing.
void draw_unit_hp_bar(unit_t* u, const rect& r);
// Up to four 16 x 16 icons from (x, y) down: conditions in id order, then auras.
void draw_unit_cond_icons(const unit_t* u, int x, int y);
// The bar, then the icons down the right edge.
void draw_unit_hp_conds(unit_t* u, const rect& r);
// The battle sprite (a polymorphed unit's form instead), fitted into r keeping
// its proportions and set on r's bottom centre; breathing lowers it by a pixel
// in the first half of each blink second. Modulated by c.
void draw_unit_img(const unit_t* u, const rect& r, bool breathing, clr_t c);

// The widths the bar draws for hit points hp, maximum m and a recent change d:
// all 0 when m <= 0; each within 0..HP_BAR_W, the change within the track.
struct hp_bar_w_t {
    int fill = 0;
    int change = 0;
};
hp_bar_w_t hp_bar_widths(int hp, int m, int d);
