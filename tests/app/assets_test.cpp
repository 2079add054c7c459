// The assembled game folder holds every image and sound of the name list, in
// its format, and the credits name each one.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "app/codec.h"
#include "rules/cond.h"
#include "rules/dmg.h"
#include "rules/itm.h"
#include "rules/pwr.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path game_dir = TW_GAME_DIR;

struct name_t {
    std::string name;
    bool image = false;
    int fw = 0, fh = 0, cols = 0, rows = 0;  // 0 columns or rows: any number
};

int size_part(const std::string& s) { return s == "*" ? 0 : std::stoi(s); }

std::pair<int, int> size_pair(const std::string& s) {
    auto x = s.find('x');
    if (x == std::string::npos) throw std::runtime_error("no 'x' in " + s);
    return {size_part(s.substr(0, x)), size_part(s.substr(x + 1))};
}

std::vector<name_t> read_names() {
    std::ifstream in(fs::path(TW_SOURCE_DIR) / "assets/names.txt");
    std::vector<name_t> out;
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream ss(line);
        name_t n;
        if (!(ss >> n.name)) continue;
        std::string frame, grid;
        if (ss >> frame >> grid) {
            n.image = true;
            std::tie(n.fw, n.fh) = size_pair(frame);
            std::tie(n.cols, n.rows) = size_pair(grid);
        }
        out.push_back(n);
    }
    return out;
}

const std::vector<name_t>& names() {
    static const std::vector<name_t> n = read_names();
    return n;
}

struct png_head_t {
    bool ok = false;
    uint32_t w = 0, h = 0;
    int colour_type = -1;
};

uint32_t be32(const unsigned char* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

png_head_t read_png_head(const fs::path& p) {
    unsigned char b[26] = {};
    std::ifstream in(p, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(b), sizeof b)) return {};
    static const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (std::memcmp(b, sig, 8) != 0 || std::memcmp(b + 12, "IHDR", 4) != 0) return {};
    return {true, be32(b + 16), be32(b + 20), b[25]};
}

// How the sound lookup resolves a name: the first extension whose file exists.
fs::path sound_file(const std::string& name) {
    for (const char* ext : {".ogg", ".mp3", ".wav"}) {
        fs::path p = game_dir / (name + ext);
        if (fs::exists(p)) return p;
    }
    return {};
}

TEST(Assets, NameListIsWellFormed) {
    ASSERT_GT(names().size(), 0u);
    for (const auto& n : names()) {
        EXPECT_TRUE(n.name.starts_with("gfx/") || n.name.starts_with("sfx/")) << n.name;
        EXPECT_EQ(n.image, n.name.starts_with("gfx/")) << n.name << ": images give a format, sounds none";
        if (n.image) {
            EXPECT_TRUE(n.fw > 0 && n.fh > 0) << n.name << ": a frame has a size";
        }
    }
}

// The game folder lives on a case-sensitive file system: one spelling a name,
// lower-case folders, "/" between the parts.
TEST(Assets, NamesAreLowerCaseFoldersWithOneSpellingEach) {
    std::map<std::string, std::string> folded;
    for (const auto& n : names()) {
        EXPECT_EQ(n.name.find('\\'), std::string::npos) << n.name;
        const std::string folder = n.name.substr(0, n.name.rfind('/'));
        EXPECT_TRUE(std::none_of(folder.begin(), folder.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << n.name;
        std::string low = n.name;
        std::transform(low.begin(), low.end(), low.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        const auto [at, fresh] = folded.emplace(low, n.name);
        EXPECT_TRUE(fresh) << n.name << " and " << at->second << " differ only in case";
    }
}

TEST(Assets, EveryImageHasItsFrameSizeAndGrid) {
    for (const auto& n : names()) {
        if (!n.image) continue;
        const fs::path p = game_dir / (n.name + ".png");
        const png_head_t h = read_png_head(p);
        ASSERT_TRUE(h.ok) << p << " is missing or no PNG";
        // Colour with alpha, so sprites and marks draw over the map.
        EXPECT_EQ(h.colour_type, 6) << n.name;
        EXPECT_TRUE(h.w % n.fw == 0 && h.h % n.fh == 0 && h.w > 0 && h.h > 0)
            << n.name << " is " << h.w << "x" << h.h << ", frames " << n.fw << "x" << n.fh;
        // A grid of 0 columns or rows leaves that side to the frame size alone.
        EXPECT_TRUE(n.cols == 0 || h.w == uint32_t(n.fw * n.cols)) << n.name << " is " << h.w << " wide";
        EXPECT_TRUE(n.rows == 0 || h.h == uint32_t(n.fh * n.rows)) << n.name << " is " << h.h << " high";
    }
}

TEST(Assets, EverySoundLoadsThroughTheMixer) {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024), 0) << Mix_GetError();
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
    int count = 0;
    for (const auto& n : names()) {
        if (n.image) continue;
        const fs::path p = sound_file(n.name);
        ASSERT_FALSE(p.empty()) << n.name << " has no .ogg, .mp3 or .wav file";
        Mix_Chunk* c = Mix_LoadWAV(p.c_str());
        EXPECT_NE(c, nullptr) << p << ": " << Mix_GetError();
        if (c) {
            EXPECT_GT(c->alen, 0u) << p << " is silent for no time at all";
            Mix_FreeChunk(c);
        }
        ++count;
    }
    EXPECT_GT(count, 0);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool listed(const std::string& name) {
    static const std::set<std::string> all = [] {
        std::set<std::string> s;
        for (const auto& n : names()) s.insert(n.name);
        return s;
    }();
    return all.count(name) != 0;
}

std::string key(const wchar_t* k) { return k ? utf8_from_wide(k) : std::string(); }

// The names built from rules keys must match the keys the rules tables hold.
TEST(Assets, RulesKeysHaveTheirImagesAndSounds) {
    build_pwrs();
    int actions = 0;
    for (int id = 1; id <= 291; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p || p->get_kind() != 0) continue;
        ++actions;
        EXPECT_TRUE(listed("gfx/powers/" + key(p->k))) << "power " << id << " " << key(p->k);
    }
    EXPECT_EQ(actions, 65);
    EXPECT_TRUE(listed("gfx/powers/def"));
    for (int id = 1; id <= 179; ++id)
        EXPECT_TRUE(listed("gfx/items/" + key(get_itm(id).k))) << "item " << id << " " << key(get_itm(id).k);
    for (int id = 1; id <= 24; ++id) {
        const std::string k = key(get_cond(id)->k);
        EXPECT_TRUE(listed("gfx/conds/" + k)) << "condition " << id << " " << k;
        EXPECT_TRUE(listed("gfx/effects/_cond_" + k)) << k;
    }
    for (int row = 1; row <= 12; ++row) {
        const std::string k = key(get_dmg_type(row)->k);
        for (const std::string& n : {"gfx/effects/_dt_" + k, "gfx/missiles/_dt_" + k, "sfx/dt_" + k, "sfx/dt_" + k + "100"})
            EXPECT_TRUE(listed(n)) << n;
    }
    free_pwrs();
}

TEST(Assets, CreditsNameEveryImageAndSound) {
    std::ifstream in(game_dir / "CREDITS.txt");
    ASSERT_TRUE(in) << "no CREDITS.txt in the game folder";
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    for (const auto& n : names()) {
        const auto at = text.find("\n" + n.name + ": ");
        ASSERT_NE(at, std::string::npos) << n.name << " has no credit line";
        const auto end = text.find('\n', at + 1);
        const std::string line = text.substr(at + 1, end - at - 1);
        EXPECT_TRUE(line.find("licence") != std::string::npos) << line;
    }
}

}  // namespace
