// Every named id of the rules held against its row's key, so a renumbered row
// or a name pointing at the wrong row fails here before it changes a rule; and
// every name the id headers declare must stand in these lists.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>

#include "app/str.h"
#include "rules/bld.h"
#include "rules/bld_ids.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg.h"
#include "rules/dmg_ids.h"
#include "rules/eff.h"
#include "rules/eff_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/ie_ids.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/mon.h"
#include "rules/mon_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/rare_lv.h"
#include "rules/urank.h"

namespace {
struct named_t {
    const char* name;
    int id;
    const wchar_t* key;
};
#define N(name, key) named_t{#name, name, key}

const named_t pwr_names[] = {
    N(P_MOVE, L"mov"), N(P_ATK_M, L"atk_m"), N(P_ATK_R, L"atk_r"), N(P_TRIP, L"trip"), N(P_RAM, L"ram"),
    N(P_DRAG, L"drag"), N(P_OVERRUN, L"overrun"), N(P_GRAP, L"grap"), N(P_GRAP_END, L"grap_end"),
    N(P_SWAP_WPN, L"swap_wpn"), N(P_WAIT, L"wait"), N(P_DROP_PRONE, L"drop_prone"), N(P_STAND_UP, L"stand_up"),
    N(P_WAKE, L"wake"), N(P_END_TURN, L"end_turn"), N(P_INIT1, L"init1"), N(P_QUICK_DRAW, L"quick_draw"),
    N(P_HP1, L"hp1"), N(P_FT1, L"ft1"), N(P_RF1, L"rf1"), N(P_WL1, L"wl1"), N(P_DEF1, L"def1"), N(P_DODGE, L"dodge"),
    N(P_MOBILITY, L"mobility"), N(P_WP_SWORD, L"wp_sword"), N(P_WP_AXE, L"wp_axe"), N(P_WP_HAMMER, L"wp_hammer"),
    N(P_WP_FLAIL, L"wp_flail"), N(P_WP_SPEAR, L"wp_spear"), N(P_WP_BOW, L"wp_bow"), N(P_WP_XBOW, L"wp_xbow"),
    N(P_WP_THROWN, L"wp_thrown"), N(P_WP_UNARMED, L"wp_unarmed"), N(P_WP_SIMPLE, L"wp_simple"), N(P_ATK1, L"atk1"),
    N(P_ATK2, L"atk2"), N(P_DMG1, L"dmg1"), N(P_DMG2, L"dmg2"), N(P_CH1, L"ch1"), N(P_CH2, L"ch2"),
    N(P_CH_PWR, L"ch_pwr"), N(P_CH_BLEED, L"ch_bleed"), N(P_CH_BLEED2, L"ch_bleed2"), N(P_CH_CRIPPLE, L"ch_cripple"),
    N(P_CH_CRIPPLE2, L"ch_cripple2"), N(P_CH_STUN, L"ch_stun"), N(P_CH_2_EFFS, L"ch_2_effs"),
    N(P_SHD_USE1, L"shd_use1"), N(P_SHD_USE2, L"shd_use2"), N(P_SHD_DEF1, L"shd_def1"), N(P_SHD_DEF2, L"shd_def2"),
    N(P_AMR_USE1, L"amr_use1"), N(P_AMR_USE2, L"amr_use2"), N(P_AMR_USE3, L"amr_use3"), N(P_PA, L"pa"),
    N(P_CLEAVE, L"cleave"), N(P_CLEAVE_X, L"cleave_x"), N(P_CLEAVE_KO, L"cleave_ko"), N(P_ATK_M_TGT2, L"atk_m_tgt2"),
    N(P_ATK_M_TGT2_1, L"atk_m_tgt2_1"), N(P_ATK_M_TGT2_2, L"atk_m_tgt2_2"), N(P_ATK_M_TGTX, L"atk_m_tgtx"),
    N(P_ATK_M_TGTX_1, L"atk_m_tgtx_1"), N(P_ATK_M_DMG2, L"atk_m_dmg2"), N(P_ATK_M_DMG3, L"atk_m_dmg3"),
    N(P_CHARGE1, L"charge1"), N(P_CHARGE2, L"charge2"), N(P_AO_X, L"ao_x"), N(P_DEX_WPN, L"dex_wpn"), N(P_TW, L"tw"),
    N(P_TW1, L"tw1"), N(P_TW2, L"tw2"), N(P_TW3, L"tw3"), N(P_TW_DEF, L"tw_def"), N(P_TW_DEF1, L"tw_def1"),
    N(P_TW_OFF, L"tw_off"), N(P_TW_REND, L"tw_rend"), N(P_TH, L"th"), N(P_TH1, L"th1"), N(P_TH_KO, L"th_ko"),
    N(P_TH_KO1, L"th_ko1"), N(P_TH_ATK1, L"th_atk1"), N(P_RNG_NEAR, L"rng_near"), N(P_RNG_PRECISE, L"rng_precise"),
    N(P_RNG_PRECISE1, L"rng_precise1"), N(P_ATK_R_ATK2, L"atk_r_atk2"), N(P_ATK_R_ATK2_1, L"atk_r_atk2_1"),
    N(P_ATK_R_ATK2_2, L"atk_r_atk2_2"), N(P_ATK_R_TGT3, L"atk_r_tgt3"), N(P_ATK_R_TGT3_1, L"atk_r_tgt3_1"),
    N(P_ATK_R_TGTX, L"atk_r_tgtx"), N(P_ATK_R_TGTX_1, L"atk_r_tgtx_1"), N(P_RNG_PA, L"rng_pa"),
    N(P_RNG_XBOW, L"rng_xbow"), N(P_RNG_WIS, L"rng_wis"), N(P_UNARMED1, L"unarmed1"), N(P_GRAP1, L"grap1"),
    N(P_GRAP2, L"grap2"), N(P_TRIP1, L"trip1"), N(P_TRIP2, L"trip2"), N(P_RAM1, L"ram1"), N(P_RAM2, L"ram2"),
    N(P_DRAG1, L"drag1"), N(P_DRAG2, L"drag2"), N(P_OVERRUN1, L"overrun1"), N(P_OVERRUN2, L"overrun2"),
    N(P_SPL_CONJ, L"spl_conj"), N(P_SPL_SUMM1, L"spl_summ1"), N(P_SPL_ELEM, L"spl_elem"), N(P_SPL_ELEM1, L"spl_elem1"),
    N(P_SPL_CTRL, L"spl_ctrl"), N(P_SPL_DEAD, L"spl_dead"), N(P_SPL_UNAO, L"spl_unao"), N(P_SPL_UNSR1, L"spl_unsr1"),
    N(P_SPL_UNSR2, L"spl_unsr2"), N(P_TURN1, L"turn1"), N(P_TURN2, L"turn2"), N(P_TURN_EXTRA, L"turn_extra"),
    N(P_MM, L"mm"), N(P_SLEEP, L"sleep"), N(P_GREASE, L"grease"), N(P_SUM, L"sum"), N(P_HEAL, L"heal"),
    N(P_HARM, L"harm"), N(P_ACID_ARROW, L"acid_arrow"), N(P_WEB, L"web"), N(P_FIRE_BALL, L"fire_ball"),
    N(P_LITN, L"litn"), N(P_MK_UD, L"mk_ud"), N(P_DISPEL, L"dispel"), N(P_SEARING_LIT, L"searing_lit"),
    N(P_ICE_STORM, L"ice_storm"), N(P_ICE_NOVA, L"ice_nova"), N(P_TELEPORT, L"teleport"), N(P_HEAL_X, L"heal_x"),
    N(P_HARM_X, L"harm_x"), N(P_RESURRECT, L"resurrect"), N(P_SLAY_LIVE, L"slay_live"), N(P_LITN_X, L"litn_x"),
    N(P_ACID_FOG, L"acid_fog"), N(P_DEAD_FINGER, L"dead_finger"), N(P_FIRE_CLOUD, L"fire_cloud"),
    N(P_METEOR_SWARM, L"meteor_swarm"), N(P_DR2, L"dr2"), N(P_DR5, L"dr5"), N(P_DR10, L"dr10"), N(P_HR2, L"hr2"),
    N(P_HR5, L"hr5"), N(P_HR10, L"hr10"), N(P_SR2, L"sr2"), N(P_SR5, L"sr5"), N(P_SR10, L"sr10"), N(P_TR2, L"tr2"),
    N(P_TR5, L"tr5"), N(P_TR10, L"tr10"), N(P_UNR_MS, L"unr_ms"), N(P_UNR_MA, L"unr_ma"), N(P_UNR_S, L"unr_s"),
    N(P_UNR_P, L"unr_p"), N(P_UNR_B, L"unr_b"), N(P_UNR_F, L"unr_f"), N(P_UNR_C, L"unr_c"), N(P_UNR_L, L"unr_l"),
    N(P_UNR_A, L"unr_a"), N(P_UNR_T, L"unr_t"), N(P_UNR_R, L"unr_r"), N(P_UNR_E, L"unr_e"), N(P_UNR_N, L"unr_n"),
    N(P_UNR_V, L"unr_v"), N(P_IMM_S, L"imm_s"), N(P_IMM_P, L"imm_p"), N(P_IMM_B, L"imm_b"), N(P_IMM_F, L"imm_f"),
    N(P_IMM_C, L"imm_c"), N(P_IMM_L, L"imm_l"), N(P_IMM_A, L"imm_a"), N(P_IMM_T, L"imm_t"), N(P_IMM_R, L"imm_r"),
    N(P_IMM_E, L"imm_e"), N(P_IMM_N, L"imm_n"), N(P_IMM_V, L"imm_v"), N(P_AFF_S, L"aff_s"), N(P_AFF_P, L"aff_p"),
    N(P_AFF_B, L"aff_b"), N(P_AFF_F, L"aff_f"), N(P_AFF_C, L"aff_c"), N(P_AFF_L, L"aff_l"), N(P_AFF_A, L"aff_a"),
    N(P_AFF_T, L"aff_t"), N(P_AFF_R, L"aff_r"), N(P_AFF_E, L"aff_e"), N(P_AFF_N, L"aff_n"), N(P_AFF_V, L"aff_v"),
    N(P_RES_S, L"res_s"), N(P_RES_P, L"res_p"), N(P_RES_B, L"res_b"), N(P_RES_F, L"res_f"), N(P_RES_C, L"res_c"),
    N(P_RES_L, L"res_l"), N(P_RES_A, L"res_a"), N(P_RES_T, L"res_t"), N(P_RES_R, L"res_r"), N(P_RES_E, L"res_e"),
    N(P_RES_N, L"res_n"), N(P_RES_V, L"res_v"), N(P_VUL_S, L"vul_s"), N(P_VUL_P, L"vul_p"), N(P_VUL_B, L"vul_b"),
    N(P_VUL_F, L"vul_f"), N(P_VUL_C, L"vul_c"), N(P_VUL_L, L"vul_l"), N(P_VUL_A, L"vul_a"), N(P_VUL_T, L"vul_t"),
    N(P_VUL_R, L"vul_r"), N(P_VUL_E, L"vul_e"), N(P_VUL_N, L"vul_n"), N(P_VUL_V, L"vul_v"), N(P_CREATED, L"created"),
    N(P_INT, L"int"), N(P_SZ_A1, L"sz_a1"), N(P_SPD_A2, L"spd_a2"), N(P_SPD_D4, L"spd_d4"), N(P_NAC_A2, L"nac_a2"),
    N(P_NAC_A4, L"nac_a4"), N(P_NAC_D2, L"nac_d2"), N(P_NO_FIXED, L"no_fixed"), N(P_IMM_M, L"imm_m"),
    N(P_RES_ELM, L"res_elm"), N(P_AURA5_ATK2, L"aura5_atk2"), N(P_AURA5_DMG2, L"aura5_dmg2"),
    N(P_AURA5_HEAL5, L"aura5_heal5"), N(P_AURA1_FIRE5, L"aura1_fire5"), N(P_AURA1_TOXIC5, L"aura1_toxic5"),
    N(P_AURA5_FEAR, L"aura5_fear"), N(P_PACK_ATK, L"pack_atk"), N(P_PACK_DMG, L"pack_dmg"), N(P_REND, L"rend"),
    N(P_REND_CO, L"rend_co"), N(P_BLOOD_TGT1, L"blood_tgt1"), N(P_BLOOD_TGT2, L"blood_tgt2"),
    N(P_BLOOD_RAGE, L"blood_rage"), N(P_BLOOD_RAGE2, L"blood_rage2"), N(P_SNEAK_ATK, L"sneak_atk"),
    N(P_IMBUE_ARROW, L"imbue_arrow"), N(P_TOX, L"tox"), N(P_TOX_DROW, L"tox_drow"), N(P_HIT_DOWN, L"hit_down"),
    N(P_CHARGE_EX1, L"charge_ex1"), N(P_CHARGE_EX2, L"charge_ex2"), N(P_GRAP_DMG1, L"grap_dmg1"),
    N(P_GRAP_DMG2, L"grap_dmg2"), N(P_GRAP_STING1, L"grap_sting1"), N(P_GRAP_STING2, L"grap_sting2"),
    N(P_GRAP_SUCK, L"grap_suck"), N(P_DEAD_TOX, L"dead_tox"), N(P_X2_ATK, L"x2_atk"), N(P_PHALANX2, L"phalanx2"),
    N(P_CROWD_AC, L"crowd_ac"), N(P_AO_AC2, L"ao_ac2"), N(P_SHIFT_HARD, L"shift_hard"), N(P_MOV_NO_AO, L"mov_no_ao"),
    N(P_WEB_MOV, L"web_mov"), N(P_SWAMPER, L"swamper"), N(P_ALL_EYES, L"all_eyes"), N(P_TRANCE, L"trance"),
    N(P_FEY_BLOOD, L"fey_blood"), N(P_CHA_SPL, L"cha_spl"), N(P_CON_SPL, L"con_spl"), N(P_GHOUL_BITE, L"ghoul_bite"),
    N(P_LIZ_SHOCK, L"liz_shock"), N(P_PACK_SHOCK, L"pack_shock"), N(P_TOX_ARROW, L"tox_arrow"),
    N(P_TOX_FOG, L"tox_fog"), N(P_TOX_ERUPT, L"tox_erupt"), N(P_SPIT_F, L"spit_f"), N(P_SPIT_A, L"spit_a"),
    N(P_HEAL_CW, L"heal_cw"), N(P_WEB_A0, L"web_a0"), N(P_SHD_BASH, L"shd_bash"), N(P_DOWN_A1, L"down_a1"),
    N(P_POLYM, L"polym"), N(P_TURN, L"turn"), N(P_FEAR, L"fear"), N(P_MAD, L"mad"), N(P_CHARM, L"charm"),
    N(P_EYE_CTRL, L"eye_ctrl"), N(P_EYE_STONE, L"eye_stone"), N(P_SUM_SPIDERS, L"sum_spiders"), N(P_CHA_HP, L"cha_hp"),
    N(P_STR_HP, L"str_hp"),
};
const named_t cond_names[] = {
    N(C_SLOW, L"slow"), N(C_NO_MOV, L"no_mov"), N(C_PRONE, L"prone"), N(C_SURPRISE, L"surprise"), N(C_STUN, L"stun"),
    N(C_SLEEP, L"sleep"), N(C_STONE, L"stone"), N(C_POLYM, L"polym"), N(C_TURN, L"turn"), N(C_FEAR, L"fear"),
    N(C_MAD, L"mad"), N(C_CHARM, L"charm"), N(C_DEF, L"def"), N(C_DEF_FULL, L"def_full"), N(C_GRAPPER, L"grapper"),
    N(C_GRAP, L"grap"), N(C_WEAK, L"weak"), N(C_BLOOD_RAGE, L"blood_rage"), N(C_BLOOD_RAGE2, L"blood_rage2"),
    N(C_BLEED, L"bleed"), N(C_BURN, L"burn"), N(C_TOX, L"tox"), N(C_CORRODE, L"corrode"), N(C_HR, L"hr"),
};
const named_t race_names[] = {
    N(RACE_ANT, L"ant"), N(RACE_SPIDER, L"spider"), N(RACE_RAT, L"rat"), N(RACE_WOLF, L"wolf"), N(RACE_BOAR, L"boar"),
    N(RACE_BEAR, L"bear"), N(RACE_LIZ, L"liz"), N(RACE_BASILISK, L"basilisk"), N(RACE_GOB, L"gob"),
    N(RACE_GOB_B, L"gob_b"), N(RACE_GOB_H, L"gob_h"), N(RACE_KOBOLD, L"kobold"), N(RACE_LIZ_MAN, L"liz_man"),
    N(RACE_GNOLL, L"gnoll"), N(RACE_ORC, L"orc"), N(RACE_OROG, L"orog"), N(RACE_OGRE, L"ogre"),
    N(RACE_TROLL, L"troll"), N(RACE_LY_RAT, L"ly_rat"), N(RACE_LY_WOLF, L"ly_wolf"), N(RACE_MINOTAUR, L"minotaur"),
    N(RACE_MEDUSA, L"medusa"), N(RACE_DROW, L"drow"), N(RACE_HUM, L"hum"), N(RACE_DWF, L"dwf"), N(RACE_ELF, L"elf"),
    N(RACE_GNM, L"gnm"), N(RACE_HF_ELF, L"hf_elf"), N(RACE_HF_ORC, L"hf_orc"), N(RACE_HFLING, L"hfling"),
    N(RACE_SKELETON, L"skeleton"), N(RACE_ZOMBIE, L"zombie"), N(RACE_GHOUL, L"ghoul"), N(RACE_VAMPIRE, L"vampire"),
    N(RACE_LICH, L"lich"), N(RACE_GOLEM, L"golem"), N(RACE_CLOCKWORK, L"clockwork"), N(RACE_ELM_A, L"elm_a"),
    N(RACE_ELM_F, L"elm_f"), N(RACE_ELM_W, L"elm_w"), N(RACE_ELM_E, L"elm_e"),
};
const named_t cls_names[] = {
    N(CLS_FIGHTER, L"fighter"), N(CLS_CLERIC, L"cleric"), N(CLS_WIZARD, L"wizard"), N(CLS_WARRIOR, L"warrior"),
    N(CLS_PRIEST, L"priest"), N(CLS_SHAMAN, L"shaman"), N(CLS_COMMONER, L"commoner"), N(CLS_NO, L"no"),
};
const named_t bld_names[] = {
    N(BLD_TH, L"th"), N(BLD_SHD, L"shd"), N(BLD_TW, L"tw"), N(BLD_RNG, L"rng"), N(BLD_HLR, L"hlr"), N(BLD_WRP, L"wrp"),
    N(BLD_UDH, L"udh"), N(BLD_CTL, L"ctl"), N(BLD_ELM, L"elm"), N(BLD_SUM, L"sum"), N(BLD_1H, L"1h"), N(BLD_1N, L"1n"),
    N(BLD_3N, L"3n"), N(BLD_SOR, L"sor"),
};
const named_t itm_names[] = {
    N(ITM_BITE, L"Bite"), N(ITM_CLAW, L"Claw"), N(ITM_SLAM, L"Slam"), N(ITM_GORE, L"Gore"), N(ITM_STING, L"Sting"),
    N(ITM_TAILSLAP, L"TailSlap"), N(ITM_BITE2, L"bite2"), N(ITM_CLAWS2, L"claws2"), N(ITM_SLAM2, L"slam2"),
    N(ITM_GORE2, L"gore2"), N(ITM_STING2, L"sting2"), N(ITM_TAIL2, L"tail2"), N(ITM_SLAM3, L"slam3"),
    N(ITM_BITE_T, L"bite_t"), N(ITM_BITE_T2, L"bite_t2"), N(ITM_BITE_A, L"bite_a"), N(ITM_BITE_GRAP, L"bite_grap"),
    N(ITM_BITE_TRIP, L"bite_trip"), N(ITM_BITE_BLEED, L"bite_bleed"), N(ITM_CLAWS_A, L"claws_a"),
    N(ITM_CLAWS_GRAP, L"claws_grap"), N(ITM_CLAWS_PALSY, L"claws_palsy"), N(ITM_SLAM_F, L"slam_f"),
    N(ITM_SLAM_T, L"slam_t"), N(ITM_LICH_TOUCH, L"lich_touch"), N(ITM_UNARMED, L"unarm"), N(ITM_SWD_T, L"swd_t"),
    N(ITM_SWD_S, L"swd_s"), N(ITM_RAPIER, L"rapier"), N(ITM_KUKRI, L"kukri"), N(ITM_SICKLE, L"sickle"),
    N(ITM_SCIMITAR, L"scimitar"), N(ITM_SWD_M, L"swd_m"), N(ITM_SWD_B, L"swd_b"), N(ITM_SCYTHE, L"scythe"),
    N(ITM_FALCHION, L"falchion"), N(ITM_GUISARME, L"guisarme"), N(ITM_AXE_S, L"axe_s"), N(ITM_AXE_M, L"axe_m"),
    N(ITM_AXE_B, L"axe_b"), N(ITM_PICK_S, L"pick_s"), N(ITM_PICK_M, L"pick_m"), N(ITM_PICK_B, L"pick_b"),
    N(ITM_HMR_S, L"hmr_s"), N(ITM_HMR_M, L"hmr_m"), N(ITM_HMR_B, L"hmr_b"), N(ITM_CLUB_S, L"club_s"),
    N(ITM_CLUB_B, L"club_b"), N(ITM_STAFF, L"staff"), N(ITM_MACE_S, L"mace_s"), N(ITM_MACE_M, L"mace_m"),
    N(ITM_MSTAR, L"mstar"), N(ITM_FLAIL_M, L"flail_m"), N(ITM_FLAIL_B, L"flail_b"), N(ITM_SPK_CHAIN, L"spk_chain"),
    N(ITM_JAVELIN, L"javelin"), N(ITM_SPEAR_M, L"spear_m"), N(ITM_SPEAR_B, L"spear_b"), N(ITM_HALBERD, L"halberd"),
    N(ITM_BOW_S, L"bow_s"), N(ITM_BOW_B, L"bow_b"), N(ITM_BOW_X_T, L"bow_x_t"), N(ITM_BOW_X_S, L"bow_x_s"),
    N(ITM_BOW_X_B, L"bow_x_b"), N(ITM_SLING, L"sling"), N(ITM_DART, L"dart"), N(ITM_WHIP_TOX, L"whip_tox"),
    N(ITM_NET, L"net"), N(ITM_AMR2, L"amr2"), N(ITM_AMR3, L"amr3"), N(ITM_AMR4, L"amr4"), N(ITM_AMR5, L"amr5"),
    N(ITM_AMR6, L"amr6"), N(ITM_AMR7, L"amr7"), N(ITM_AMR9, L"amr9"), N(ITM_SHD1, L"shd1"), N(ITM_SHD2, L"shd2"),
    N(ITM_SHD4, L"shd4"), N(ITM_BELT_STR, L"belt_str"), N(ITM_BELT_DEX, L"belt_dex"), N(ITM_BELT_CON, L"belt_con"),
    N(ITM_BELT_PHY, L"belt_phy"), N(ITM_BELT_ABI, L"belt_abi"), N(ITM_BELT_HR1, L"belt_hr1"),
    N(ITM_BELT_HR2, L"belt_hr2"), N(ITM_BELT_HR3, L"belt_hr3"), N(ITM_HEAD_INT, L"head_int"),
    N(ITM_HEAD_WIS, L"head_wis"), N(ITM_HEAD_CHA, L"head_cha"), N(ITM_HEAD_PSY, L"head_psy"),
    N(ITM_CLOAK_CHA, L"cloak_cha"), N(ITM_CLOAK_SAVE, L"cloak_save"), N(ITM_CLOAK_RS1, L"cloak_rs1"),
    N(ITM_CLOAK_RS2, L"cloak_rs2"), N(ITM_CLOAK_RS3, L"cloak_rs3"), N(ITM_CLOAK_BOUNCE_P, L"cloak_bounce_p"),
    N(ITM_CLOAK_BOUNCE_F, L"cloak_bounce_f"), N(ITM_ROBE1, L"robe1"), N(ITM_ROBE2, L"robe2"), N(ITM_ROBE3, L"robe3"),
    N(ITM_ROBE4, L"robe4"), N(ITM_HAND_STR, L"hand_str"), N(ITM_HAND_DEX, L"hand_dex"), N(ITM_HAND_AMR1, L"hand_amr1"),
    N(ITM_HAND_AMR2, L"hand_amr2"), N(ITM_HAND_AMR3, L"hand_amr3"), N(ITM_HAND_CTR_ATK1, L"hand_ctr_atk1"),
    N(ITM_HAND_CTR_ATK2, L"hand_ctr_atk2"), N(ITM_HAND_CTR_ATK3, L"hand_ctr_atk3"), N(ITM_BOOT1, L"boot1"),
    N(ITM_BOOT2, L"boot2"), N(ITM_BOOT3, L"boot3"), N(ITM_BOOT4, L"boot4"), N(ITM_NECK_CON, L"neck_con"),
    N(ITM_NECK_WIS, L"neck_wis"), N(ITM_NECK_NAC1, L"neck_nac1"), N(ITM_NECK_NAC2, L"neck_nac2"),
    N(ITM_NECK_NAC3, L"neck_nac3"), N(ITM_NECK_LUCK1, L"neck_luck1"), N(ITM_NECK_LUCK2, L"neck_luck2"),
    N(ITM_NECK_LUCK3, L"neck_luck3"), N(ITM_NECK_IMM_TOX, L"neck_imm_tox"), N(ITM_RING_DFLC, L"ring_dflc"),
    N(ITM_RING_LUCK1, L"ring_luck1"), N(ITM_RING_LUCK2, L"ring_luck2"), N(ITM_RING_LUCK3, L"ring_luck3"),
    N(ITM_RING_RE1, L"ring_re1"), N(ITM_RING_RE2, L"ring_re2"), N(ITM_RING_RE3, L"ring_re3"),
    N(ITM_RING_UNRS1, L"ring_unrs1"), N(ITM_RING_UNRS2, L"ring_unrs2"), N(ITM_RING_UNRS3, L"ring_unrs3"),
    N(ITM_RING_HR1, L"ring_hr1"), N(ITM_RING_HR2, L"ring_hr2"), N(ITM_RING_HR3, L"ring_hr3"),
    N(ITM_RING_HLR, L"ring_hlr"), N(ITM_RING_ELM_DMG, L"ring_elm_dmg"), N(ITM_ACC_STR, L"acc_str"),
    N(ITM_ACC_DEX, L"acc_dex"), N(ITM_ACC_CON, L"acc_con"), N(ITM_ACC_INT, L"acc_int"), N(ITM_ACC_WIS, L"acc_wis"),
    N(ITM_ACC_CHA, L"acc_cha"), N(ITM_ACC_PHY, L"acc_phy"), N(ITM_ACC_PSY, L"acc_psy"), N(ITM_ACC_ABI, L"acc_abi"),
    N(ITM_ACC_DFLC, L"acc_dflc"), N(ITM_ACC_SAVE, L"acc_save"), N(ITM_ACC_LUCK1, L"acc_luck1"),
    N(ITM_ACC_LUCK2, L"acc_luck2"), N(ITM_ACC_LUCK3, L"acc_luck3"), N(ITM_ACC_IMM_TOX, L"acc_imm_tox"),
    N(ITM_ACC_HR1, L"acc_hr1"), N(ITM_ACC_HR2, L"acc_hr2"), N(ITM_ACC_HR3, L"acc_hr3"), N(ITM_ACC_ELM_A, L"acc_elm_a"),
    N(ITM_ACC_ELM_F, L"acc_elm_f"), N(ITM_ACC_ELM_W, L"acc_elm_w"), N(ITM_ACC_ELM_E, L"acc_elm_e"),
    N(ITM_ACC_PE, L"acc_pe"), N(ITM_ACC_NE, L"acc_ne"), N(ITM_BOOK_STR, L"book_str"), N(ITM_BOOK_DEX, L"book_dex"),
    N(ITM_BOOK_CON, L"book_con"), N(ITM_BOOK_INT, L"book_int"), N(ITM_BOOK_WIS, L"book_wis"),
    N(ITM_BOOK_CHA, L"book_cha"), N(ITM_BOW_A, L"bow_a"), N(ITM_BOW_X_A, L"bow_x_a"), N(ITM_SLING_A, L"sling_a"),
    N(ITM_KIT_HEAL, L"kit_heal"), N(ITM_THROW_F, L"throw_f"), N(ITM_THROW_C, L"throw_c"), N(ITM_THROW_A, L"throw_a"),
    N(ITM_THROW_HOLY, L"throw_holy"), N(ITM_THROW_STOP, L"throw_stop"), N(ITM_THROW_SMOKE, L"throw_smoke"),
    N(ITM_COAT_S, L"coat_s"), N(ITM_COAT_A, L"coat_a"),
};
const named_t ie_names[] = {
    N(IE_F1, L"f1"), N(IE_C1, L"c1"), N(IE_L1, L"l1"), N(IE_A1, L"a1"), N(IE_DEF1, L"def1"), N(IE_DEF2, L"def2"),
    N(IE_CH, L"ch"), N(IE_COMP, L"comp"), N(IE_STOP, L"stop"), N(IE_BLEED, L"bleed"), N(IE_KILL_UD, L"kill_ud"),
    N(IE_PWR, L"pwr"), N(IE_KILL, L"kill"), N(IE_VAMPIRE, L"vampire"), N(IE_DR1, L"dr1"), N(IE_DR2, L"dr2"),
    N(IE_DR3, L"dr3"), N(IE_ER1, L"er1"), N(IE_ER2, L"er2"), N(IE_ER3, L"er3"), N(IE_SR1, L"sr1"), N(IE_SR2, L"sr2"),
    N(IE_SR3, L"sr3"), N(IE_IMX_CH, L"imx_ch"), N(IE_AC_RNG1, L"ac_rng1"), N(IE_AC_RNG2, L"ac_rng2"),
    N(IE_AC_RNG3, L"ac_rng3"), N(IE_STR, L"str"), N(IE_DEX, L"dex"), N(IE_CON, L"con"), N(IE_INT, L"int"),
    N(IE_WIS, L"wis"), N(IE_CHA, L"cha"), N(IE_PHY, L"phy"), N(IE_PSY, L"psy"), N(IE_ABI, L"abi"),
    N(IE_INC_STR, L"inc_str"), N(IE_INC_DEX, L"inc_dex"), N(IE_INC_CON, L"inc_con"), N(IE_INC_INT, L"inc_int"),
    N(IE_INC_WIS, L"inc_wis"), N(IE_INC_CHA, L"inc_cha"), N(IE_AMR1, L"amr1"), N(IE_AMR2, L"amr2"),
    N(IE_AMR3, L"amr3"), N(IE_NAC1, L"nac1"), N(IE_NAC2, L"nac2"), N(IE_NAC3, L"nac3"), N(IE_DFLC, L"dflc"),
    N(IE_SAVE, L"save"), N(IE_LUCK1, L"luck1"), N(IE_LUCK2, L"luck2"), N(IE_LUCK3, L"luck3"),
    N(IE_IMM_TOX, L"imm_tox"), N(IE_UNSR1, L"unsr1"), N(IE_UNSR2, L"unsr2"), N(IE_UNSR3, L"unsr3"),
    N(IE_ELM_DMG, L"elm_dmg"), N(IE_PE_DMG, L"pe_dmg"), N(IE_NE_DMG, L"ne_dmg"), N(IE_TO_HEAL, L"to_heal"),
    N(IE_BE_HEAL, L"be_heal"), N(IE_HR1, L"hr1"), N(IE_HR2, L"hr2"), N(IE_HR3, L"hr3"),
    N(IE_AUTO_HEAL1, L"auto_heal1"), N(IE_AUTO_HEAL2, L"auto_heal2"), N(IE_BOUNCE_P, L"bounce_p"),
    N(IE_BOUNCE_F, L"bounce_f"), N(IE_CTR_ATK1, L"ctr_atk1"), N(IE_CTR_ATK2, L"ctr_atk2"), N(IE_CTR_ATK3, L"ctr_atk3"),
    N(IE_SPD1, L"spd1"), N(IE_SPD2, L"spd2"), N(IE_IMX_WEB, L"imx_web"), N(IE_IMX_HARD, L"imx_hard"),
    N(IE_ELM_A, L"elm_a"), N(IE_ELM_F, L"elm_f"), N(IE_ELM_W, L"elm_w"), N(IE_ELM_E, L"elm_e"), N(IE_GRAP, L"grap"),
    N(IE_TRIP, L"trip"), N(IE_PALSY, L"palsy"),
};
const named_t eff_names[] = {
    N(EFF_KB, L"kb"), N(EFF_KBO1, L"kbo1"), N(EFF_KBO2, L"kbo2"),
};

const named_t dmg_names[] = {
    N(DMG_SLASH, L"slash"), N(DMG_PIERCE, L"pierce"), N(DMG_BLUNT, L"blunt"), N(DMG_FIRE, L"fire"),
    N(DMG_COLD, L"cold"), N(DMG_LITN, L"litn"), N(DMG_ACID, L"acid"), N(DMG_TOX, L"tox"), N(DMG_RPR, L"rpr"),
    N(DMG_PE, L"pe"), N(DMG_NE, L"ne"), N(DMG_VOID, L"void"),
};
const named_t mon_names[] = {
    N(MON_SPIDER_HUNT, L"spider_hunt"), N(MON_SPIDER_WEB, L"spider_web"), N(MON_RAT_D, L"rat_d"),
    N(MON_SKELETON_SHD, L"skeleton_shd"), N(MON_ZOMBIE, L"zombie"), N(MON_ELM_A, L"elm_a"), N(MON_ELM_F, L"elm_f"),
    N(MON_ELM_W, L"elm_w"), N(MON_ELM_E, L"elm_e"), N(MON_GOB_H_SHD_E, L"gob_h_shd_e"),
    N(MON_GOB_H_TH_S, L"gob_h_th_s"),
};
const named_t rare_names[] = {
    N(RARE_NORMAL, L"normal"), N(RARE_MAGIC, L"magic"), N(RARE_RARE, L"rare"), N(RARE_EPIC, L"epic"),
    N(RARE_LEGEND, L"legend"), N(RARE_RELIC, L"relic"),
};
const named_t rank_names[] = {
    N(RANK_NORMAL, L"normal"), N(RANK_ELITE, L"elite"), N(RANK_SOLO, L"solo"), N(RANK_MINION, L"minion"),
};

const named_t abi_names[] = {
    N(ABI_STR, L"Str"), N(ABI_DEX, L"Dex"), N(ABI_CON, L"Con"),
    N(ABI_INT, L"Int"), N(ABI_WIS, L"Wis"), N(ABI_CHA, L"Cha"),
};
const named_t def_names[] = {
    N(DEF_AC, L"ac"), N(DEF_FT, L"ft"), N(DEF_RF, L"rf"), N(DEF_WL, L"wl"), N(DEF_CM, L"cm"),
};
const named_t atk_names[] = {
    N(ATK_MELEE, L"melee"), N(ATK_RANGE, L"range"), N(ATK_SPL, L"spl"), N(ATK_CM, L"cm"), N(ATK_TURN, L"turn"),
};
const named_t act_cost_names[] = {
    N(COST_NO, L"No"), N(COST_AUX, L"Aux"), N(COST_STD, L"Std"), N(COST_FULL, L"Full"),
};
const named_t amr_type_names[] = {
    N(AMR_LIGHT, L"LightArmor"), N(AMR_MEDIUM, L"MediumArmor"), N(AMR_HEAVY, L"HeavyArmor")};
const named_t shd_type_names[] = {
    N(SHD_LIGHT, L"LightShield"), N(SHD_HEAVY, L"HeavyShield"), N(SHD_TOWER, L"TowerShield")};
const named_t wpn_cat_names[] = {
    N(WCAT_SIMPLE, L"Simple"), N(WCAT_MILITARY, L"Military"), N(WCAT_EXOTIC, L"Exotic"), N(WCAT_NATURAL, L"Natural"),
};
const named_t wpn_grp_names[] = {
    N(WG_SWORD, L"Sword"), N(WG_AXE, L"Axe"), N(WG_HAMMER, L"Hammer"), N(WG_FLAIL, L"Flail"), N(WG_SPEAR, L"Spear"),
    N(WG_BOW, L"Bow"), N(WG_XBOW, L"Crossbow"), N(WG_THROWN, L"Thrown"), N(WG_UNARMED, L"Unarmed"),
    N(WG_SIMPLE, L"Simple"), N(WG_AMR, L"amr"),
};
const named_t wpn_hands_names[] = {
    N(HANDS_ONE, L"OneHanded"), N(HANDS_TWO, L"TwoHanded"), N(HANDS_EITHER, L"OneTwoHanded"),
};
const named_t u_size_names[] = {
    N(SIZE_TINY, L"tiny"), N(SIZE_SMALL, L"small"), N(SIZE_MEDIUM, L"medium"), N(SIZE_LARGE, L"large"),
    N(SIZE_HUGE, L"huge"), N(SIZE_GARGANTUAN, L"gargantuan"),
};
const named_t enc_diff_names[] = {N(DIFF_EASY, L"Easy"), N(DIFF_NORMAL, L"Normal"), N(DIFF_HARD, L"Hard")};
const named_t enc_type_names[] = {
    N(ENCT_CONTROL, L"BattlefieldControl"), N(ENCT_COMMANDER, L"CommanderAndTroops"), N(ENCT_DEN, L"DragonsDen"),
    N(ENCT_LINES, L"DoubleLine"), N(ENCT_PACK, L"WolfPack"),
};
const named_t spl_cat_names[] = {
    N(SCHOOL_CONJURATION, L"conjuration"), N(SCHOOL_ELEMENTAL, L"elemental"), N(SCHOOL_CONTROL, L"control"),
    N(SCHOOL_NECROMANCY, L"necromancy"),
};
#undef N

using key_of_t = std::function<const wchar_t*(int)>;

void expect_keys(std::span<const named_t> names, const key_of_t& key_of) {
    for (const named_t& n : names) {
        const wchar_t* k = key_of(n.id);
        EXPECT_STREQ(or_empty(k), n.key) << n.name << " = " << n.id << " names a row with another key";
    }
}

// The names the enums of a header declare, read from its source.
std::set<std::string> declared(const char* header) {
    std::ifstream f(std::string(TW_SOURCE_DIR) + "/" + header);
    std::stringstream ss;
    ss << f.rdbuf();
    const std::string text = ss.str();
    EXPECT_FALSE(text.empty()) << header;
    std::set<std::string> out;
    const std::regex block(R"(enum\s+\w+\s*:\s*int\s*\{([^}]*)\})"), name(R"(\b([A-Z][A-Z0-9_]*)\s*=)");
    for (std::sregex_iterator b(text.begin(), text.end(), block), end; b != end; ++b) {
        const std::string body = (*b)[1];
        for (std::sregex_iterator m(body.begin(), body.end(), name); m != end; ++m) out.insert((*m)[1]);
    }
    return out;
}

void expect_all_listed(const char* header, std::initializer_list<std::span<const named_t>> lists) {
    std::set<std::string> listed;
    for (std::span<const named_t> l : lists)
        for (const named_t& n : l) listed.insert(n.name);
    const std::set<std::string> in_header = declared(header);
    for (const std::string& s : in_header)
        EXPECT_TRUE(listed.count(s)) << s << " of " << header << " is held against no key";
    for (const std::string& s : listed) EXPECT_TRUE(in_header.count(s)) << s << " is not declared in " << header;
}

// Both checks for the header that names one table's rows.
void expect_table(const char* header, std::span<const named_t> names, const key_of_t& key_of) {
    expect_keys(names, key_of);
    expect_all_listed(header, {names});
}

const wchar_t* text_key(const text_info_t* t) { return t ? t->k : nullptr; }
}  // namespace

TEST(RulesIds, EveryNamedIdNamesItsRow) {
    build_pwrs();
    expect_table("rules/pwr_ids.h", pwr_names, [](int id) { return text_key(get_pwr(id)); });
    free_pwrs();
    expect_table("rules/cond_ids.h", cond_names, [](int id) { return text_key(get_cond(id)); });
    expect_table("rules/race_ids.h", race_names, [](int id) { return text_key(get_race(id)); });
    expect_table("rules/cls_ids.h", cls_names, [](int id) { return text_key(get_cls(id)); });
    expect_table("rules/bld_ids.h", bld_names, [](int id) { return text_key(get_bld(id)); });
    expect_table("rules/itm_ids.h", itm_names, [](int id) { return get_itm(id).k; });
    expect_table("rules/ie_ids.h", ie_names, [](int id) { return get_ie(id).k; });
    expect_table("rules/mon_ids.h", mon_names, [](int id) { return get_mon(id).k; });
    expect_table("rules/eff_ids.h", eff_names, [](int id) { return text_key(get_eff(id)); });
    expect_table("rules/dmg_ids.h", dmg_names, [](int id) { return text_key(get_dmg_type(id)); });
    expect_table("rules/rare_lv.h", rare_names, [](int id) { return get_ex_info(id).k; });
    expect_table("rules/urank.h", rank_names, [](int id) { return get_urank(id).k; });
    // The small tables, whose names stand in one header together.
    expect_keys(abi_names, [](int i) { return text_key(get_abi(i)); });
    expect_keys(def_names, [](int i) { return text_key(get_def(i)); });
    expect_keys(atk_names, [](int i) { return text_key(get_atk(i)); });
    expect_keys(act_cost_names, [](int i) { return text_key(get_act_cost(i)); });
    expect_keys(amr_type_names, [](int i) { return text_key(get_amr_type(i)); });
    expect_keys(shd_type_names, [](int i) { return text_key(get_shd_type(i)); });
    expect_keys(wpn_cat_names, [](int i) { return text_key(get_wpn_cat(i)); });
    expect_keys(wpn_grp_names, [](int i) { return text_key(get_wpn_grp(i)); });
    expect_keys(wpn_hands_names, [](int i) { return text_key(get_wpn_hands(i)); });
    expect_keys(u_size_names, [](int i) { return text_key(get_u_size(i)); });
    expect_keys(spl_cat_names, [](int i) { return text_key(get_spl_cat(i)); });
    expect_keys(enc_diff_names, [](int i) { return text_key(get_enc_diff(i)); });
    expect_keys(enc_type_names, [](int i) { return text_key(get_enc_type(i)); });
    expect_all_listed("rules/enum_ids.h", {abi_names, def_names, atk_names, act_cost_names, amr_type_names,
                                           shd_type_names, wpn_cat_names, wpn_grp_names, wpn_hands_names,
                                           u_size_names, spl_cat_names, enc_diff_names, enc_type_names});
}
