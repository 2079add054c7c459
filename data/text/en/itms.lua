-- Items. The code sets the key of every row.
local t = {}
itms = t

-- Natural attacks and the unarmed strike
t[1] = {n = "Bite", d = "Tearing teeth."}
t[2] = {n = "Claw", d = "Raking claws."}
t[3] = {n = "Slam", d = "A blow of fist or body."}
t[4] = {n = "Gore", d = "A thrust of horn or tusk."}
t[5] = {n = "Sting", d = "A stab of tail or mouthparts."}
t[6] = {n = "Tail Slap", d = "A sweep of the tail."}
t[7] = {n = "Great Bite", d = "The bite of a huge maw."}
t[8] = {n = "Great Claws", d = "Huge rending claws."}
t[9] = {n = "Great Slam", d = "A blow of a huge fist."}
t[10] = {n = "Great Gore", d = "A thrust of huge horns."}
t[11] = {n = "Great Sting", d = "A stab of a huge stinger."}
t[12] = {n = "Great Tail", d = "A sweep of a huge tail."}
t[13] = {n = "Iron Fist", d = "The huge fist of a construct, quick to land critical hits."}
t[14] = {n = "Fangs", d = "Sharp fangs; they deal piercing damage only and do not poison."}
t[15] = {n = "Great Fangs", d = "Huge fangs; they deal piercing damage only and do not poison."}
t[16] = {n = "Acid Bite", d = "A bite dripping with acid that deals extra acid damage."}
t[17] = {n = "Grabbing Bite", d = "A bite that holds on; a hit may seize the target."}
t[18] = {n = "Tripping Bite", d = "A bite at the legs; a hit may trip the target."}
t[19] = {n = "Savage Bite", d = "A bite that holds and tears; a hit makes the target bleed and may seize it."}
t[20] = {n = "Acid Claws", d = "Claws dripping with acid that deal extra acid damage."}
t[21] = {n = "Grabbing Claws", d = "Claws that grab; a hit may seize the target."}
t[22] = {n = "Paralysing Claws", d = "Foul claws; a hit may stun the target."}
t[23] = {n = "Burning Slam", d = "A fist of flame that deals extra fire damage."}
t[24] = {n = "Rotting Slam", d = "A blow of a rotting fist."}
t[25] = {n = "Touch of the Lich", d = "A touch of the void that deals void damage; a hit may stun the target."}
t[26] = {n = "Unarmed Strike", d = "Punches and kicks."}

-- Weapons
t[27] = {n = "Dagger", d = "A light short blade that can be thrown."}
t[28] = {n = "Short Sword", d = "A light thrusting sword that suits the off hand."}
t[29] = {n = "Rapier", d = "A slender thrusting sword, wielded with Dexterity by those with Weapon Finesse; wide critical range."}
t[30] = {n = "Kukri", d = "A light blade with an inward curve; wide critical range."}
t[31] = {n = "Sickle", d = "A light curved blade."}
t[32] = {n = "Scimitar", d = "A curved single-edged blade; wide critical range."}
t[33] = {n = "Longsword", d = "The most common sword, used in one hand or two."}
t[34] = {n = "Greatsword", d = "A heavy two-handed sword."}
t[35] = {n = "Scythe", d = "A two-handed scythe with fearsome critical hits."}
t[36] = {n = "Falchion", d = "A heavy two-handed curved blade; wide critical range."}
t[37] = {n = "Guisarme", d = "A hooked polearm that strikes two cells away."}
t[38] = {n = "Handaxe", d = "A light axe that can be thrown."}
t[39] = {n = "Battleaxe", d = "A one-handed war axe with strong critical hits."}
t[40] = {n = "Greataxe", d = "A heavy two-handed axe with strong critical hits."}
t[41] = {n = "Light Pick", d = "A light pick with fearsome critical hits."}
t[42] = {n = "Heavy Pick", d = "A one-handed pick with fearsome critical hits."}
t[43] = {n = "War Pick", d = "A large pick for one hand or two, with fearsome critical hits."}
t[44] = {n = "Light Hammer", d = "A light hammer that can be thrown."}
t[45] = {n = "Warhammer", d = "A war hammer for one hand or two."}
t[46] = {n = "Maul", d = "A heavy two-handed hammer."}
t[47] = {n = "Club", d = "A plain wooden club that can be thrown."}
t[48] = {n = "Greatclub", d = "A heavy two-handed club."}
t[49] = {n = "Quarterstaff", d = "A wooden staff held in both hands."}
t[50] = {n = "Light Mace", d = "A light flanged mace."}
t[51] = {n = "Heavy Mace", d = "A heavy flanged mace."}
t[52] = {n = "Morningstar", d = "A spiked mace that both pierces and bludgeons."}
t[53] = {n = "Flail", d = "A chained head for one hand or two."}
t[54] = {n = "Heavy Flail", d = "A heavy two-handed flail."}
t[55] = {n = "Spiked Chain", d = "A long spiked chain that strikes two cells away; with Weapon Finesse it uses Dexterity."}
t[56] = {n = "Javelin", d = "A short spear made for throwing."}
t[57] = {n = "Spear", d = "A spear for one hand or two; it can be thrown and hits harder in a charge."}
t[58] = {n = "Longspear", d = "A two-handed spear that strikes two cells away and hits harder in a charge."}
t[59] = {n = "Halberd", d = "An axe blade and spear point on a pole; strikes two cells away and hits harder in a charge."}
t[60] = {n = "Shortbow", d = "A light bow. Needs arrows."}
t[61] = {n = "Longbow", d = "A tall bow with a long range. Needs arrows."}
t[62] = {n = "Hand Crossbow", d = "A small crossbow held in one hand. Needs bolts."}
t[63] = {n = "Light Crossbow", d = "A lighter crossbow; it loads and shoots just as fast as the heavy one. Needs bolts."}
t[64] = {n = "Heavy Crossbow", d = "A heavy crossbow with a long range. Needs bolts."}
t[65] = {n = "Sling", d = "A leather strap that hurls bullets. Needs bullets."}
t[66] = {n = "Dart", d = "A small throwing weapon, used from the quick slots only."}

-- Armour and shields
t[67] = {n = "Leather Armour", d = "Armour of tanned leather."}
t[68] = {n = "Studded Leather", d = "Leather armour set with metal studs."}
t[69] = {n = "Chain Shirt", d = "A light shirt of chain mail."}
t[70] = {n = "Scale Mail", d = "Armour covered in metal scales; slows the wearer."}
t[71] = {n = "Breastplate", d = "Steel plates over chest and back; slows the wearer."}
t[72] = {n = "Splint Mail", d = "Heavy armour of metal strips; slows the wearer."}
t[73] = {n = "Full Plate", d = "Fine plate armour from head to foot, the best protection there is; slows the wearer."}
t[74] = {n = "Light Shield", d = "A small shield."}
t[75] = {n = "Heavy Shield", d = "A solid shield."}
t[76] = {n = "Tower Shield", d = "A shield that covers nearly the whole body; -2 to attack while carried."}

-- Magic items
t[77] = {n = "Belt of Giant Strength", d = "Raises the Strength of the wearer."}
t[78] = {n = "Belt of Incredible Dexterity", d = "Raises the Dexterity of the wearer."}
t[79] = {n = "Belt of Mighty Constitution", d = "Raises the Constitution of the wearer."}
t[80] = {n = "Belt of Physical Perfection", d = "Raises the Strength, Dexterity and Constitution of the wearer."}
t[81] = {n = "Belt of Perfection", d = "Raises every ability of the wearer."}
t[82] = {n = "Belt of Regeneration", d = "The wearer regains hit points every turn."}
t[83] = {n = "Greater Belt of Regeneration", d = "The wearer regains hit points every turn, gains more from healing spells and is patched up at once when first wounded."}
t[84] = {n = "Belt of Troll Blood", d = "The wearer regenerates swiftly, gains more from healing spells, and is healed once when first wounded and once at half hit points."}
t[85] = {n = "Headband of Intellect", d = "Raises the Intelligence of the wearer."}
t[86] = {n = "Headband of Wisdom", d = "Raises the Wisdom of the wearer."}
t[87] = {n = "Headband of Charisma", d = "Raises the Charisma of the wearer."}
t[88] = {n = "Circlet of the Mind", d = "Raises the Intelligence, Wisdom and Charisma of the wearer."}
t[89] = {n = "Cloak of Charisma", d = "Raises the Charisma of the wearer."}
t[90] = {n = "Cloak of Resistance", d = "Raises the Fortitude, Reflex and Will of the wearer."}
t[91] = {n = "Cloak of Spell Resistance", d = "Grants the wearer spell resistance."}
t[92] = {n = "Greater Cloak of Spell Resistance", d = "Grants the wearer higher spell resistance."}
t[93] = {n = "Superior Cloak of Spell Resistance", d = "Grants the wearer very high spell resistance."}
t[94] = {n = "Cloak of Thorns", d = "Raises natural armour; anyone who hits the wearer in melee is pierced by thorns."}
t[95] = {n = "Cloak of Flames", d = "Raises natural armour; anyone who hits the wearer in melee is burned."}
t[96] = {n = "Apprentice Robe", d = "Raises armour class and grants spell resistance."}
t[97] = {n = "Mage Robe", d = "Raises armour class, Fortitude, Reflex and Will, and grants spell resistance."}
t[98] = {n = "Archmage Robe", d = "Greatly raises armour class, raises Fortitude, Reflex and Will, and grants higher spell resistance."}
t[99] = {n = "Robe of the Magister", d = "Vastly raises armour class, raises Fortitude, Reflex and Will, and grants very high spell resistance."}
t[100] = {n = "Gauntlets of Ogre Power", d = "Raises the Strength of the wearer."}
t[101] = {n = "Gloves of Dexterity", d = "Raises the Dexterity of the wearer."}
t[102] = {n = "Bracers of Armour", d = "Raises the armour class of the wearer; it does not stack with worn armour, the higher counts."}
t[103] = {n = "Greater Bracers of Armour", d = "Greatly raises the armour class of the wearer; it does not stack with worn armour, the higher counts."}
t[104] = {n = "Superior Bracers of Armour", d = "Vastly raises the armour class of the wearer; it does not stack with worn armour, the higher counts."}
t[105] = {n = "Gauntlets of Riposte", d = "A chance to strike back at once when a melee attack misses the wearer."}
t[106] = {n = "Greater Gauntlets of Riposte", d = "A good chance to strike back at once when a melee attack misses the wearer."}
t[107] = {n = "Superior Gauntlets of Riposte", d = "A high chance to strike back at once when a melee attack misses the wearer."}
t[108] = {n = "Boots of Speed", d = "Raises the speed of the wearer."}
t[109] = {n = "Boots of the Spider", d = "Raises the speed of the wearer, who is unhindered by webs."}
t[110] = {n = "Boots of the Wind", d = "Greatly raises the speed of the wearer, who is unhindered by webs."}
t[111] = {n = "Boots of the Ranger", d = "Greatly raises the speed of the wearer, who is unhindered by webs or hard ground."}
t[112] = {n = "Amulet of Health", d = "Raises the Constitution of the wearer."}
t[113] = {n = "Amulet of Wisdom", d = "Raises the Wisdom of the wearer."}
t[114] = {n = "Amulet of Natural Armour", d = "Raises the natural armour of the wearer."}
t[115] = {n = "Greater Amulet of Natural Armour", d = "Greatly raises the natural armour of the wearer."}
t[116] = {n = "Superior Amulet of Natural Armour", d = "Vastly raises the natural armour of the wearer."}
t[117] = {n = "Amulet of Luck", d = "Grants the wearer a luck bonus."}
t[118] = {n = "Greater Amulet of Luck", d = "Grants the wearer a higher luck bonus."}
t[119] = {n = "Superior Amulet of Luck", d = "Grants the wearer a very high luck bonus."}
t[120] = {n = "Periapt of Proof against Poison", d = "Makes the wearer immune to poison."}
t[121] = {n = "Ring of Protection", d = "A deflecting field raises the armour class of the wearer."}
t[122] = {n = "Ring of Luck", d = "Grants the wearer a luck bonus."}
t[123] = {n = "Greater Ring of Luck", d = "Grants the wearer a higher luck bonus."}
t[124] = {n = "Superior Ring of Luck", d = "Grants the wearer a very high luck bonus."}
t[125] = {n = "Ring of Energy Resistance", d = "Grants the wearer energy resistance."}
t[126] = {n = "Greater Ring of Energy Resistance", d = "Grants the wearer higher energy resistance."}
t[127] = {n = "Superior Ring of Energy Resistance", d = "Grants the wearer very high energy resistance."}
t[128] = {n = "Ring of Spell Penetration", d = "Helps the wearer overcome enemy spell resistance."}
t[129] = {n = "Greater Ring of Spell Penetration", d = "Helps the wearer overcome enemy spell resistance more easily."}
t[130] = {n = "Superior Ring of Spell Penetration", d = "Helps the wearer overcome enemy spell resistance far more easily."}
t[131] = {n = "Ring of Regeneration", d = "The wearer regains hit points every turn."}
t[132] = {n = "Greater Ring of Regeneration", d = "The wearer regains hit points every turn, gains more from healing spells and is patched up at once when first wounded."}
t[133] = {n = "Superior Ring of Regeneration", d = "The wearer regenerates swiftly, gains more from healing spells, and is healed once when first wounded and once at half hit points."}
t[134] = {n = "Ring of the Healer", d = "The positive energy spells of the wearer heal more, also when they heal the wearer, and deal more damage to undead."}
t[135] = {n = "Ring of the Elements", d = "Raises the elemental damage the spells of the wearer deal."}
t[136] = {n = "Stone of Strength", d = "A gem that circles its owner and raises Strength."}
t[137] = {n = "Stone of Dexterity", d = "A gem that circles its owner and raises Dexterity."}
t[138] = {n = "Stone of Constitution", d = "A gem that circles its owner and raises Constitution."}
t[139] = {n = "Stone of Intelligence", d = "A gem that circles its owner and raises Intelligence."}
t[140] = {n = "Stone of Wisdom", d = "A gem that circles its owner and raises Wisdom."}
t[141] = {n = "Stone of Charisma", d = "A gem that circles its owner and raises Charisma."}
t[142] = {n = "Stone of the Body", d = "Raises Strength, Dexterity and Constitution."}
t[143] = {n = "Stone of the Mind", d = "Raises Intelligence, Wisdom and Charisma."}
t[144] = {n = "Stone of Perfection", d = "Raises every ability."}
t[145] = {n = "Stone of Deflection", d = "A deflecting field raises armour class."}
t[146] = {n = "Stone of Resistance", d = "Raises Fortitude, Reflex and Will."}
t[147] = {n = "Stone of Luck", d = "Grants a luck bonus."}
t[148] = {n = "Greater Stone of Luck", d = "Grants a higher luck bonus."}
t[149] = {n = "Superior Stone of Luck", d = "Grants a very high luck bonus."}
t[150] = {n = "Stone of Antitoxin", d = "Makes its owner immune to poison."}
t[151] = {n = "Stone of Regeneration", d = "Its owner regains hit points every turn."}
t[152] = {n = "Greater Stone of Regeneration", d = "Its owner regains hit points every turn, gains more from healing spells and is patched up at once when first wounded."}
t[153] = {n = "Superior Stone of Regeneration", d = "Its owner regenerates swiftly, gains more from healing spells, and is healed once when first wounded and once at half hit points."}
t[154] = {n = "Air Elemental Gem", d = "Summons an air elemental to help when battle begins; of several elemental gems worn, only the highest-level one summons."}
t[155] = {n = "Fire Elemental Gem", d = "Summons a fire elemental to help when battle begins; of several elemental gems worn, only the highest-level one summons."}
t[156] = {n = "Water Elemental Gem", d = "Summons a water elemental to help when battle begins; of several elemental gems worn, only the highest-level one summons."}
t[157] = {n = "Earth Elemental Gem", d = "Summons an earth elemental to help when battle begins; of several elemental gems worn, only the highest-level one summons."}
t[158] = {n = "Holy Symbol", d = "Raises the damage and healing of the positive energy spells of its owner."}
t[159] = {n = "Unholy Symbol", d = "Raises the damage and healing of the negative energy spells of its owner (not the slaying spells)."}
t[160] = {n = "Tome of Strength", d = "A book about Strength. It cannot be read in the game and does nothing; it is worth only its sale price."}
t[161] = {n = "Tome of Dexterity", d = "A book about Dexterity. It cannot be read in the game and does nothing; it is worth only its sale price."}
t[162] = {n = "Tome of Constitution", d = "A book about Constitution. It cannot be read in the game and does nothing; it is worth only its sale price."}
t[163] = {n = "Tome of Intelligence", d = "A book about Intelligence. It cannot be read in the game and does nothing; it is worth only its sale price."}
t[164] = {n = "Tome of Wisdom", d = "A book about Wisdom. It cannot be read in the game and does nothing; it is worth only its sale price."}
t[165] = {n = "Tome of Charisma", d = "A book about Charisma. It cannot be read in the game and does nothing; it is worth only its sale price."}

-- Ammunition
t[166] = {n = "Arrows", d = "Arrows for bows, kept in a quick slot."}
t[167] = {n = "Bolts", d = "Bolts for crossbows, kept in a quick slot."}
t[168] = {n = "Sling Bullets", d = "Bullets for slings, kept in a quick slot."}

-- Consumables
t[169] = {n = "Healing Kit", d = "Bandages and salves. It cannot be used in the game and does nothing; it is worth only its sale price."}
t[170] = {n = "Alchemist Fire", d = "A flask that bursts into flame in the air. It cannot be thrown or used in the game; it is worth only its sale price."}
t[171] = {n = "Frost Flask", d = "A flask of bitterly cold liquid. It cannot be thrown or used in the game; it is worth only its sale price."}
t[172] = {n = "Acid Flask", d = "A flask of acid. It cannot be thrown or used in the game; it is worth only its sale price."}
t[173] = {n = "Holy Water", d = "Blessed water. It cannot be thrown or used in the game; it is worth only its sale price."}
t[174] = {n = "Tanglefoot Bag", d = "A bag of sticky goo. It cannot be thrown or used in the game; it is worth only its sale price."}
t[175] = {n = "Smokestick", d = "A stick that gives off thick smoke. It cannot be thrown or used in the game; it is worth only its sale price."}
t[176] = {n = "Silver Dust", d = "A pouch of silver dust. It cannot be used in the game and does nothing for a weapon; it is worth only its sale price."}
t[177] = {n = "Adamantine Dust", d = "A pouch of adamantine dust. It cannot be used in the game and does nothing for a weapon; it is worth only its sale price."}

-- Exotic weapons
t[178] = {n = "Venom Whip", d = "A long whip soaked in venom that deals poison damage; with Weapon Finesse it uses Dexterity."}
t[179] = {n = "Net", d = "A net thrown at a foe; it only deals damage and holds no one fast. Used from the quick slots only; it never lands critical hits."}
