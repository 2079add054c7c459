#include "screens/text/itm_desc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/db.h"
#include "app/rnd.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/itm_price.h"
#include "rules/itm_slot.h"
#include "rules/loot.h"
#include "rules/rare_lv.h"
#include "rules/shop.h"
#include "screens/text/desc_parts.h"
#include "text_env.h"

namespace {

class ItmDesc : public text_env_t {
protected:
    static Str name(const itm_slot_t& s) {
        Str n;
        return s.get_name(n);
    }
    static Str price_line(const itm_slot_t& s, const wchar_t* wt) {
        return Str(L"\n<dy=4>%s<r>%s <ico=misc/wt></r>", txt::gold_text(s.get_price()), wt);
    }
};

}  // namespace

TEST_F(ItmDesc, CriticalTextInBothForms) {
    EXPECT_EQ(txt::crit_text(2, 2), Str(L"10%/x2"));
    EXPECT_EQ(txt::crit_text(1, 3), Str(L"5%/x3"));
    opts().show_dnd_ch = true;
    EXPECT_EQ(txt::crit_text(2, 2), Str(L"19-20/x2"));
    EXPECT_EQ(txt::crit_text(3, 2), Str(L"18-20/x2"));
    EXPECT_EQ(txt::crit_text(1, 3), Str(L"x3"));  // only a 20 threatens
}

TEST_F(ItmDesc, APlusTwoWeaponShowsItsBonusAfterTheDiceAndAsAnAttackBonus) {
    itm_slot_t s;
    mk_itm_slot_bonus(s, ITM_SWD_M, 1, 2);
    const itm_t& k = get_itm(ITM_SWD_M);
    EXPECT_EQ(txt::itm_desc(s),
              Str(L"<h2>%s</h2>%s%s%s<r>%s</r>\n<f=b6>1-8<c=g>+2</c></f> <c=a>%s</c><r c=g>+2 攻击</r>\n10%%/x2 <c=a>暴击</c>"
                  L"<hr><c=a>%s</c>",
                  name(s), name_of(get_wpn_hands(k.wpn.hands)), lang_wsp, name_of(get_wpn_grp(k.grp)), itm_rare_lbl(s),
                  k.wpn.dmg.get_type_names(), k.d) +
                  price_line(s, L"4"));
    opts().disp_dice = true;
    EXPECT_TRUE(has(txt::itm_desc(s), L"<f=b6>1d8<c=g>+2</c></f>"));
    // A plain copy has neither bonus, nor rarity, nor attack line.
    const itm_slot_t plain(ITM_SWD_M, 1);
    EXPECT_FALSE(has(txt::itm_desc(plain), L"攻击"));
    EXPECT_TRUE(has(txt::itm_desc(plain), L"<f=b6>1d8</f>"));
    // Launchers and thrown weapons give their range.
    EXPECT_TRUE(has(txt::itm_desc(itm_slot_t(ITM_BOW_S, 1)), L"\n<c=a>射程</c> 6<hr>"));
}

TEST_F(ItmDesc, ANaturalWeaponHasNoHandsPriceOrWeight) {
    const Str d = txt::itm_desc(itm_slot_t(ITM_BITE, 1));
    const Str head(L"<h2>%s</h2>天生武器\n", get_itm(ITM_BITE).n);
    EXPECT_EQ(d.left(head.length()), head);
    for (const wchar_t* part : {L"<dy=4>", L"misc/g", L"misc/wt"}) EXPECT_FALSE(has(d, part)) << part;
}

TEST_F(ItmDesc, ArmourAndShieldsWithAndWithoutADexterityCap) {
    const itm_slot_t shd(ITM_SHD1, 1);
    const itm_t& k = get_itm(ITM_SHD1);
    ASSERT_EQ(k.amr.max_dex, UNLIMITED);
    EXPECT_EQ(txt::itm_desc(shd),
              Str(L"<h2>%s</h2>%s\n<f=b6>2</f> <c=a>防御/反射</c>\n<c=a>速度减值：</c><c=r>0</c>\n<c=a>最大敏捷加值：</c><c=g>不限</c>\n"
                  L"<c=a>非擅长攻击/反射减值：</c><c=r>-2</c>\n<c=a>奥术失败率：</c><c=r>5%%</c><hr><c=a>%s</c>",
                  name(shd), name_of(get_shd_type(k.grp)), k.d) +
                  price_line(shd, L"5"));
    itm_slot_t amr;
    mk_itm_slot_bonus(amr, ITM_AMR2, 1, 1);
    const Str d = txt::itm_desc(amr);
    EXPECT_TRUE(has(d, Str(L"</h2>%s<r>", name_of(get_amr_type(get_itm(ITM_AMR2).grp)))));
    EXPECT_TRUE(has(d, L"\n<f=b6>2<c=g>+1</c></f> <c=a>防御</c>\n"));
    EXPECT_TRUE(has(d, L"<c=a>最大敏捷加值：</c><c=g>8</c>"));
}

TEST_F(ItmDesc, AmmunitionOtherItemsTheRarityNoteAndAMissingDescription) {
    const itm_slot_t arrows(ITM_BOW_A, 20);
    EXPECT_TRUE(has(txt::itm_desc(arrows), Str(L"</h2><c=a>适用于：</c>%s<hr>", name_of(get_wpn_grp(WG_BOW)))));
    // A ring of built-in rarity: its type and rarity, then the note after the description.
    const itm_slot_t ring(ITM_RING_ELM_DMG, 1);
    const Str d = txt::itm_desc(ring);
    EXPECT_TRUE(has(d, Str(L"</h2>%s<r>%s</r>", name_of(&get_itm_type(IT_RING)), itm_rare_lbl(ring))));
    const Str note = db_get_str(L"xbns_note", L"strs");
    ASSERT_FALSE(note.empty());
    EXPECT_TRUE(has(d, Str(L"</c>\n\n<c=a>%s</c>\n<dy=4>", note)));
    // Without a description nothing stands between the rule and the price.
    itm_t& k = const_cast<itm_t&>(get_itm(ITM_SWD_S));
    const Str kept(k.d);
    text_info_t::set(&k.d, nullptr);
    const itm_slot_t sword(ITM_SWD_S, 1);
    EXPECT_TRUE(has(txt::itm_desc(sword), Str(L"<hr>\n<dy=4>")));
    text_info_t::set(&k.d, kept);
}

// The note under items of built-in magic holds for both kinds: the belt whose
// Dexterity grows with its bonus (+3 gives +6) and the cloak whose spell
// resistance does not (its bonus held at 1). Neither is made with enchantments
// besides its own, and the note claims no cap on the bonus, which the belt passes.
TEST_F(ItmDesc, TheNoteOnBuiltInMagicHoldsForItemsThatGrowAndItemsThatDoNot) {
    const Str note = db_get_str(L"xbns_note", L"strs");
    itm_slot_t belt, cloak;
    mk_itm_slot_bonus(belt, ITM_BELT_DEX, 1, 3);
    mk_itm_slot_bonus(cloak, ITM_CLOAK_RS1, 1, 3);
    ASSERT_FALSE(itm_is_fixed_rarity(belt));
    ASSERT_TRUE(itm_is_fixed_rarity(cloak));
    EXPECT_EQ(itm_ench_val(belt, get_itm(ITM_BELT_DEX).ies[0]), 6);
    EXPECT_EQ(cloak.bonus, 1);
    for (const itm_slot_t& s : {belt, cloak}) EXPECT_TRUE(has(txt::itm_desc(s), note.buf));
    EXPECT_FALSE(has(note, L"+1")) << to_utf8_string(note.buf);
    // As the shop and the loot make them.
    std::vector<itm_slot_t> made;
    shop_fill_wondrous(made, 20);
    rnd_srand(1);
    for (int i = 0; i < 300; ++i) roll_loot_itm(made.emplace_back(), 20, RARE_MAGIC, RARE_MAGIC, 20);
    int both = 0, enchanted = 0;
    for (const itm_slot_t& s : made)
        if (s.id == ITM_BELT_DEX || s.id == ITM_CLOAK_RS1) ++both, enchanted += std::count(s.ies, s.ies + 4, 0) != 4;
    EXPECT_GT(both, 2);
    EXPECT_EQ(enchanted, 0);
}
