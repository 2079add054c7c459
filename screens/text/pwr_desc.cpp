#include "screens/text/pwr_desc.h"

#include "app/font.h"
#include "app/img_cache.h"
#include "rules/act_texts.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/dice.h"
#include "rules/dmg.h"
#include "rules/enums.h"
#include "rules/pwr.h"
#include "screens/text/desc_parts.h"

namespace txt {

namespace {

constexpr uint32_t extra_clr = 0xFF808080;
constexpr uint32_t dur_clr = 0xFF00FF00;
constexpr uint32_t warn_clr = 0xFFFF0000;
constexpr uint32_t school_clr = 0xFF6666FF;
constexpr int dmg_font = FONT_B5;
constexpr int first_pc_cls = CLS_FIGHTER, last_pc_cls = CLS_WIZARD;  // the playable classes

Str colored(const wchar_t* text, uint32_t clr) {
    Str out;
    return col_text(out, text, clr);
}

bool learns(const Pwr& p, int cls) { return cls < 32 && (p.cls_mask >> cls) & 1u; }

// The engine waits out a cooldown only from 2 rounds up.
bool has_cd(const act_t& a) { return a.cd >= 2; }

// "条件" of a power: classes, prerequisites, level and ability minimums, each followed by ", ".
Str conditions(const Pwr& p) {
    Str s;
    for (int c = first_pc_cls; c <= last_pc_cls; ++c)
        if (learns(p, c)) s.append_format(L"<nobr>%s</nobr>, ", or_empty(get_cls(c)->n));
    for (int id : p.prereqs) {
        const Pwr* q = get_pwr(id);
        s.append_format(L"%s, ", q ? or_empty(q->n) : L"");
    }
    if (p.lv != 0) s.append_format(L"等级 %d, ", p.lv);
    for (int i = 0; i < ABIS; ++i) {
        if (p.abi_min[i] == 0) continue;
        const ex_info_t* abi = get_abi(i);
        s.append_format(L"%s %d, ", abi->a ? abi->a : or_empty(abi->n), p.abi_min[i]);
    }
    if (s.empty()) return Str(L"<c=a>无</c>");
    return s.drop_back(2);
}

}  // namespace

Str pwr_line(const Pwr& p) {
    if (p.get_kind() != PK_ACT) return Str(or_empty(p.n));
    return Str(L"<ico=powers/%s c=w> %s", or_empty(p.k), or_empty(p.n));
}

Str& pwr_tip_text(const Pwr& p, Str& out) {
    out.format(L"<c=w><h2 c=lbl>%s</h2>", pwr_line(p));
    if (p.b && *p.b) out.append(colored(p.b, extra_clr)).append(L"\n");
    out.append(L"\n");
    out.append_format(L"<c=lbl>条件：</c>%s\n<c=lbl>使用：</c>%s\n\n<c=lbl>效果：</c>%s", conditions(p),
                      p.get_kind() == PK_PASSIVE ? L"<c=a>被动</c>" : L"<c=y>主动</c>", or_empty(p.d));
    return out.append(L"</c>");
}

Str& pwr_desc_text(const Pwr& p, Str& out) { return pwr_tip_text(p, out); }

Str& act_tip_text(const act_t& a, Str& out) {
    if (a.school == 0) return pwr_tip_text(a, out);
    Str reqs;
    if (a.lv >= 1) {
        for (int c = first_pc_cls; c <= last_pc_cls; ++c)
            if (learns(a, c))
                reqs.append_format(L"<c=w><nobr>%s</nobr></c> <c=a>%s</c> <c=y>%d</c>; ", or_empty(get_cls(c)->n),
                                   L"等级", 2 * a.lv - 1);
    }
    act_desc_text(a, out);
    // A spell no playable class learns has no learning line.
    if (reqs.empty()) return out;
    return out.append(L"\n\n<c=lbl>习得条件: </c>").append(reqs.drop_back(2));
}

Str& act_desc_text(const act_t& a, Str& out) {
    out.format(L"<c=w><h2 c=lbl>%s <r f=b4 c=w>%s动作</r></h2>", pwr_line(a), or_empty(get_act_cost(a.cost)->n));
    if (a.school != 0 || has_cd(a)) {
        if (a.school != 0)
            out.append(colored(Str(L"%s系", or_empty(get_spl_cat(a.school)->n)), school_clr));
        else
            out.append(L"<c=a>非法术</c>");
        if (has_cd(a)) out.append_format(L"<r>%d回合冷却</r>", a.cd);
        out.append(L"\n");
    }
    if (a.atk != 0) {
        if (a.def == 0)
            out.append_format(L"%s（必中）\n", or_empty(get_atk(a.atk)->n));
        else
            out.append_format(L"%s <c=a>vs</c> %s\n", or_empty(get_atk(a.atk)->n), or_empty(get_def(a.def)->n));
    }
    if (!a.dmg.empty()) out.append_format(L"<f=#%d>%s</f>\n", dmg_font, dmg_list_lines(a.dmg));
    if (a.cond != 0)
        out.append_format(L"<f=b5 c=y>%c%s</f>\n", a.cond > 0 ? L'+' : L'-',
                          or_empty(get_cond(a.cond > 0 ? a.cond : -a.cond)->n));
    if (a.zone_dur != 0) {
        Str dur;
        out.append(colored(get_dur_text(dur, a.zone_dur), dur_clr)).append(L"\n");
    }
    out.append_format(L"<c=lbl>%s%c</c>%s%c", L"距离", L'：', get_rng_text(a.rng), L'\n');
    out.append_format(L"<c=lbl>%s%c</c>%s%c", L"范围", L'：', get_area_text(a.area), L'\n');
    Str warn;
    if (!(a.flags & PF_NO_AOO)) warn.append(colored(L"触发借机攻击", warn_clr));
    if (a.flags & PF_ATK_PEN) {
        if (!warn.empty()) warn.append(L",");
        warn.append(colored(L"攻击惩罚", warn_clr));
    }
    if (!warn.empty()) out.append(warn).append(L"\n");
    // A light grey: the darker #4 could hardly be read on the tooltip's near-black.
    return out.append_format(L"<hr><c=#a>%s</c></c>", or_empty(a.d));
}

Str& get_heading(Str& out, const Pwr& p, int flags, const wchar_t* suffix) {
    const Str img = Str(L"powers/") + or_empty(p.k);
    const bool own = p.k && *p.k && img_exists(img);
    return heading_text(out, L"powers", own ? p.k : L"def", or_empty(p.n), flags, suffix);
}

}  // namespace txt
