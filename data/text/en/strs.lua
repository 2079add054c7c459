-- English: rules terms, powers (actions, feats, spells, monster powers) and the small tables.
-- The code sets the keys of these records, so no "k" is written here.
strs = {}

-- ---- Powers 1-291 ----
local p = {}
strs.pwrs = p

-- Basic actions
p[1] = {n = "Move", d = "Walk to a cell within your speed this turn. Leaving a cell an enemy threatens provokes an attack of opportunity, unless the walk is a single shift step."}
p[2] = {n = "Melee Attack", d = "Strike an enemy within reach with the melee weapon in hand, dealing its weapon damage on a hit."}
p[3] = {n = "Ranged Attack", d = "Shoot or throw at an enemy in range. Shooting next to an enemy provokes an attack of opportunity."}
p[4] = {n = "Trip", d = "Combat manoeuvre against the combat manoeuvre defence of the target; on a success it falls prone."}
p[5] = {n = "Bull Rush", d = "Combat manoeuvre: slam into an adjacent target and push it away."}
p[6] = {n = "Drag", d = "Combat manoeuvre: seize an adjacent target and haul it along as you step back."}
p[7] = {n = "Overrun", d = "Combat manoeuvre: barge past an adjacent target; on a success you land on the cell beyond it, and it stays where it stood."}
p[8] = {n = "Grapple", d = "Combat manoeuvre: seize an adjacent target; on a success both of you are locked in a grapple: it cannot act and only tries to break free at the start of each of its turns, and you can only let go or end your turn."}
p[9] = {n = "Release", d = "Let go of the creature you are grappling. Costs no action."}
p[10] = {n = "Swap Weapons", d = "Change to your other weapon set."}
p[11] = {n = "Wait", d = "Delay your turn until the other units of this round have acted."}
p[12] = {n = "Drop Prone", d = "Throw yourself to the ground. A prone unit is harder to hit from afar but easier to hit up close."}
p[13] = {n = "Stand Up", d = "Get up from prone."}
p[14] = {n = "Wake", d = "Shake an adjacent sleeping unit awake."}
p[15] = {n = "End Turn", d = "Give up the rest of your actions this turn. Having done nothing this turn gives +4 to every defence, having only moved +2, until your next turn starts."}

-- Feats: general
p[16] = {n = "Improved Initiative", d = "+4 to initiative."}
p[17] = {n = "Quick Draw", d = "Swapping weapons costs no action and provokes no attack of opportunity."}
p[18] = {n = "Toughness", d = "Maximum hit points rise by your level or 3, whichever is higher."}
p[19] = {n = "Great Fortitude", d = "+2 to Fortitude."}
p[20] = {n = "Lightning Reflexes", d = "+2 to Reflex."}
p[21] = {n = "Iron Will", d = "+2 to Will."}
p[22] = {n = "Superior Resilience", d = "+1 to Fortitude, Reflex and Will."}
p[23] = {n = "Dodge", d = "+1 to armour class while you threaten the cells around you."}
p[24] = {n = "Mobility", d = "+4 to your defence against attacks of opportunity provoked by moving, while you threaten the cells around you."}
-- Feats: weapon proficiencies and training
p[25] = {n = "Proficiency: Swords", d = "Use swords without the non-proficiency penalty."}
p[26] = {n = "Proficiency: Axes", d = "Use axes and picks without the non-proficiency penalty."}
p[27] = {n = "Proficiency: Hammers", d = "Use hammers, maces and clubs without the non-proficiency penalty."}
p[28] = {n = "Proficiency: Flails", d = "Use flails, chains and whips without the non-proficiency penalty."}
p[29] = {n = "Proficiency: Spears", d = "Use spears, javelins and halberds without the non-proficiency penalty."}
p[30] = {n = "Proficiency: Bows", d = "Use shortbows and longbows without the non-proficiency penalty."}
p[31] = {n = "Proficiency: Crossbows", d = "Use every kind of crossbow without the non-proficiency penalty."}
p[32] = {n = "Proficiency: Thrown", d = "Use slings, darts, nets and every weapon that can be thrown (daggers, handaxes, light hammers, clubs, javelins and spears) without the non-proficiency penalty."}
p[33] = {n = "Proficiency: Unarmed", d = "Every unit is already proficient with unarmed strikes, so this feat adds nothing."}
p[34] = {n = "Proficiency: Simple Weapons", d = "Use daggers, clubs, quarterstaffs and other simple weapons."}
p[35] = {n = "Weapon Focus", d = "+1 to attack rolls with weapons you are proficient with."}
p[36] = {n = "Greater Weapon Focus", d = "+2 to attack rolls with weapons you are proficient with, in place of Weapon Focus."}
p[37] = {n = "Weapon Specialization", d = "Damage with weapons you are proficient with rises, growing with your level."}
p[38] = {n = "Greater Weapon Specialization", d = "Damage with weapons you are proficient with rises further, in place of Weapon Specialization."}
p[39] = {n = "Improved Critical", d = "Doubles the critical threat range of weapons you are proficient with; a keen weapon widens it by 1 instead."}
p[40] = {n = "Greater Critical", d = "Widens the critical threat range of weapons you are proficient with by 1 more."}
p[41] = {n = "Critical Power", d = "+1 to the critical multiplier of weapons you are proficient with."}
p[42] = {n = "Bleeding Critical", d = "A critical hit with a slashing or piercing weapon makes the target bleed, taking damage at the start of each of its turns; Fortitude resists. With several critical effects, each critical applies one at random."}
p[43] = {n = "Greater Bleeding Critical", d = "Bleeding from your critical hits deals more damage."}
p[44] = {n = "Crippling Critical", d = "A critical hit slows the target; Fortitude resists. With several critical effects, each critical applies one at random."}
p[45] = {n = "Greater Crippling Critical", d = "A critical hit roots the target in place instead of slowing it; Fortitude resists."}
p[46] = {n = "Stunning Critical", d = "A critical hit with a bludgeoning weapon stuns the target; Fortitude resists. With several critical effects, each critical applies one at random."}
p[47] = {n = "Critical Mastery", d = "One critical hit can apply two critical effects at once."}
-- Feats: armour
p[48] = {n = "Proficiency: Shields", d = "Use light and heavy shields."}
p[49] = {n = "Proficiency: Tower Shields", d = "Use tower shields."}
p[50] = {n = "Shield Focus", d = "+1 to the armour class and Reflex your shield gives."}
p[51] = {n = "Greater Shield Focus", d = "+2 to the armour class and Reflex your shield gives, in place of Shield Focus."}
p[52] = {n = "Proficiency: Light Armour", d = "Wear light armour without the non-proficiency penalty."}
p[53] = {n = "Proficiency: Medium Armour", d = "Wear medium armour without the non-proficiency penalty."}
p[54] = {n = "Proficiency: Heavy Armour", d = "Wear heavy armour without the non-proficiency penalty."}
-- Feats: melee
p[55] = {n = "Power Attack", d = "Melee attacks lose no accuracy: when your attack bonus reaches the defence of the target, +1 damage, and +1 more for each point above it, multiplied as your level grows."}
p[56] = {n = "Cleave", d = "When your melee attack drops a foe, you strike another enemy within reach at once, once per turn."}
p[57] = {n = "Great Cleave", d = "Cleave is no longer limited to once per turn."}
p[58] = {n = "Follow Through", d = "Knocking a foe prone with a melee attack triggers Cleave as well."}
p[59] = {n = "Sweeping Strike", d = "One swing strikes whoever stands on two adjacent cells within reach, allies too, at -2 to attack."}
p[60] = {n = "Improved Sweeping Strike", d = "Sweeping Strike no longer carries an attack penalty."}
p[61] = {n = "Greater Sweeping Strike", d = "Sweeping Strike hits three adjacent cells."}
p[62] = {n = "Whirlwind Attack", d = "Spin with your weapon and strike every unit within reach, allies too, at -2 to attack."}
p[63] = {n = "Improved Whirlwind Attack", d = "Whirlwind Attack no longer carries an attack penalty."}
p[64] = {n = "Mighty Blow", d = "A committed strike that doubles the dice of your weapon damage; flat bonuses count once."}
p[65] = {n = "Devastating Blow", d = "An all-out strike that triples the dice of your weapon damage, flat bonuses counting once; a miss still deals half damage. Once per battle."}
p[66] = {n = "Charge", d = "+2 to attack when charging, and damage that grows with your level."}
p[67] = {n = "Powerful Charge", d = "+4 to attack when charging, and more damage."}
p[68] = {n = "Combat Reflexes", d = "No limit on the attacks of opportunity you make each round."}
p[69] = {n = "Weapon Finesse", d = "With a light weapon or one wielded with Dexterity, attack rolls use your Dexterity modifier instead of Strength when it is higher; damage still adds Strength."}
-- Feats: two weapons
p[70] = {n = "Two-Weapon Fighting", d = "Smaller penalties for fighting with two weapons: 2 less on the main hand, 6 less on the off hand."}
p[71] = {n = "Improved Two-Weapon Fighting", d = "More main-hand damage when fighting with two weapons, growing with your level."}
p[72] = {n = "Greater Two-Weapon Fighting", d = "More off-hand damage when fighting with two weapons, growing with your level."}
p[73] = {n = "Perfect Two-Weapon Fighting", d = "No attack penalty at all for fighting with two weapons."}
p[74] = {n = "Two-Weapon Defence", d = "+1 to armour class while wielding two melee weapons."}
p[75] = {n = "Improved Two-Weapon Defence", d = "+2 to armour class while wielding two melee weapons, in place of Two-Weapon Defence."}
p[76] = {n = "Off-Hand Strength", d = "Your off-hand weapon adds your full Strength modifier."}
p[77] = {n = "Two-Weapon Rend", d = "When both of your weapons hit the same foe in one attack, you rend it for extra damage."}
-- Feats: two-handed weapons
p[78] = {n = "Two-Handed Focus", d = "More damage while you wield a single non-light melee weapon in the main hand with the off hand empty, growing with your level."}
p[79] = {n = "Greater Two-Handed Focus", d = "Much more damage while you wield a single non-light melee weapon in the main hand with the off hand empty, in place of Two-Handed Focus."}
p[80] = {n = "Staggering Blow", d = "A melee hit with a two-handed or hand-and-a-half weapon held in both hands (the off hand empty) has a 25% chance of a combat manoeuvre against the combat manoeuvre defence of the target; on a success it falls prone."}
p[81] = {n = "Greater Staggering Blow", d = "A melee hit with a two-handed or hand-and-a-half weapon held in both hands (the off hand empty) has a 50% chance of a combat manoeuvre against the combat manoeuvre defence of the target; on a success it falls prone."}
p[82] = {n = "Two-Handed Precision", d = "+1 to melee attacks while you wield a single non-light melee weapon in the main hand with the off hand empty."}
-- Feats: ranged
p[83] = {n = "Point-Blank Shot", d = "Better attack and damage against targets within 6 cells, with ranged attacks and with ranged spells aimed at armour class or Reflex."}
p[84] = {n = "Precise Shot", d = "No penalty for shooting or casting a ranged spell into melee."}
p[85] = {n = "Improved Precise Shot", d = "Ranged attacks ignore the cover of the target."}
p[86] = {n = "Rapid Shot", d = "Loose two arrows at one target, at an attack penalty."}
p[87] = {n = "Improved Rapid Shot", d = "Rapid Shot no longer carries an attack penalty."}
p[88] = {n = "Greater Rapid Shot", d = "Rapid Shot looses three arrows."}
p[89] = {n = "Manyshot", d = "Send a volley into a small area, attacking every enemy in it that your side can see, at -2 to attack."}
p[90] = {n = "Improved Manyshot", d = "Manyshot no longer carries an attack penalty."}
p[91] = {n = "Arrow Storm", d = "Darken the sky with arrows that strike every enemy in range that your side can see, at -2 to attack. Takes the whole turn."}
p[92] = {n = "Improved Arrow Storm", d = "Arrow Storm no longer carries an attack penalty."}
p[93] = {n = "Deadly Aim", d = "Ranged attacks lose no accuracy: when your attack bonus reaches the defence of the target, +1 damage, and +1 more for each point above it, multiplied as your level grows."}
p[94] = {n = "Crossbow Mastery", d = "More damage with crossbows, growing with your level."}
p[95] = {n = "Zen Archery", d = "Ranged attack rolls use your Wisdom modifier instead of Dexterity when it is higher."}
-- Feats: combat manoeuvres
p[96] = {n = "Improved Unarmed Strike", d = "Unarmed attacks no longer provoke attacks of opportunity. The root of every manoeuvre feat."}
p[97] = {n = "Improved Grapple", d = "+2 on grapple checks and to your combat manoeuvre defence against grapples, and no attack of opportunity when you try one."}
p[98] = {n = "Greater Grapple", d = "Another +2 on grapple checks and to your combat manoeuvre defence against grapples."}
p[99] = {n = "Improved Trip", d = "+2 on trip checks and to your combat manoeuvre defence against trips, and no attack of opportunity when you try one."}
p[100] = {n = "Greater Trip", d = "Another +2 on trip checks and to your combat manoeuvre defence against trips; when your trip succeeds, every other foe of the target beside it that can make an attack of opportunity strikes it once."}
p[101] = {n = "Improved Bull Rush", d = "+2 on bull rush checks and to your combat manoeuvre defence against bull rushes, and no attack of opportunity when you try one."}
p[102] = {n = "Greater Bull Rush", d = "Another +2 on bull rush checks and to your combat manoeuvre defence against bull rushes; when your bull rush succeeds, every other foe of the target beside it that can make an attack of opportunity strikes it once."}
p[103] = {n = "Improved Drag", d = "+2 on drag checks and to your combat manoeuvre defence against drags, and no attack of opportunity when you try one."}
p[104] = {n = "Greater Drag", d = "Another +2 on drag checks and to your combat manoeuvre defence against drags; when your drag succeeds, every other foe of the target beside it that can make an attack of opportunity strikes it once."}
p[105] = {n = "Improved Overrun", d = "+2 on overrun checks and to your combat manoeuvre defence against overruns, and no attack of opportunity when you try one."}
p[106] = {n = "Greater Overrun", d = "Another +2 on overrun checks and to your combat manoeuvre defence against overruns; when your overrun succeeds, every other foe of the target beside it that can make an attack of opportunity strikes it once."}
-- Feats: spells
p[107] = {n = "Spell Focus: Conjuration", d = "Your conjuration spells are harder to resist."}
p[108] = {n = "Augment Summoning", d = "The creatures you summon are stronger and tougher."}
p[109] = {n = "Spell Focus: Elemental", d = "Your elemental spells are harder to resist."}
p[110] = {n = "Elemental Empowerment", d = "Your elemental spells deal more energy damage."}
p[111] = {n = "Spell Focus: Control", d = "Your control spells are harder to resist."}
p[112] = {n = "Spell Focus: Necromancy", d = "Your necromancy spells are harder to resist."}
p[113] = {n = "Combat Casting", d = "+4 to your defence against attacks of opportunity provoked by casting."}
p[114] = {n = "Spell Penetration", d = "Overcome the spell resistance of your targets more easily."}
p[115] = {n = "Greater Spell Penetration", d = "Overcome spell resistance more easily still, in place of Spell Penetration."}
p[116] = {n = "Improved Turning", d = "Your turning is harder to resist."}
p[117] = {n = "Greater Turning", d = "Your turning is harder still to resist."}
p[118] = {n = "Extra Turning", d = "Turn undead twice per battle."}

-- Spells
p[119] = {n = "Magic Missile", d = "Fires magic missiles that never miss a target without spell resistance; more missiles as the caster gains levels, 3 at most."}
p[120] = {n = "Sleep", d = "Creatures in an area fall into a magical slumber."}
p[121] = {n = "Grease", d = "Coat the ground in slippery grease; creatures standing in it may fall. Lasts until removed."}
p[122] = {n = "Summon Monster", d = "Call an elemental to the chosen cell to fight for you; the one called before leaves."}
p[123] = {n = "Cure Wounds", d = "A touch of positive energy: heals the living, harms the undead."}
p[124] = {n = "Inflict Wounds", d = "A touch of negative energy: harms the living, heals the undead."}
p[125] = {n = "Acid Arrow", d = "An arrow of acid that may keep eating at the target after it hits."}
p[126] = {n = "Web", d = "Fill an area with sticky webs that hold the creatures in it. Lasts until removed."}
p[127] = {n = "Fireball", d = "A bead of fire bursts into flames that burn every creature in the area."}
p[128] = {n = "Lightning Bolt", d = "A line of lightning strikes every creature in its path."}
p[129] = {n = "Animate Dead", d = "Raise nearby corpses as undead that fight for you; two such undead at most at a time."}
p[130] = {n = "Dispel Magic", d = "Clear the magical zones in an area; try to end charm, petrification, sleep or polymorph on the units in it, and banish summoned creatures, your own included. Slow, root and fear stay."}
p[131] = {n = "Searing Light", d = "A ray of burning light that scorches the target."}
p[132] = {n = "Ice Storm", d = "Hail pounds an area, dealing cold damage and slowing the creatures in it."}
p[133] = {n = "Frost Nova", d = "A burst of ice around the caster deals cold damage to every creature nearby, allies included, and may freeze them in place."}
p[134] = {n = "Teleport", d = "Move a unit instantly to a random free cell within 3 of it. An ally always goes; an enemy may resist with Will. Aimed at an empty cell, the caster goes there itself."}
p[135] = {n = "Mass Cure Wounds", d = "Positive energy washes over an area: heals the living, harms the undead."}
p[136] = {n = "Mass Inflict Wounds", d = "Negative energy washes over an area: harms the living, heals the undead."}
p[137] = {n = "Raise Dead", d = "Bring a fallen companion back to their feet."}
p[138] = {n = "Slay Living", d = "A touch of negative energy that snuffs out a living creature; one that resists with Fortitude is still hurt."}
p[139] = {n = "Chain Lightning", d = "Lightning strikes the target, then leaps to the nearest unit within 3 cells, friend or foe, the caster included; 4 strikes at most, each after the first at half damage."}
p[140] = {n = "Acid Fog", d = "A cloud of corrosive fog harms and slows the creatures in it."}
p[141] = {n = "Finger of Death", d = "Point at a living creature and tear its life away with negative energy; one that resists with Fortitude is still hurt."}
p[142] = {n = "Incendiary Cloud", d = "A burning cloud scorches the creatures in it."}
p[143] = {n = "Meteor Swarm", d = "Blazing meteors pound an area with fire and bludgeoning damage."}

-- Monster powers: damage reduction, regeneration, spell resistance, turn resistance
local tiers = {2, 5, 10}
for i, v in ipairs(tiers) do
    p[143 + i] = {n = "Damage Reduction " .. v, d = "Each physical hit deals less damage; the reduction grows with level."}
    p[146 + i] = {n = "Regeneration " .. v, d = "Regains hit points at the start of each turn; the amount grows with level."}
    p[149 + i] = {n = "Spell Resistance " .. v, d = "Spell resistance rises by " .. v .. "."}
    p[152 + i] = {n = "Turn Resistance " .. v, d = "Resistance to turning rises by " .. v .. "."}
end

-- Monster powers by damage type (slashing, piercing, bludgeoning, fire, cold, lightning,
-- acid, poison, repair, positive, negative, void)
local dt = {"Slashing", "Piercing", "Bludgeoning", "Fire", "Cold", "Lightning", "Acid", "Poison", "Repair",
            "Positive Energy", "Negative Energy", "Void"}
p[156] = {n = "Bane: Silver", d = "A weakness to silver; but no attack carries silver, so it never takes effect."}
p[157] = {n = "Bane: Adamantine", d = "A weakness to adamantine; but no attack carries adamantine, so it never takes effect."}
for t, name in ipairs(dt) do
    local lower = name:lower()
    local none = (t >= 9 and t <= 11) and ("No effect: what " .. lower .. " damage does to it depends only on its kind of creature.") or nil
    p[157 + t] = {n = "Bane: " .. name, d = name .. " damage overcomes its damage reduction and stops its regeneration on its next turn."}
    p[169 + t] = {n = "Immunity: " .. name, d = none or ("Takes no " .. lower .. " damage.")}
    p[181 + t] = {n = "Absorb " .. name, d = none or (name .. " damage heals it instead of harming it.")}
    p[193 + t] = {n = "Resist " .. name, d = none or ("Takes half damage from " .. lower .. ".")}
    p[205 + t] = {n = "Vulnerable: " .. name, d = none or ("Takes double damage from " .. lower .. ".")}
end

-- Monster powers: other traits
p[218] = {n = "Mindless", d = "A body driven by magic: no Constitution and no mind of its own; Wisdom is 10 and Charisma 1."}
p[219] = {n = "Sentient", d = "Keeps its own Intelligence although its body is driven by magic."}
p[220] = {n = "Giant", d = "One size larger than its kind."}
p[221] = {n = "Swift", d = "+2 to speed."}
p[222] = {n = "Lumbering", d = "-4 to speed."}
p[223] = {n = "Thick Hide", d = "+2 to natural armour."}
p[224] = {n = "Armoured Shell", d = "+4 to natural armour."}
p[225] = {n = "Thin Skin", d = "-2 to natural armour."}
p[226] = {n = "Amorphous", d = "Immune to being rooted, knocked prone or grappled."}
p[227] = {n = "Magic Immunity", d = "Unaffected by spell effects."}
p[228] = {n = "Elemental Resistance", d = "Takes half damage from fire, cold, lightning and acid."}
p[229] = {n = "Battle Aura", d = "It and its allies within 3 cells get +2 to attack."}
p[230] = {n = "Slaughter Aura", d = "It and its allies within 3 cells deal more damage, growing with level."}
p[231] = {n = "Healing Aura", d = "Heals itself and its allies within 3 cells every turn."}
p[232] = {n = "Fire Aura", d = "Burns adjacent enemies every turn."}
p[233] = {n = "Stench Aura", d = "Noxious fumes harm adjacent enemies every turn."}
p[234] = {n = "Fear Aura", d = "Enemies nearby may be overcome with fear."}
p[235] = {n = "Pack Tactics", d = "+1 to damage for each ally with Pack Tactics next to the target."}
p[236] = {n = "Pack Savagery", d = "More damage when at least two allies with this power are next to the target."}
p[237] = {n = "Rend", d = "When both blows of one attack hit the same foe, it tears the foe apart for extra damage."}
p[238] = {n = "Coordinated Rend", d = "While another ally with this power stands next to the target, every melee hit tears it apart for extra damage."}
p[239] = {n = "Bloodthirst", d = "Better attack and damage against targets at half their hit points or less."}
p[240] = {n = "Greater Bloodthirst", d = "Much better attack and damage against targets at half their hit points or less."}
p[241] = {n = "Blood Rage", d = "Below half hit points it flies into a rage: better attack and damage, worse defences."}
p[242] = {n = "Berserk Blood", d = "Rages as soon as it is hurt, and harder still below half hit points."}
p[243] = {n = "Sneak Attack", d = "Extra damage against targets within 6 cells that cannot strike back or are flanked."}
p[244] = {n = "Imbued Arrows", d = "Ranged weapon attacks carry random fire, cold, lightning or acid damage."}
p[245] = {n = "Poisoned Weapons", d = "Weapon attacks may poison the target."}
p[246] = {n = "Drow Poison", d = "Weapon attacks may leave the target stunned."}
p[247] = {n = "Knockdown", d = "Heavy blows may knock the target to the ground."}
p[248] = {n = "Trampling Charge", d = "More damage when charging, and the charge may knock the target down."}
p[249] = {n = "Powerful Charge", d = "Much more damage when charging, and the charge may hurl the target back and down."}
p[250] = {n = "Crush", d = "A creature it grapples takes damage every turn."}
p[251] = {n = "Bear Hug", d = "A creature it grapples takes heavier damage every turn."}
p[252] = {n = "Grappling Sting", d = "Stings the creature it grapples every turn for fixed damage, with no roll and no poison."}
p[253] = {n = "Greater Grappling Sting", d = "Stings the creature it grapples every turn for heavier fixed damage, with no roll and no poison."}
p[254] = {n = "Blood Drain", d = "Drinks the blood of the creature it grapples; no use against creatures without life essence."}
p[255] = {n = "Corpse Rot", d = "When it dies, every unit next to it, friend or foe, must resist corpse rot or be poisoned."}
p[256] = {n = "Double Strike", d = "Every attack strikes twice."}
p[257] = {n = "Phalanx", d = "+2 to armour class and Reflex while an ally with Phalanx stands adjacent."}
p[258] = {n = "Crowd Defence", d = "+2 to armour class and Reflex with one unit adjacent, friend or foe, +4 with two or more."}
p[259] = {n = "Nimble Dodge", d = "+2 to its defence against attacks of opportunity while it threatens the cells around it."}
p[260] = {n = "Woodland Stride", d = "Its shift step may enter any cell it could enter, hard ground included."}
p[261] = {n = "Slippery", d = "Its movement never provokes attacks of opportunity."}
p[262] = {n = "Web Walker", d = "Unaffected by webs."}
p[263] = {n = "Swamp Walker", d = "Unaffected by grease."}
p[264] = {n = "All-Seeing Eyes", d = "Cannot be flanked."}
p[265] = {n = "Shambling", d = "Slow-witted and slow: only one move action or one standard action each turn."}
p[266] = {n = "Fey Blood", d = "Immune to magical sleep, and a bonus against mind-affecting effects."}
p[267] = {n = "Innate Caster", d = "Casts spells with Charisma."}
p[268] = {n = "Blood Caster", d = "Casts spells with Constitution."}
p[269] = {n = "Ghoul Bite", d = "Its melee attacks deal heavy extra damage to a helpless target, growing with level."}
p[270] = {n = "Shock", d = "Lash a nearby enemy with an electric discharge."}
p[271] = {n = "Shocking Hide", d = "Shocks every unit within 3 cells, allies and itself included, at the start of each of its turns; the more holders linked to it, the more dice."}
p[272] = {n = "Poison Dart", d = "Spit a poisoned dart that may poison the target it hits."}
p[273] = {n = "Poison Fog", d = "Breathe out a poisonous fog that lingers for a few rounds and poisons the creatures in it."}
p[274] = {n = "Venom Burst", d = "Spray venom in every direction, harming and poisoning all creatures around. Takes the whole turn."}
p[275] = {n = "Fire Spit", d = "Spit a cone of fire ahead."}
p[276] = {n = "Acid Spit", d = "Spit a cone of acid ahead."}
p[277] = {n = "Repair", d = "Mend an adjacent construct, restoring its hit points."}
p[278] = {n = "Spin Web", d = "Shoot a mass of web that holds a distant target; the web lasts until removed."}
p[279] = {n = "Shield Bash", d = "Slam an adjacent target with a shield; it may be stunned."}
p[280] = {n = "Ground Slam", d = "Pound the ground to knock down the creatures around. Takes the whole turn."}
p[281] = {n = "Polymorph", d = "Turn a creature into a harmless small animal for a few rounds."}
p[282] = {n = "Turn Undead", d = "Present a holy symbol and drive every undead within 7 cells to flee, those on your own side included. Once per battle."}
p[283] = {n = "Fear", d = "Fill every unit within 3 cells with fear, allies included; those immune to fear are spared."}
p[284] = {n = "Madness", d = "Drive a creature mad, so that it attacks friend and foe alike."}
p[285] = {n = "Charm", d = "Charm a nearby creature so that for a while it turns on its own allies."}
p[286] = {n = "Dominating Gaze", d = "Bend a nearby creature to your will with a look; for a while it turns on its own allies."}
p[287] = {n = "Petrifying Gaze", d = "Turn a nearby creature to stone with a look."}
p[288] = {n = "Summon Spiders", d = "Call two spiders to join the fight; those it called before leave. Takes the whole turn."}
p[289] = {n = "Charismatic Vigour", d = "Hit points come from Charisma instead of Constitution."}
p[290] = {n = "Brute Vigour", d = "When half its Strength modifier beats its Constitution modifier, hit points come from Strength instead, at half the modifier per level."}
p[291] = {n = "Reserved", d = "A reserved power slot; never seen in play."}

-- ---- Power categories (a global, read as strs:pwr_cats) ----
pwr_cats = {
    {n = "General", d = "Basic feats that any class may learn."},
    {n = "Weapons", d = "Weapon proficiencies, focus and critical hits."},
    {n = "Armour", d = "Proficiency and focus with armour and shields."},
    {n = "Melee", d = "Feats that strengthen melee attacks."},
    {n = "Two Weapons", d = "Feats for fighting with a weapon in each hand."},
    {n = "Two-Handed", d = "Feats for fighting with two-handed weapons."},
    {n = "Ranged", d = "Feats for bows, crossbows and thrown weapons."},
    {n = "Manoeuvres", d = "Feats for tripping, bull rushing, dragging, overrunning and grappling."},
    {n = "Spells", d = "Feats for spellcasters and for turning undead."},
}

-- ---- Rules enum tables ----
strs.abis = {
    {n = "Str", a = "Strength", d = "Physical power. Affects melee attack and damage, combat manoeuvres and how much you can carry."},
    {n = "Dex", a = "Dexterity", d = "Agility and reflexes. Affects ranged attacks, armour class, Reflex and initiative."},
    {n = "Con", a = "Constitution", d = "Health and stamina. Affects hit points and Fortitude."},
    {n = "Int", a = "Intelligence", d = "Learning and reasoning. Wizards cast spells with Intelligence."},
    {n = "Wis", a = "Wisdom", d = "Insight and willpower. Affects Will; clerics cast spells with Wisdom."},
    {n = "Cha", a = "Charisma", d = "Force of personality. Affects turning undead."},
}
strs.defs = {
    {n = "AC", d = "Armour class, the defence against weapon attacks: 10 plus Dexterity, armour, shield, natural armour and level."},
    {n = "Fortitude", d = "Resists poison, death spells and bodily harm with Constitution."},
    {n = "Reflex", d = "Dodges blasts, sprays, grease and webs with Dexterity."},
    {n = "Will", d = "Resists mind magic, polymorph, teleport, turning and wound spells with Wisdom."},
    {n = "CMD", d = "Combat manoeuvre defence against trips, bull rushes, grapples and the like; built from Strength, Dexterity and size."},
}
strs.atks = {
    {n = "Melee", d = "An attack with a melee or natural weapon."},
    {n = "Ranged", d = "An attack with a ranged or thrown weapon."},
    {n = "Spell", d = "A spell attack made with the casting ability."},
    {n = "Manoeuvre", d = "A combat manoeuvre such as a trip, bull rush or grapple."},
    {n = "Turning", d = "Turning undead with Charisma."},
}
strs.act_costs = {
    {n = "Free", d = "Costs no action."},
    {n = "Move", d = "Costs a move action."},
    {n = "Standard", d = "Costs a standard action."},
    {n = "Full-Round", d = "Takes the whole turn."},
}
strs.amr_types = {
    {n = "Light Armour", d = "Light armour that barely hinders movement."},
    {n = "Medium Armour", d = "Heavier armour that slows the wearer."},
    {n = "Heavy Armour", d = "The heaviest armour, with the best protection."},
}
strs.shd_types = {
    {n = "Light Shield", d = "A small shield."},
    {n = "Heavy Shield", d = "A large, solid shield."},
    {n = "Tower Shield", d = "A huge shield; -2 to attack while carried."},
}
strs.wpn_cats = {
    {n = "Simple Weapon", d = "A plain weapon anyone can use."},
    {n = "Martial Weapon", d = "A weapon that takes training to use well."},
    {n = "Exotic Weapon", d = "A rare weapon that is hard to master."},
    {n = "Natural Weapon", d = "Claws, teeth, horns and other parts of a body."},
}
strs.wpn_grps = {
    {n = "Swords", d = "Daggers, short swords, longswords, greatswords and other blades."},
    {n = "Axes", d = "Handaxes, battleaxes, greataxes and picks."},
    {n = "Hammers", d = "Hammers, maces, morningstars and clubs."},
    {n = "Flails", d = "Flails, spiked chains and whips."},
    {n = "Spears", d = "Javelins, spears and halberds."},
    {n = "Bows", d = "Shortbows and longbows."},
    {n = "Crossbows", d = "Hand, light and heavy crossbows."},
    {n = "Thrown", d = "Slings, darts and nets."},
    {n = "Unarmed", d = "Fists, feet and natural weapons."},
    {n = "Simple", d = "Simple weapons."},
    {n = "Armour", d = "Armour and shields."},
}
strs.wpn_flags = {
    {n = "Ranged", d = "A ranged weapon that strikes targets within its range."},
    {n = "Reach", d = "Strikes enemies two cells away."},
    {n = "Light", d = "Fits the off hand; with Weapon Finesse it may attack with the Dexterity modifier."},
    {n = "Finesse", d = "With Weapon Finesse it may attack with the Dexterity modifier instead of Strength."},
    {n = "Brace", d = "+1 to attack and +1 damage (+1 more every 10 levels) when charging with it."},
    {n = "Trip", d = "Can be used to trip, but any weapon can; this property has no further effect."},
    {n = "Thrown", d = "Can be thrown at an enemy within range."},
    {n = "Throwable", d = "A melee weapon that can also be thrown at an enemy within range."},
    {n = "Loading", d = "Shots need ammunition; loading takes no extra action."},
    {n = "Heavy Loading", d = "A heavy crossbow; loading takes no extra action, so it shoots as fast as any other."},
}
strs.wpn_handss = {
    {n = "One-Handed", d = "Held in one hand."},
    {n = "Two-Handed", d = "Needs both hands."},
    {n = "One or Two Hands", d = "Held in one hand or in both."},
}
strs.wpn_rng_types = {
    {n = "Melee", d = "A melee weapon."},
    {n = "Ranged", d = "A ranged weapon."},
}
strs.load_types = {
    {n = "Light Load", d = "A light load; no hindrance."},
    {n = "Medium Load", d = "A heavy pack: Dexterity bonus at most +3, -2 to attack and Reflex, -1 to speed."},
    {n = "Heavy Load", d = "A very heavy pack: Dexterity bonus at most +1, -4 to attack and Reflex, -2 to speed."},
    {n = "Overloaded", d = "Carrying too much to move at all."},
}
strs.coins = {
    {n = "cp", d = "Copper pieces; a hundred make a gold piece."},
    {n = "sp", d = "Silver pieces; ten make a gold piece."},
    {n = "gp", d = "Gold pieces, the common currency."},
}
strs.terms = {
    {n = "Race", d = "The race of the character."},
    {n = "Class", d = "The class of the character."},
    {n = "Rank", d = "The rank of a monster: normal, elite, solo or minion."},
    {n = "Level", d = "The level of the character."},
    {n = "HP", d = "Hit points; at 0 the unit falls."},
    {n = "Speed", d = "How many cells one move covers."},
}
strs.spl_cats = {
    {n = "Conjuration", d = "Spells of summoning, healing and teleportation."},
    {n = "Elemental", d = "Spells that wield fire, cold, lightning and acid."},
    {n = "Control", d = "Spells that put enemies to sleep or knock them down."},
    {n = "Necromancy", d = "Spells of life, death and negative energy."},
}
strs.enc_diffs = {
    {n = "Easy", d = "Weaker foes and, as a rule, less experience; gold and loot do not change with the difficulty."},
    {n = "Normal", d = "An even fight."},
    {n = "Hard", d = "Strong foes and, as a rule, more experience; gold and loot do not change with the difficulty."},
}
strs.enc_types = {
    {n = "Battlefield Control", d = "The enemy is built around casters who control the field."},
    {n = "Commander and Troops", d = "A higher-level caster leading a band of followers."},
    {n = "Dragon Den", d = "A mighty solo monster, perhaps with one or two elites at its side."},
    {n = "Double Line", d = "Melee fighters in front, archers and casters behind."},
    {n = "Wolf Pack", d = "Foes in numbers that close in from every side."},
}
strs.uranks = {
    {n = "Normal", d = "An ordinary foe."},
    {n = "Elite", d = "Elite: double hit points and experience."},
    {n = "Solo", d = "Solo: five times the hit points and experience, and immune to death spells."},
    {n = "Minion", d = "Minion: a single hit point and little experience."},
}
strs.dmg_types = {
    {n = "slashing", d = "The cut of swords and axes."},
    {n = "piercing", d = "The stab of spear points, arrows and fangs."},
    {n = "bludgeoning", d = "The blow of hammers, clubs and fists."},
    {n = "fire", d = "Burning flame."},
    {n = "cold", d = "Biting frost."},
    {n = "lightning", d = "The strike of lightning."},
    {n = "acid", d = "Acid that eats flesh."},
    {n = "poison", d = "Venom and toxic fumes."},
    {n = "repair", d = "Energy that mends constructs; no effect on other creatures."},
    {n = "positive", d = "The energy of life: heals the living, harms the undead."},
    {n = "negative", d = "The energy of death: harms the living, heals the undead."},
    {n = "void", d = "Pure destruction from the void, next to impossible to withstand."},
}

-- ---- Small tables the code reads as strs:name (globals) ----
itm_types = {
    {n = "Weapon", d = "Melee, ranged and thrown weapons."},
    {n = "Shield", d = "A shield carried in the off hand."},
    {n = "Ammunition", d = "Arrows, bolts and bullets, kept in the quick slots for ranged weapons."},
    {n = "Armour", d = "Armour worn on the body."},
    {n = "Head", d = "Helmets, circlets and headbands."},
    {n = "Belt", d = "A belt worn at the waist."},
    {n = "Cloak", d = "A cloak worn over the shoulders."},
    {n = "Robe", d = "A robe for spellcasters."},
    {n = "Hands", d = "Gloves, gauntlets and bracers."},
    {n = "Boots", d = "Boots worn on the feet."},
    {n = "Neck", d = "Amulets and necklaces."},
    {n = "Ring", d = "A ring worn on a finger."},
    {n = "Trinket", d = "A small charm carried about."},
    {n = "Consumable", d = "Healing kits, alchemical items, dusts and books. None can be used in the game; they are worth only their sale price."},
    {n = "Miscellaneous", d = "Other items."},
}
u_sizes = {
    {n = "Tiny", d = "A very small creature."},
    {n = "Small", d = "A small creature: +1 to armour class and weapon attacks, -1 to combat manoeuvres and combat manoeuvre defence, smaller weapon damage dice."},
    {n = "Medium", d = "A creature of human size."},
    {n = "Large", d = "A large creature: -1 to armour class and weapon attacks, +1 to combat manoeuvres and combat manoeuvre defence, bigger weapon damage dice."},
    {n = "Huge", d = "An enormous creature."},
    {n = "Gargantuan", d = "A colossal creature."},
}
imxs = {
    {n = "immune to spells", d = "Unaffected by spell effects."},
    {n = "immune to instant death", d = "Cannot be slain outright by a death spell such as Slay Living or Finger of Death."},
    {n = "immune to critical hits", d = "Never suffers critical hits."},
    {n = "no life essence", d = "Has no life essence to drain; blood drain does nothing to it."},
    {n = "ignores webs", d = "Unaffected by webs."},
    {n = "ignores hard ground", d = "Crossing hard ground does not slow it."},
}
map_envs = {
    {n = "Plain", d = "Open, level ground."},
    {n = "Grassland", d = "Fields of wild grass."},
    {n = "Forest", d = "Dense woodland."},
    {n = "Cave", d = "A dark cave underground."},
    {n = "Ruins", d = "Fallen ancient buildings."},
}
passs = {
    {n = "Road", d = "A smooth road, quicker to walk."},
    {n = "Open ground", d = "Ordinary ground."},
    {n = "Hard ground", d = "Rubble or mud; crossing it costs twice the movement."},
    {n = "Rough ground", d = "Very hard going."},
    {n = "Treacherous ground", d = "Nearly impassable."},
    {n = "Obstacle", d = "Cannot be crossed and blocks sight."},
}
tiles = {
    {n = "Ground", d = "Ground to walk on freely."},
    {n = "Wall", d = "Cannot be crossed and blocks sight."},
    {n = "Rubble", d = "Hard ground: crossing it costs twice the movement, but it does not block sight."},
    {n = "Obstacle", d = "Cannot be crossed and blocks sight."},
    {n = "Tree", d = "Cannot be crossed and blocks sight."},
}
spd_ani_lvs = {
    {n = "Slow"},
    {n = "Normal"},
    {n = "Fast"},
}

-- ---- Records asked for by key (unit sheet and tooltips) ----
abi = {n = "Abilities", d = "The six abilities: Strength, Dexterity, Constitution, Intelligence, Wisdom and Charisma. The modifier is the score less 10, halved and rounded down: 12 and 13 give +1, 8 and 9 give -1."}
trait = {n = "Special", d = "Special qualities from race, monster powers and equipment."}
feat = {n = "Feats", d = "The feats the character has learned while levelling up."}
lv = {n = "Level", d = "The level of the character. Higher levels bring more hit points, better attacks and defences, and more feats and spells."}
cond = {n = "Conditions", d = "The conditions on the unit. Green ones help, red ones hinder; the rounds left stand in brackets."}
imm = {n = "Immune", d = "Unaffected by these kinds of damage or effects."}
aff = {n = "Absorbs", d = "These kinds of damage heal it instead."}
vul = {n = "Vulnerable", d = "Takes double damage of these kinds."}
unr = {n = "Overcome by", d = "These kinds of damage get through its damage reduction or stop its regeneration. No attack is silver or adamantine, so those two never do."}
dr = {n = "Damage reduction", d = "Each physical hit deals this much less damage."}
er = {n = "Energy resistance", d = "Each hit of fire, cold, lightning or acid deals this much less damage."}
ac_rng = {n = "Missile deflection", d = "Bonus to armour class against ranged attacks."}
bounce_p = {n = "Thorns", d = "Whoever hits you with a melee attack, allies included, takes this much piercing damage, once per action; none when that action sets off Cleave."}
bounce_f = {n = "Fire shield", d = "Whoever hits you with a melee attack, allies included, takes this much fire damage, once per action; none when that action sets off Cleave."}
ctr_atk = {n = "Riposte", d = "Chance to strike back at once when a melee attack misses you (it uses an attack of opportunity)."}
auto_sum = {n = "Summons", d = "The creature summoned at the start of each battle."}
hr = {n = "Regeneration", d = "Hit points regained at the start of each turn."}
auto_heal1 = {n = "First aid", d = "Hit points restored at once when first wounded."}
auto_heal2 = {n = "Last stand", d = "Hit points restored at once on falling to half hit points."}
be_heal = {n = "Healing received", d = "Extra hit points whenever a spell or power heals you (Cure Wounds, Repair) or damage you absorb heals you; regeneration, Healing Aura, First aid, Last stand, Blood Drain and vampiric weapons restore no more."}
to_heal = {n = "Healing given", d = "Your positive-energy spells, such as Cure Wounds, do this much more: they heal this many more hit points, yourself included, and deal this much more damage to undead."}
elm_dmg = {n = "Elemental damage", d = "Extra fire, cold, lightning and acid damage on spell attacks."}
pe_dmg = {n = "Positive energy", d = "Extra positive energy damage and healing on spell attacks."}
ne_dmg = {n = "Negative energy", d = "Extra negative energy damage and healing on spell attacks (not the slaying spells)."}
tr = {n = "Turn resistance", d = "Bonus against being turned."}
sr = {n = "Spell resistance", d = "Harmful spells aimed at it face a defence this much higher, less the spell penetration of the caster."}
unsr = {n = "Spell penetration", d = "Bonus to overcoming the spell resistance of a target."}
spl_fail = {n = "Spell failure", d = "Chance that armour and shield make a spell fail."}

-- Note on items with magic of their own.
xbns_note = "The magic of this item is its own: it takes no other enchantments."

-- Saves that cannot be read: the message when the arena opens a save.
load_msgs = {
    title = "Saved game",
    cfg = "The arena's save record saves/arena/main.cfg could not be read.",
    damaged = "Files of arena save %s could not be read: %s.",
    salvaged = "What could be read was loaded and saved as save %s.",
    nothing = "Nothing in it could be read.",
    kept = "The original files are kept as they were in %s.",
    not_moved = "The original folder could not be moved aside; it stays where it is and is not written over.",
    missing = "The folder of arena save %s is gone.",
    other = "Save %s is loaded: %s.",
    new_game = "A new game has begun.",
    sep = ", ",
}

-- Settings and files that cannot be read or used: lines for the log (standard error).
notes = {
    cfg_value = "config.ini: %s=%s is not valid; %s is used.",
    wnd_size = "config.ini: windowed_size=%s does not fit the screen's %s; %s is used.",
    lang = "config.ini: the language %s has no texts; %s is used.",
    img = "Image gfx/%s is missing.",
    sfx = "Sound sfx/%s is missing.",
    music = "Music sfx/%s_00 is missing.",
    pc_file = "Character file %s cannot be read; it is listed as damaged.",
}
