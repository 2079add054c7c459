#include "screens/text/unit_sheet.h"

#include <climits>

#include "app/clr.h"
#include "app/db.h"
#include "app/sys.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/turn.h"
#include "rules/act_texts.h"
#include "rules/brk_line.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dice.h"
#include "rules/dmg.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"
#include "rules/unit.h"
#include "rules/urank.h"
#include "screens/text/desc_parts.h"
#include "screens/text/tip_refs.h"

namespace txt {

namespace {

constexpr int last_dmg_type_shown = DMG_TOX;  // physical and energy types; the rest have no resistance line
constexpr int imxs_rows = 7;        // strs:imxs, rows 1 to 6

// ---- shared pieces ----

const Str& brk(const unit_t* u, int i) { return u->texts[i]; }

bool is_cls(const unit_t* u, std::initializer_list<int> ids) {
    for (int c : ids)
        if (u->base.cls == c) return true;
    return false;
}

Str mod_text(int v) {
    return Str(L"<c=#%08x>%+d</c>", uint32_t(sign_clr(v)), v);
}

const text_info_t& imx(int trait) {
    static text_info_t rows[imxs_rows];
    static tbl_texts_t texts;
    if (texts.due()) read_tbl_texts(L"strs:imxs", rows, imxs_rows);
    return rows[trait > 0 && trait < imxs_rows ? trait : 0];
}

// ---- abilities ----

Str abi_score(const unit_t* u, int i) { return u->drv.no_abi[i] ? Str(L"-") : int_to_str(u->drv.abi[i]); }

Str abi_tip(const unit_t* u, int i) {
    const ex_info_t* a = get_abi(i);
    return Str(L"<b c=lbl>%s:</b>\n%s\n\n<b c=lbl>%s:</b> %s", a->a ? a->a : or_empty(a->n), brk(u, BT_ABI + i),
               L"有效修正值", mod_text(u->drv.abi_mod[i]));
}

// ---- attacks ----

// The ammunition a launcher has ready; -1 when the attack uses none.
int ready_ammo(const unit_t* u, int pwr, const atk_rec_t& r) {
    if (pwr != P_ATK_R || !r.wpn) return -1;
    const itm_t& w = get_itm(r.wpn->id);
    if (w.wpn.thrown() || w.get_ammo_id() == 0) return -1;
    return u->eqpts.ammo_for(*r.wpn);
}

Str wpn_atk_line(unit_t* u, int pwr) {
    const Pwr* p = get_pwr(pwr);
    Str out(L"<tip=%s><ico=powers/%s></tip> ", pwr_tip_ref(p), p ? or_empty(p->k) : L"");
    std::vector<atk_rec_t> recs;
    {
        plan_rnd_t plan;  // the records draw; the battle's generator must not move
        get_atks(recs, u, pwr, 0);
    }
    for (size_t i = 0; i < recs.size(); ++i) {
        const atk_rec_t& r = recs[i];
        if (i > 0) out.append(L"\n<dx=16> ");
        const int ammo = ready_ammo(u, pwr, r);
        const Str ammo_long = ammo >= 0 ? Str(L"\n\n<c=lbl b>弹药: </c>%d", ammo) : Str();
        const Str ammo_short = ammo < 0    ? Str()
                               : ammo == 0 ? Str(L"<c=fc_bb> [<c=r>%d</c>]</c>", ammo)
                                           : Str(L"<c=fc_bb> [%d]</c>", ammo);
        Str link;
        if (r.wpn) itm_link(link, *r.wpn);
        // The bonus and the damage stay together: the weapon's name may wrap before them.
        out.append_format(L"%s <tip='<c=lbl b>攻击:</c>\n%s\n\n<c=lbl b>伤害:</c>\n%s\n\n<c=lbl b>暴击:</c> %d%% 几率, x%d "
                          L"基础伤害%s'><nobr><c=g>%+d</c> <c=fc_r>(%s)</c></nobr>%s</tip>",
                          link, r.atk_tip, r.dmg_tip, 5 * r.crit_rng, r.crit_mult, ammo_long, r.atk,
                          dmg_list_text(r.dmg, 0), ammo_short);
    }
    return out;
}

// ---- traits ----

Str value_line(const wchar_t* key, const Str& value) {
    const text_info_t* t = get_text_info(key);
    return Str(L"<tip='%s'><c=lbl>%s</c> %s</tip>\n", or_empty(t->d), or_empty(t->n), value);
}

// A list item kept whole: the list wraps between its items, never inside one.
// A Latin name takes a space after the comma before it; a Chinese one does not.
void list_item(Str& list, const wchar_t* name) {
    const wchar_t* n = or_empty(name);
    if (!list.empty()) list.append(L",").append(sys_joins_word(*n) ? lang_wsp.c_str() : L"");
    list.append_format(L"<nobr>%s</nobr>", n);
}

// What overcomes the unit's damage reduction or regeneration, after the line's value.
Str exceptions(const unit_t* u) {
    Str list;
    if (u->has_pwr(P_UNR_MS)) list_item(list, L"银");
    if (u->has_pwr(P_UNR_MA)) list_item(list, L"精金");
    for (int t = 1; t < DMG_TYPES; ++t)  // P_UNR_S .. P_UNR_V follow P_UNR_MA in damage-type order
        if (u->has_pwr(P_UNR_MA + t)) list_item(list, get_dmg_type(t)->n);
    if (list.empty()) return list;
    return Str(L"<c=r tip='%s'> /%s</c>", or_empty(get_text_info(L"unr")->d), list);
}

// The line with the exceptions put before its newline.
Str with_exceptions(Str line, const unit_t* u) { return line.drop_back(1).append(exceptions(u)).append(L"\n"); }

Str res_lines(const unit_t* u) {
    Str out;
    const std::pair<int, const wchar_t*> groups[] = {{100, L"imm"}, {200, L"aff"}, {-100, L"vul"}};
    for (const auto& [val, key] : groups) {
        Str names;
        for (int t = DMG_SLASH; t <= last_dmg_type_shown; ++t)
            if (u->drv.res[t] == val) list_item(names, get_dmg_type(t)->n);
        if (val == 100) {
            for (int t = 1; t < imxs_rows; ++t)
                if (u->has_trait(t)) list_item(names, imx(t).n);
            for (int c = 1; c < COND_COUNT; ++c)
                if (c != C_TURN && u->imm_cond(c)) list_item(names, get_cond(c)->n);
        }
        if (names.empty()) continue;
        const text_info_t* t = get_text_info(key);
        out.append_format(L"<c=lbl tip='%s'>%s</c> %s\n", or_empty(t->d), or_empty(t->n), names);
    }
    return out;
}

Str value_lines(const unit_t* u) {
    const u_drv_t& d = u->drv;
    Str out;
    auto num = [&](const wchar_t* key, int v) {
        if (v != 0) out.append(value_line(key, int_to_str(v)));
    };
    auto num_ex = [&](const wchar_t* key, int v) {
        if (v != 0) out.append(with_exceptions(value_line(key, int_to_str(v)), u));
    };
    auto dice = [&](const wchar_t* key, int packed) {
        if (packed == 0) return;
        int n = 0, s = 0;
        unpack_dice(&n, &s, packed);
        out.append(value_line(key, Str(L"%s 伤害", dice_rng_text(n, s))));
    };
    auto pct = [&](const wchar_t* key, int v) {
        if (v != 0) out.append(value_line(key, Str(L"%d%%", v)));
    };
    num_ex(L"dr", d.dr);
    num(L"er", d.er);
    num(L"ac_rng", d.ac_rng);
    dice(L"bounce_p", d.bounce_p);
    dice(L"bounce_f", d.bounce_f);
    pct(L"ctr_atk", d.ctr_atk);
    if (d.companion_lv != 0)
        out.append(value_line(L"auto_sum", Str(L"等级 %d %s", d.companion_lv, or_empty(get_ie(d.companion_ie).n))));
    num_ex(L"hr", d.hr);
    if (!u->btl.auto_heal1_used) num_ex(L"auto_heal1", d.auto_heal1);
    if (!u->btl.auto_heal2_used) num_ex(L"auto_heal2", d.auto_heal2);
    num(L"be_heal", d.be_heal);
    num(L"to_heal", d.to_heal);
    num(L"elm_dmg", d.elm_dmg);
    num(L"pe_dmg", d.pe_dmg);
    num(L"ne_dmg", d.ne_dmg);
    num(L"tr", d.tr);
    num(L"sr", d.sr);
    num(L"unsr", d.unsr);
    if (is_cls(u, {CLS_WIZARD, CLS_SHAMAN})) pct(L"spl_fail", d.asf);
    return out;
}

// ---- conditions ----

Str cond_lines(const unit_t* u) {
    Str out;
    for (const auto& [id, inst] : u->conds.map) {
        const cond_t* c = get_cond(id);
        const Str amt = inst.amt != 0 ? Str(L" %d", inst.amt) : Str();
        Str dur;
        out.append_format(L"<c=%c tip='%s'>%s%s</c> (%s)\n", is_good_cond(id) ? L'g' : L'r', or_empty(c->d),
                          or_empty(c->n), amt, get_dur_text(dur, inst.dur));
    }
    for (const u_aura_t& a : u->btl.auras) {
        const Pwr* p = get_pwr(a.pwr);
        if (!p) continue;
        const bool helps = a.pwr >= P_AURA5_ATK2 && a.pwr <= P_AURA5_HEAL5;  // the auras that help allies
        out.append_format(L"<c=%c tip='%s'>%s</c>\n", helps ? L'g' : L'r', or_empty(p->d), or_empty(p->n));
    }
    return out;
}

}  // namespace

Str unit_head(const unit_t* u) {
    const wchar_t* img = !u->is_known() ? L"faces_npc/null" : u->face.empty() ? u->img.buf : u->face.buf;
    Str name;
    return Str(L"<b><img=\"%s\" bg_c=#1f bdr_c=fc_kk sz=72><min_x=80><f=b5><nobr>%s</nobr></f>", img,
               u->get_disp_name(name));
}

Str hp_line(const unit_t* u) {
    return Str(L"<tip='<b c=lbl>生命:\n</b>%s'><c=lbl><ico=misc/hp> 生命</c> %s</tip>", brk(u, BT_HP), hp_text(u));
}

Str spd_line(const unit_t* u) {
    return Str(L"<tip='<b c=lbl>速度:\n</b>%s'><c=lbl><ico=misc/mov> 速度</c> %d</tip>", brk(u, BT_SPD), u->drv.spd);
}

Str init_line(const unit_t* u) {
    return Str(L"<tip='<b c=lbl>先攻:\n</b>%s'><c=lbl><ico=misc/init> 先攻</c> %+d</tip>", brk(u, BT_INIT),
               u->drv.init);
}

Str abi_sect(const unit_t* u, int flags) {
    Str out;
    if (!(flags & SHEET_ABIS)) {
        Str line;
        for (int i = 0; i < ABIS; ++i)
            line.append_format(L"<c=#%s tip='%s'>%s</c>/", i < 3 ? L"ff9" : L"99f", abi_tip(u, i), abi_score(u, i));
        return sect_head(out, L"abi", L"属性", line.drop_back(1));
    }
    sect_head(out, L"abi", L"属性", L"");
    Str rows;
    for (int i = 0; i < ABIS; ++i)
        rows.append_format(L"<c=lbl tip=#abi_%d tip_w=512>%s</c> <tip='%s'><r=32>%s</r> <r=32>%s</r></tip>\n", i,
                           or_empty(get_abi(i)->n), abi_tip(u, i), abi_score(u, i), mod_text(u->drv.abi_mod[i]));
    return out.append(rows.drop_back(1));
}

Str def_sect(const unit_t* u) {
    Str list;
    for (int i = DEF_FT; i <= DEF_WL; ++i) {
        const wchar_t* name = or_empty(get_def(i)->n);
        // A defence and its value are one item: the list wraps between them.
        list.append_format(L"<tip='<b c=lbl>%s:</b>\n%s'><nobr><c=lbl>%s</c> %d</nobr></tip>, ", name,
                           brk(u, BT_DEF + i), name, u->get_def(i));
    }
    const Str tip(L"<b c=lbl>物理防御:</b>\n%s\n\n<b c=lbl>战技防御</b>\t%d", brk(u, BT_DEF + DEF_AC), u->get_def(DEF_CM));
    const bool ao = is_btl_running() && can_make_aoo(u);
    Str out;
    sect_head_n(out, tip, L"def", L"防御", u->get_def(DEF_AC), ao ? L"<r c=fc_r tip=角色当前可进行借机攻击>AO</r>" : L"");
    return out.append(list.drop_back(2));
}

Str atk_sect(unit_t* u, int flags) {
    Str rows;
    int best = INT_MIN;
    for (int k = ATK_MELEE; k <= ATK_TURN; ++k) {
        if (k == ATK_SPL && !is_cls(u, {CLS_CLERIC, CLS_WIZARD, CLS_PRIEST, CLS_SHAMAN})) continue;
        if (k == ATK_TURN && !is_cls(u, {CLS_CLERIC, CLS_PRIEST})) continue;
        rows.append_format(L"<b c=lbl>%s</b>\t%d\n", or_empty(get_atk(k)->n), u->get_atk(k));
        best = std::max(best, u->get_atk(k));
    }
    rows.drop_back(1);
    Str body;
    if (u->eqpts.can_atk(ATK_MELEE, false)) body.append(wpn_atk_line(u, P_ATK_M)).append(L"\n");
    if (u->eqpts.can_atk(ATK_RANGE, false)) body.append(wpn_atk_line(u, P_ATK_R)).append(L"\n");
    if (!body.empty()) body.drop_back(1);
    std::vector<int> acts;
    u->pwrs.get_act_ids(acts);
    Str list;
    for (int id : acts) {
        Str link;
        list.append(pwr_link(link, id)).append(L"\n");
    }
    if (!acts.empty()) {
        list.drop_back(1);
        body.append(L"\n");
        if (flags & SHEET_ACTS)
            body.append(list);
        else
            body.append_format(L"<tip='%s'><ico=misc/act> <c=lbl>%s</c> (%d)</tip>", list, L"其他动作", int(acts.size()));
    }
    Str out;
    sect_head_n(out, rows, L"atk", L"攻击", best, L"");
    return out.append(body);
}

Str trait_sect(const unit_t* u, int flags) {
    Str lines = res_lines(u);
    lines.append(value_lines(u));
    for (const auto& [id, on] : u->pwrs.all) {
        if (id < P_IMM_M || is_act(id)) continue;  // monster traits from P_IMM_M on
        Str link;
        lines.append(pwr_link(link, id)).append(L"\n");
    }
    if (lines.empty()) return lines;
    lines.drop_back(1);
    Str out;
    if (flags & SHEET_TRAITS) return sect_head(out, L"trait", L"特殊", L"").append(lines);
    return sect_head(out, L"trait", L"特殊", Str(L"<c=w tip=\"%s\">...</c>", lines));
}

Str cond_sect(const unit_t* u) {
    Str lines = cond_lines(u);
    if (lines.empty()) return lines;
    return Str(L"<h3 c=lbl mgn_t=8 tip=$cond><ico=misc/cond> 状态</h3>%s", lines.drop_back(1));
}

Str feat_sect(const unit_t* u, int flags) {
    std::vector<int> feats;
    u->pwrs.get_ids(feats, UP_FEAT);
    Str out;
    return sect_head_cnt(out, L"feat", L"专长", pwr_list(u, feats, PWRS_TREE), int(feats.size()), flags & SHEET_FEATS);
}

Str pwr_list(const unit_t* u, const std::vector<int>& ids, int flags) {
    Str out;
    for (int id : ids) {
        const Pwr* p = get_pwr(id);
        if (!p) continue;
        const int tier = p->get_tier();
        if ((flags & PWRS_TREE) && tier > 0 && has_pwr_prereqs(*u, *p)) out.append_n(L' ', 4 * tier);
        // One line each: a name too long for the pane ends in an ellipsis (its
        // tooltip names it whole) rather than wrap to the margin like another entry.
        Str link;
        out.append(L"<el>").append(pwr_link(link, id)).append(L"</el>\n");
    }
    if (out.empty()) return Str(L"无");
    return out.drop_back(1);
}

Str unit_sheet(unit_t* u, int flags) {
    Str out = unit_head(u);
    if (!u->is_known()) return out;
    Str level;
    out.append_format(L"\n<c=a>%s</c>\n", lv_line(level, u));
    const bool sized = u->drv.size != SIZE_MEDIUM;
    if (sized) out.append_format(L"<tip=#usize_%d>%s</tip>", u->drv.size, or_empty(get_u_size(u->drv.size)->n));
    if (u->base.rank != RANK_NORMAL) {
        const urank_t& r = get_urank(u->base.rank);
        out.append_format(L"%s<tip=#urank_%d><c=#%08x>%s</c></tip>", sized ? L" " : L"", u->base.rank, r.clr.v,
                          or_empty(r.n));
    }
    out.append(L"\n");
    out.append_format(L"%s\n%s\n%s\n<min_x=0>", hp_line(u), spd_line(u), init_line(u));
    out.append(abi_sect(u, flags)).append(def_sect(u)).append(atk_sect(u, flags)).append(trait_sect(u, flags));
    return out.append(cond_sect(u)).append(feat_sect(u, flags));
}

Str unit_caption(const unit_t* u) {
    Str name;
    u->get_disp_name(name);
    if (!u->is_known()) return Str(L"<b><nobr>%s</nobr></b>", name);
    Str out(L"<b><nobr>%s</nobr> (%s)", name, hp_text(u));
    if (u->creator) {
        Str by;
        out.append_format(L" - <c=lbl>召唤者:</c> <nobr>%s</nobr>", u->creator->get_disp_name(by));
    }
    return out.append(L"</b>");
}

Str unit_tip_text(const unit_t* u) {
    Str out = unit_caption(u);
    if (!u->is_known()) return out;
    Str level;
    return out.append_format(L"\n<c=a b>%s</c>", lv_line(level, u));
}

}  // namespace txt
