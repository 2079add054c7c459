// The party bag: a list of 200 items with icons, labels and tooltips, laid
// out and drawn as a screen does when the bag changes and every frame. Uses
// the game's font family (Noto Sans CJK) when installed, DejaVu otherwise.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/font.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/tex.h"
#include "bench/bench_fonts.h"
#include "ui/lv.h"

namespace {

constexpr int bag_slots = 200;

// Eight 32 x 32 icons, each filled with its own colour.
std::vector<std::unique_ptr<zg::tex_t>>& icons() {
    static std::vector<std::unique_ptr<zg::tex_t>> v;
    if (!v.empty()) return v;
    for (uint32_t i = 0; i < 8; ++i) {
        auto t = std::make_unique<zg::tex_t>();
        t->create({32, 32}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET);
        const clr_t c{0xFF000000u | (i * 0x1F3D5Bu)};
        set_render_target(t.get(), &c);
        v.push_back(std::move(t));
    }
    set_render_target(nullptr, nullptr);
    return v;
}

// A bag list: a grid of icons with count labels, or a column of icons and names.
std::unique_ptr<lv_t> make_bag(uint32_t ex, const rect& r) {
    auto lv = std::make_unique<lv_t>();
    lv->create_ex(ex, 0, nullptr, &r);
    for (int i = 0; i < bag_slots; ++i) {
        const Str label = ex & LVX_COL ? Str(L"<c=fc_k9>治疗药水</c> ×%d", i + 1) : Str(L"%d", i % 20 + 1);
        const Str tip(L"<h3>治疗药水</h3>恢复<c=fc_g>2d8+%d</c>点生命。", i);
        lv->add_item(label, tip, icons()[size_t(i % 8)].get(), 0, i, 0, 0, nullptr);
    }
    lv->relayout();
    return lv;
}

void relayout(benchmark::State& state, uint32_t ex, const rect& r) {
    if (!bench_fonts_up()) return state.SkipWithError("no fonts or renderer");
    auto lv = make_bag(ex, r);
    for (auto _ : state) {
        lv->relayout();
        benchmark::DoNotOptimize(lv->content_sz);
    }
    state.SetItemsProcessed(state.iterations() * bag_slots);
}

void draw(benchmark::State& state, uint32_t ex, const rect& r) {
    if (!bench_fonts_up()) return state.SkipWithError("no fonts or renderer");
    auto lv = make_bag(ex, r);
    lv->select(3);
    for (auto _ : state) lv->paint();
    state.SetItemsProcessed(state.iterations() * bag_slots);
}

const rect grid_rc{10, 10, 440, 400};
const rect col_rc{10, 10, 300, 600};
}  // namespace

static void BM_RelayoutBagGrid(benchmark::State& state) { relayout(state, 0, grid_rc); }
BENCHMARK(BM_RelayoutBagGrid);

static void BM_RelayoutBagColumn(benchmark::State& state) { relayout(state, LVX_COL, col_rc); }
BENCHMARK(BM_RelayoutBagColumn);

static void BM_DrawBagGrid(benchmark::State& state) { draw(state, 0, grid_rc); }
BENCHMARK(BM_DrawBagGrid);

static void BM_DrawBagColumn(benchmark::State& state) { draw(state, LVX_COL, col_rc); }
BENCHMARK(BM_DrawBagColumn);

// The tooltip query over an item, as the frame loop asks it while the mouse rests.
static void BM_ItemTip(benchmark::State& state) {
    if (!bench_fonts_up()) return state.SkipWithError("no fonts or renderer");
    auto lv = make_bag(0, grid_rc);
    lv->tip_item = 57;
    for (auto _ : state) benchmark::DoNotOptimize(lv->on_msg({EVT_TIP_QUERY, 0, 0}, lv.get()));
}
BENCHMARK(BM_ItemTip);
