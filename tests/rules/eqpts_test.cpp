#include "rules/eqpts.h"

#include <gtest/gtest.h>

#include <array>

#include "app/str.h"
#include "battle/btl.h"
#include "rules/bag.h"
#include "rules/itm.h"
#include "rules/itm_drop.h"
#include "rules/unit.h"
#include "itm_inst.h"
#include "support/pwrs_test.h"

namespace {

constexpr int DAGGER = 27, SHORT_SWORD = 28, GREATSWORD = 34, THROW_AXE = 38, LONGSPEAR = 58;
constexpr int SHORTBOW = 60, LONGBOW = 61, LIGHT_SHIELD = 74, ARROWS = 166, CHAIN = 70;

class Eqpts : public pwrs_test {
protected:
    // Most cases start from u at Strength 14; what it displaces goes to bag.
    void SetUp() override {
        set_eqpt_bag(bag);
        make(14);
    }
    void TearDown() override { set_eqpt_bag(nullptr); }

    // Makes u a medium fighter of level 1 whose recalculation keeps the given Strength.
    void make(int str) {
        make_unit(u, 24, 1, 1, 10);  // a human
        u.base.abi[0] = str;
        u.recalc();
    }
    void hold(int main, int off) { u.eqpts.slots[EQ_MAIN].set(main, 1), u.eqpts.slots[EQ_OFF].set(off, 1); }
    // The item in each hand, 0 for an empty one.
    std::pair<int, int> hands() const { return {id_in(u.eqpts.slots[EQ_MAIN]), id_in(u.eqpts.slots[EQ_OFF])}; }
    static int id_in(const itm_slot_t& s) { return s.empty() ? 0 : s.id; }
    void fill_bag_but(int free) {
        for (int i = 0; i < BAG_SLOTS - free; ++i) bag[i].set(169, 1);  // healing kits
    }

    itm_slot_t bag[BAG_SLOTS];
    unit_t u;
};

}  // namespace

TEST_F(Eqpts, LoadLevelsFollowTheCapacityOfStrength) {
    for (const auto& [str, cap] : {std::pair{0, 0}, {-3, 0}, {29, 1400}, {30, 1500}, {45, 1500}})
        EXPECT_EQ(load_capacity(str), cap) << str;
    make(12);
    ASSERT_EQ(std::pair(u.drv.size, u.eqpts.capacity()), std::pair(3, 130));
    const std::pair<int, int> bounds[] = {{43, 0}, {86, 43}, {130, 86}, {UNLIMITED, 130}};  // cap and floor by level
    for (int lv = 1; lv <= 4; ++lv)
        EXPECT_EQ(std::pair(u.eqpts.load_cap(lv), u.eqpts.load_floor(lv)), bounds[lv - 1]) << lv;
    // Healing kits weigh 1, arrows 0.15: 42 kits and 10 arrows weigh 43.5 - 1 = 42.5.
    const struct { int kits; int arrows; int lv; } cases[] = {{0, 0, 1}, {41, 10, 1}, {43, 0, 2}, {86, 0, 3}, {130, 0, 4}};
    for (const auto& c : cases) {
        u.eqpts.clear();
        // Weight goes where the rules count it: the 17 slots.
        u.eqpts.slots[EQ_QUICK].set(169, c.kits);
        u.eqpts.slots[EQ_QUICK + 1].set(ARROWS, c.arrows);
        EXPECT_EQ(u.eqpts.load_lv(), c.lv) << c.kits;
    }
    u.eqpts.slots[EQ_QUICK].set(169, 42);
    u.eqpts.slots[EQ_QUICK + 1].set(ARROWS, 10);
    EXPECT_DOUBLE_EQ(u.eqpts.weight(), 43.5);
}

TEST_F(Eqpts, SmallUnitsCarryHalfTheWeight) {
    make(10);
    u.base.race = 30;  // halfling: small
    u.recalc();
    ASSERT_EQ(u.drv.size, 2);
    u.eqpts.slots[EQ_QUICK].set(169, 60);
    EXPECT_DOUBLE_EQ(u.eqpts.weight(), 30.0);
    EXPECT_EQ(u.eqpts.quick_count(), 60);
}

TEST_F(Eqpts, TwoHanderIntoFullHandsNeedsTwoFreeBagSlots) {
    hold(SHORT_SWORD, LIGHT_SHIELD);
    fill_bag_but(1);
    itm_slot_t sword(GREATSWORD, 1);
    EXPECT_FALSE(u.eqpts.equip_at(sword, EQ_MAIN));
    EXPECT_EQ(std::tuple(sword.id, hands()), std::tuple(GREATSWORD, std::pair(SHORT_SWORD, LIGHT_SHIELD)));
    EXPECT_EQ(bag_free_slots(bag), 1);

    bag[0].clear();
    EXPECT_TRUE(u.eqpts.equip_at(sword, EQ_MAIN));
    EXPECT_TRUE(sword.empty());
    EXPECT_EQ(std::tuple(hands(), bag_free_slots(bag)), std::tuple(std::pair(GREATSWORD, 0), 0));

    // A shield into the off hand sends the two-hander to the bag first.
    bag[0].clear();
    itm_slot_t shield(LIGHT_SHIELD, 1);
    EXPECT_TRUE(u.eqpts.equip_at(shield, EQ_OFF));
    EXPECT_EQ(bag[0].id, GREATSWORD);
    EXPECT_EQ(hands(), std::pair(0, LIGHT_SHIELD));  // a shield never moves to the main hand
}

TEST_F(Eqpts, EquipPrefersEmptySlotsAndRefusesWhatFitsNowhere) {
    itm_slot_t d1(DAGGER, 1), d2(DAGGER, 1), dart(66, 10), ring(122, 1);
    EXPECT_TRUE(u.eqpts.equip(d1));
    EXPECT_TRUE(u.eqpts.equip(d2));
    EXPECT_EQ(hands(), std::pair(DAGGER, DAGGER));
    EXPECT_TRUE(u.eqpts.equip(dart));
    EXPECT_EQ(std::pair(u.eqpts.slots[EQ_QUICK].get_count(), dart.get_count()), std::pair(5, 5));  // five darts a slot
    EXPECT_TRUE(u.eqpts.equip(ring));
    EXPECT_EQ(u.eqpts.slots[13].id, 122);
    // Equipping a slot onto itself moves nothing.
    EXPECT_FALSE(u.eqpts.equip_at(u.eqpts.slots[EQ_QUICK], EQ_QUICK));
    EXPECT_EQ(u.eqpts.slots[EQ_QUICK].get_count(), 5);
    itm_slot_t kit(169, 1), nothing;
    EXPECT_FALSE(u.eqpts.equip(kit));
    EXPECT_FALSE(u.eqpts.equip(nothing));
    EXPECT_FALSE(u.eqpts.equip_at(ring, 17));
    EXPECT_FALSE(u.eqpts.equip_at(ring, -1));
    // No bag at all: nothing can be displaced, and nothing is lost.
    set_eqpt_bag(nullptr);
    itm_slot_t sword(SHORT_SWORD, 1);
    EXPECT_FALSE(u.eqpts.equip_at(sword, EQ_MAIN));
    EXPECT_EQ(sword.id, SHORT_SWORD);
    EXPECT_FALSE(u.eqpts.unequip(u.eqpts.slots[EQ_MAIN]));
    EXPECT_EQ(u.eqpts.slots[EQ_MAIN].id, DAGGER);
}

TEST_F(Eqpts, UnequipSettlesTheOffHandIntoTheMainHand) {
    hold(SHORT_SWORD, DAGGER);
    EXPECT_TRUE(u.eqpts.unequip(u.eqpts.slots[EQ_MAIN]));
    EXPECT_EQ(std::tuple(bag[0].id, hands()), std::tuple(SHORT_SWORD, std::pair(DAGGER, 0)));
}

TEST_F(Eqpts, SettleEmptiesSlotsWithIdsOutsideTheTable) {
    u.eqpts.slots[EQ_MAIN].id = 9999;  // as a damaged save file leaves it
    u.eqpts.slots[EQ_MAIN].cnt = 3;
    u.eqpts.slots[EQ_OFF].set(DAGGER, 1);
    u.eqpts.slots[7].id = -4;
    u.eqpts.sets[1][0].id = 180;
    u.eqpts.settle();
    EXPECT_EQ(hands(), std::pair(DAGGER, 0));  // the dagger moved into the emptied hand
    EXPECT_EQ(u.eqpts.slots[7].id, 0);
    EXPECT_EQ(std::pair(u.eqpts.sets[1][0].id, u.eqpts.sets[1][0].cnt), std::pair(0, 0));
}

TEST_F(Eqpts, WeaponSetsSwapThereAndBack) {
    hold(SHORT_SWORD, LIGHT_SHIELD);
    u.eqpts.sets[1][0].set(LONGBOW, 1);
    u.eqpts.sets[2][1].set(DAGGER, 1);  // set 3: a dagger in the off hand only

    u.eqpts.swap_wpn_set(2);
    EXPECT_EQ(std::tuple(u.eqpts.cur_set, hands()), std::tuple(2, std::pair(LONGBOW, 0)));
    EXPECT_EQ(u.eqpts.sets[1][0].id, SHORT_SWORD);  // store 2 keeps set 0 meanwhile
    EXPECT_EQ(u.eqpts.sets[1][1].id, LIGHT_SHIELD);
    Str name, a, b;
    itm_slot_t(SHORT_SWORD, 1).get_name(a);
    itm_slot_t(LIGHT_SHIELD, 1).get_name(b);
    EXPECT_STREQ(u.eqpts.wpn_set_name(name, 0).buf, (a + L"/" + b).buf);

    u.eqpts.swap_wpn_set(-3);  // the other of sets 0 and 1: set 0
    EXPECT_EQ(std::tuple(u.eqpts.cur_set, hands()), std::tuple(0, std::pair(SHORT_SWORD, LIGHT_SHIELD)));
    EXPECT_EQ(u.eqpts.sets[1][0].id, LONGBOW);

    // Set 3 holds an off-hand dagger only: it moves into the main hand.
    u.eqpts.swap_wpn_set(3);
    EXPECT_EQ(hands(), std::pair(DAGGER, 0));
    // From set 3 straight to set 2, then back to 0: nothing is made or lost.
    u.eqpts.swap_wpn_set(2);
    EXPECT_EQ(u.eqpts.slots[EQ_MAIN].id, LONGBOW);
    u.eqpts.swap_wpn_set(0);
    EXPECT_EQ(u.eqpts.slots[EQ_MAIN].id, SHORT_SWORD);
    EXPECT_EQ(std::pair(u.eqpts.sets[1][0].id, u.eqpts.sets[2][0].id), std::pair(LONGBOW, DAGGER));

    // Sets outside -3..3 (and -1) are ignored.
    for (int bad : {-1, 4, 7, -4, 1000}) {
        u.eqpts.swap_wpn_set(bad);
        EXPECT_EQ(std::pair(u.eqpts.cur_set, u.eqpts.slots[EQ_MAIN].id), std::pair(0, SHORT_SWORD)) << bad;
    }
    EXPECT_STREQ(u.eqpts.wpn_set_name(name, 9).buf, L"");
    for (itm_slot_t& s : u.eqpts.sets[0]) s.clear();
    // Empty hands are named after the unarmed strike.
    wchar_t** unarmed = &const_cast<itm_t&>(get_itm(ITM_UNARMED)).n;
    text_info_t::set(unarmed, L"徒手");
    EXPECT_STREQ(u.eqpts.wpn_set_name(name, 1).buf, L"徒手");
    text_info_t::set(unarmed, nullptr);
}

TEST_F(Eqpts, AttackSlotsByKind) {
    atk_slots_t a = u.eqpts.atk_slots(1);
    EXPECT_EQ(std::pair(a.slots, a.light), std::pair(std::vector<int>{EQ_MAIN}, 0));  // the unarmed strike
    EXPECT_EQ(u.eqpts.get_slot(EQ_MAIN, 1).id, ITM_UNARMED);
    EXPECT_EQ(u.eqpts.get_slot(EQ_MAIN, 1).cnt, 0);
    EXPECT_TRUE(u.eqpts.get_slot(EQ_MAIN, 0).empty());
    EXPECT_TRUE(u.eqpts.get_slot(40, 1).empty());

    hold(SHORT_SWORD, DAGGER);
    a = u.eqpts.atk_slots(1);
    EXPECT_EQ(std::pair(a.slots, a.light), std::pair(std::vector<int>{EQ_MAIN, EQ_OFF}, 1));
    u.eqpts.slots[EQ_OFF].set(39, 1);  // a battle axe is not light
    EXPECT_EQ(u.eqpts.atk_slots(1).light, 0);
    EXPECT_EQ(std::pair(u.eqpts.atk_slots(5).slots, u.eqpts.atk_slots(5).light), std::pair(std::vector<int>{}, 1));

    // A bow without arrows, and thrown daggers in the third quick slot.
    u.eqpts.clear();
    u.eqpts.slots[EQ_MAIN].set(LONGBOW, 1);
    u.eqpts.slots[EQ_QUICK].set(168, 10);  // sling bullets fit no bow
    u.eqpts.slots[EQ_QUICK + 2].set(DAGGER, 4);
    EXPECT_TRUE(u.eqpts.no_ammo());
    EXPECT_EQ(u.eqpts.atk_slots(2).slots, std::vector<int>{EQ_QUICK + 2});
    EXPECT_EQ(u.eqpts.ammo_for(u.eqpts.slots[EQ_QUICK + 2]), 4);
    EXPECT_TRUE(u.eqpts.atk_slots(1).slots.empty());  // a bow is no melee weapon
    u.eqpts.slots[EQ_QUICK + 3].set(ARROWS, 20);
    EXPECT_FALSE(u.eqpts.no_ammo());
    EXPECT_EQ(u.eqpts.atk_slots(2).slots, std::vector<int>{EQ_MAIN});
    EXPECT_EQ(u.eqpts.ammo_for(u.eqpts.slots[EQ_MAIN]), 20);

    EXPECT_TRUE(u.eqpts.can_atk(2, true));
    u.eqpts.slots[EQ_MAIN].ex |= 1;
    EXPECT_FALSE(u.eqpts.can_atk(2, true));
    EXPECT_TRUE(u.eqpts.can_atk(2, false));
}

TEST_F(Eqpts, AmmunitionAndThrownWeaponsAreUsedUp) {
    itm_slot_t& bow = u.eqpts.slots[EQ_MAIN];
    bow.set(SHORTBOW, 1);
    u.eqpts.slots[EQ_QUICK + 1].set(ARROWS, 2);
    u.eqpts.slots[EQ_QUICK + 3].set(ARROWS, 5);
    EXPECT_TRUE(u.eqpts.use_ammo_for(bow));
    EXPECT_EQ(u.eqpts.slots[EQ_QUICK + 1].cnt, 1);
    u.eqpts.spend_ammo(bow);
    EXPECT_TRUE(u.eqpts.slots[EQ_QUICK + 1].empty());
    EXPECT_EQ(u.eqpts.slots[EQ_QUICK + 3].cnt, 5);
    u.eqpts.slots[EQ_QUICK + 3].clear();
    EXPECT_FALSE(u.eqpts.use_ammo_for(bow));

    itm_slot_t& axes = u.eqpts.slots[EQ_QUICK];
    axes.set(THROW_AXE, 2);
    axes.bonus = 1;
    u.eqpts.spend_ammo(axes);
    EXPECT_EQ(axes.cnt, 2);  // a magic axe comes back
    axes.bonus = 0;
    u.eqpts.spend_ammo(axes);
    u.eqpts.spend_ammo(axes);
    EXPECT_TRUE(axes.empty());
}

TEST_F(Eqpts, SetGearOfAMonsterTemplate) {
    eqpts_t e;
    // Bite and claw, a longspear, chain mail, a longbow; javelins for the quick slot.
    e.set_gear({1, 2, LONGSPEAR, CHAIN, LONGBOW, 56}, 1 | 2);
    EXPECT_EQ((std::array{e.nat[0], e.nat[1], e.nat[2]}), (std::array{1, 2, 0}));
    EXPECT_EQ(e.slots[EQ_BODY].id, CHAIN);
    // The bow's arrows replace the javelins; a natural weapon takes the main hand.
    EXPECT_EQ(std::pair(e.slots[EQ_QUICK].id, e.slots[EQ_QUICK].cnt), std::pair(ARROWS, 15));
    EXPECT_EQ(e.slots[EQ_MAIN].id, 1);
    EXPECT_TRUE(e.slots[EQ_OFF].empty());

    e.set_gear({SHORT_SWORD, LIGHT_SHIELD, 56}, 1);
    EXPECT_EQ(std::pair(e.slots[EQ_MAIN].id, e.slots[EQ_MAIN].get_count()), std::pair(SHORT_SWORD, 1));
    EXPECT_EQ(e.slots[EQ_OFF].id, LIGHT_SHIELD);
    EXPECT_EQ(std::pair(e.slots[EQ_QUICK].id, e.slots[EQ_QUICK].cnt), std::pair(56, 5));
    EXPECT_EQ(e.nat[0], 0);

    e.set_gear({1, 2, 3, 4, 5}, 0);  // a fifth natural weapon has no room
    EXPECT_EQ(std::pair(e.nat[3], e.slots[EQ_MAIN].id), std::pair(4, 1));

    // An empty list with the quick-slot flag takes nothing from nowhere.
    e.set_gear({}, 1 | 2);
    for (const itm_slot_t& s : e.slots) EXPECT_TRUE(s.empty());
    e.set_gear({9999, -1, 0}, 0);
    EXPECT_TRUE(e.slots[EQ_MAIN].empty());
}

TEST_F(Eqpts, CopiesKeepTheirOwnContents) {
    make(12);
    u.eqpts.slots[EQ_MAIN].set(SHORT_SWORD, 1);
    u.eqpts.sets[0][0].set(LONGBOW, 1);
    u.eqpts.cur_set = 2;
    u.eqpts.nat[0] = 3;
    unit_t b(u);
    EXPECT_EQ(b.eqpts.u, &b);
    const eqpts_t& e = b.eqpts;
    EXPECT_EQ((std::array{e.slots[EQ_MAIN].id, e.sets[0][0].id, e.cur_set, e.nat[0]}),
              (std::array{SHORT_SWORD, LONGBOW, 2, 3}));
    b.eqpts.clear();
    EXPECT_EQ(u.eqpts.slots[EQ_MAIN].id, SHORT_SWORD);
}

// Nothing between fights heals: gear put on, swapped or taken off in the hub
// moves the hit points with the maximum, a wound kept as it was; in battle only the maximum moves.
TEST_F(Eqpts, OutOfBattleTheHitPointsMoveWithTheMaximumGearGives) {
    btl().state = BTL_WON;  // the hub after a fight
    u.hp_ready = 1;
    const int bare = u.drv.hp_max;  // Constitution 10 at level 1: 14 gives 6 more, 12 gives 3
    const auto hp = [&](bool moved) { return std::tuple(moved, u.hp, u.drv.hp_max); };
    bag[0] = inst(ITM_NECK_CON, 2), bag[1] = inst(ITM_NECK_CON, 1);
    EXPECT_EQ(hp(u.eqpts.equip(bag[0])), std::tuple(true, bare + 6, bare + 6));
    EXPECT_EQ(hp(u.eqpts.equip(bag[1])), std::tuple(true, bare + 3, bare + 3));  // the +2 back to bag[0]
    EXPECT_EQ(hp(u.eqpts.unequip(u.eqpts.slots[EQ_NECK])), std::tuple(true, bare, bare));
    const itm_place_t neck{itm_at_e::eqpt, EQ_NECK};
    u.hp = bare - 3;
    EXPECT_EQ(hp(itm_drop(u, bag, {itm_at_e::bag, 0}, neck)), std::tuple(true, bare + 3, bare + 6));
    u.hp = 2;  // taking gear off never fells
    EXPECT_EQ(hp(itm_drop(u, bag, neck, {itm_at_e::bag, 5})), std::tuple(true, 1, bare));
    u.hp = bare;
    reset_btl();
    EXPECT_EQ(hp(u.eqpts.equip(bag[5])), std::tuple(true, bare, bare + 6));
    btl().state = BTL_NONE;
}
