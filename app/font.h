#pragma once
// TrueType fonts addressed by a small id, an index into the 20 fonts loaded
// at start-up, each with a cache of rendered glyphs. Fonts of the same file
// and size are opened once and shared between ids.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "app/data_wrapper.h"
#include "app/ptr_containers.h"
#include "app/str.h"

struct _TTF_Font;
typedef struct _TTF_Font TTF_Font;
struct SDL_Surface;

namespace zg {

class tex_t;

struct glyph_t {
    int advance = 0;        // pixels
    // Where the texture's left edge lies from the pen: the left bearing when it
    // reaches left of the pen, else 0. The texture is drawn at its own size.
    int ink_x = 0;
    tex_t* tex = nullptr;   // owned; white, coloured when drawn; null when the glyph has no pixels
    // Rendered ahead (render_ahead): the pixels that become tex at the glyph's first use.
    SDL_Surface* ahead = nullptr;

    glyph_t() = default;
    glyph_t(const glyph_t&) = delete;
    glyph_t& operator=(const glyph_t&) = delete;
    ~glyph_t();
};

class font_t : public data_wrapper_t {
public:
    TTF_Font* font = nullptr;
    ptr_map_t<char32_t, glyph_t> glyphs;  // keyed by code point
    // Pairs already asked for: SDL_ttf reads a streamed font's tables from the
    // file on each kerning query, which would dominate the layout of a text.
    mutable std::unordered_map<uint64_t, int> kerns;

    ~font_t() override;

    bool open(const Str& path, int size);
    int height() const;
    // Rendered on first use. A character the font lacks gives the '@' glyph
    // and is not cached itself. Null only when the font is not open.
    glyph_t* get_glyph(char32_t code);
    // Renders the glyphs of text's characters without making textures, so it
    // may run on a thread of its own while nothing else uses the font; their
    // textures are made at their first get_glyph.
    void render_ahead(const wchar_t* text);
    // Pixels to add between two characters; 0 next to a space or a tab.
    int kerning(char32_t prev, char32_t next) const;

private:
    glyph_t* render_glyph(char32_t code);
};

}  // namespace zg

// The font ids, in load order; the mark-up names them "DEF", "CON", "n", "b",
// "n1".."n7", "b1".."b7", "DMG" and "CH_DMG".
enum : int {
    FONT_DEF = 0,
    FONT_CON = 1,
    FONT_N = 2,
    FONT_B = 3,
    FONT_N1 = 4,
    FONT_N2 = 5,
    FONT_N3 = 6,
    FONT_N4 = 7,
    FONT_N5 = 8,
    FONT_N6 = 9,
    FONT_N7 = 10,
    FONT_B1 = 11,
    FONT_B2 = 12,
    FONT_B3 = 13,
    FONT_B4 = 14,
    FONT_B5 = 15,
    FONT_B6 = 16,
    FONT_B7 = 17,
    FONT_DMG = 18,
    FONT_CH_DMG = 19,
    FONT_COUNT = 20,
};

// Opens the font of that file and size, or reuses the one already open, and
// appends it to the index; false (nothing appended) when it cannot be opened.
bool load_font(const wchar_t* path, int size);
// The 20 fonts from the program folder; false at the first that fails.
// Names the file that fails on standard error.
bool load_fonts();
// The same from another folder (ending with a separator), so tests can supply the files.
bool load_fonts_from(const wchar_t* dir);
// load_fonts_from that puts the line naming the file that fails in *err
// instead of on standard error. Touches no renderer, so the start-up runs it
// on a thread of its own.
bool open_font_files(const wchar_t* dir, std::string* err);
// Deletes every font with its glyphs; must run before the renderer goes.
void free_fonts();

// Null when the id is outside the index.
zg::font_t* get_font(int id);
// 0 for an id outside the index.
int get_font_height(int id);
int font_count();
// Distinct (file, size) pairs open.
int registered_font_count();

// The id of a mark-up font name, given the id in force: a table name, "#k",
// or a bare size 1..7 in the weight of cur. "#k" naming no font gives -1; a
// bare number may give an id outside the index, which get_font answers with null.
int get_font_id(const wchar_t* name, int cur);
int to_bold_font(int id);
int to_norm_font(int id);

// Equal character for character; two nulls are equal.
bool wcs_eq(const wchar_t* a, const wchar_t* b);
