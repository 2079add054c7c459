// A long tooltip: about 2,000 characters of mark-up and Chinese, laid out and
// drawn as the tooltip does each time it is shown. Uses the game's font family
// (Noto Sans CJK) when installed, DejaVu otherwise.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <string>

#include "app/font.h"
#include "app/platform.h"
#include "app/render.h"
#include "bench/bench_fonts.h"
#include "ui/rt_markup.h"
#include "ui/rtext.h"

namespace {

// A power's tooltip as the description builders write it, repeated to ~2,000 characters.
Str long_tip() {
    const wchar_t* part =
        L"<h3>火焰箭</h3><c=lbl>动作：</c>标准动作\t<c=lbl>射程：</c>20格\n"
        L"<c=lbl>攻击：</c>智力 <c=fc_g>+7</c> 对 反射\n<c=lbl>命中：</c><b>2d6+4</b> <c=fc_r>火焰</c>伤害，"
        L"目标持续燃烧（<tip='每回合开始时受到<c=fc_r>5</c>点火焰伤害'>持续5</tip>）。\n"
        L"<r><c=fc_k7>奥术 · 火焰 · 远程</c></r>\n";
    Str s;
    while (s.length() < 2000) s += part;
    return s;
}

}  // namespace

static void BM_LayOutLongTooltip(benchmark::State& state) {
    if (!bench_fonts_up()) return state.SkipWithError("no fonts or renderer");
    const Str text = long_tip();
    const size box{360, UNLIMITED};
    rtext_t rt;
    rt.set_text(text, &box, FONT_DEF, &default_clr, 3);  // the glyph cache is warm, as in a running game
    for (auto _ : state) {
        rt.set_text(text, &box, FONT_DEF, &default_clr, 3);
        benchmark::DoNotOptimize(rt.get_rect());
    }
    state.SetItemsProcessed(state.iterations() * text.length());
}
BENCHMARK(BM_LayOutLongTooltip);

static void BM_DrawLongTooltip(benchmark::State& state) {
    if (!bench_fonts_up()) return state.SkipWithError("no fonts or renderer");
    const Str text = long_tip();
    const size box{360, UNLIMITED};
    rtext_t rt;
    rt.set_text(text, &box, FONT_DEF, &default_clr, 3);
    for (auto _ : state) rt.draw(10, 10);
    state.SetItemsProcessed(state.iterations() * rt.item_count());
}
BENCHMARK(BM_DrawLongTooltip);

static void BM_ParseLongTooltip(benchmark::State& state) {
    const Str text = long_tip();
    rt_ops_t ops;
    for (auto _ : state) {
        rt_parse(text, &ops);
        benchmark::DoNotOptimize(ops.ops.data());
    }
    state.SetItemsProcessed(state.iterations() * text.length());
}
BENCHMARK(BM_ParseLongTooltip);
