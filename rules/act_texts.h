#pragma once
// The short texts an action's range, area and duration show. Texts come back by
// value: two calls never share a buffer.
class Str;

Str get_rng_text(int rng);
Str get_area_text(int area);
// "整场战斗" for COND_FOREVER (a zone's ZONE_LASTING is the same), else the
// rounds, the word space and "回合".
Str& get_dur_text(Str& out, int n);
