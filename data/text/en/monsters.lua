-- Monster templates. The code sets the key of every row; the name is also the name of the monster unit.
local m = {}
monsters = m

m[1] = {n = "Giant Ant", d = "Seizes its prey in its mandibles, then stings it."}
m[2] = {n = "Worker Ant", d = "A feeble ant that comes in swarms."}
m[3] = {n = "Soldier Ant", d = "An elite ant with a heavy shell."}
m[4] = {n = "Ant Queen", d = "The huge queen at the head of the colony."}
m[5] = {n = "Hunting Spider", d = "A giant spider that stalks its prey and sprays venom all around."}
m[6] = {n = "Web Spider", d = "A giant spider that spins webs to hold distant prey."}
m[7] = {n = "Rat", d = "A rat of no great danger."}
m[8] = {n = "Dire Rat", d = "A heavily built, thick-skinned rat."}
m[9] = {n = "Wolf", d = "Bites at the legs and drags its prey down."}
m[10] = {n = "Worg", d = "A huge and evil wolf."}
m[11] = {n = "Boar", d = "A boar that charges headlong."}
m[12] = {n = "Dire Boar", d = "A huge boar whose charge hurls foes away."}
m[13] = {n = "Black Bear", d = "A bear that mauls its prey with its teeth."}
m[14] = {n = "Dire Bear", d = "A bear far fiercer than any common one."}
m[15] = {n = "Fire Lizard", d = "A lizard wreathed in flame that fears cold."}
m[16] = {n = "Venom Lizard", d = "A lizard that spits poisoned darts."}
m[17] = {n = "Thunder Lizard", d = "A lizard that crackles with lightning and shocks those nearby."}
m[18] = {n = "Basilisk", d = "A reptile whose gaze turns creatures to stone."}
m[19] = {n = "Goblin Grunt", d = "A goblin with a short sword."}
m[20] = {n = "Goblin Shooter", d = "A goblin with a shortbow."}
m[21] = {n = "Goblin Shieldbearer", d = "A goblin with a scimitar and shield."}
m[22] = {n = "Goblin Spearman", d = "A goblin carrying javelins."}
m[23] = {n = "Goblin Cutter", d = "A goblin with a short sword in each hand."}
m[24] = {n = "Goblin Archer", d = "A goblin that shoots from the back."}
m[25] = {n = "Goblin Firecaster", d = "A goblin caster that hurls fireballs."}
m[26] = {n = "Goblin Hexer", d = "A goblin caster of polymorph, lightning and grease."}
m[27] = {n = "Bugbear Shieldbearer", d = "A bugbear with a shield."}
m[28] = {n = "Bugbear Thrower", d = "A bugbear that throws javelins."}
m[29] = {n = "Bugbear Brute", d = "A bugbear swinging a morningstar."}
m[30] = {n = "Bugbear Chief", d = "The vicious leader of the bugbears."}
m[31] = {n = "Hobgoblin Grunt", d = "A hobgoblin with longsword and shield."}
m[32] = {n = "Hobgoblin Soldier", d = "A hobgoblin in scale mail with a flail and a light shield."}
m[33] = {n = "Hobgoblin Archer", d = "A hobgoblin with a longbow."}
m[34] = {n = "Hobgoblin Reaper", d = "A hobgoblin with a sickle in each hand."}
m[35] = {n = "Hobgoblin Priest", d = "A hobgoblin who heals allies and casts searing light and fear."}
m[36] = {n = "Hobgoblin Mage", d = "A hobgoblin caster of web, magic missile and madness."}
m[37] = {n = "Hobgoblin Captain", d = "An elite hobgoblin in heavy armour."}
m[38] = {n = "Hobgoblin Warlord", d = "The leader of the hobgoblins, swinging a heavy flail."}
m[39] = {n = "Kobold Grunt", d = "A kobold with a light pick."}
m[40] = {n = "Kobold Spearman", d = "A kobold carrying javelins."}
m[41] = {n = "Kobold Slinger", d = "A kobold with a sling."}
m[42] = {n = "Kobold Guard", d = "A kobold with a shield that resists the elements."}
m[43] = {n = "Kobold Sorcerer", d = "A kobold who casts with Charisma: fireball, charm and summoning."}
m[44] = {n = "Kobold Dragon Priest", d = "A kobold who spits fire and heals."}
m[45] = {n = "Lizardfolk Grunt", d = "A lizardfolk with a spear."}
m[46] = {n = "Lizardfolk Warrior", d = "A lizardfolk that lashes foes with its tail."}
m[47] = {n = "Lizardfolk Crossbowman", d = "A lizardfolk with poisoned bolts."}
m[48] = {n = "Lizardfolk Shaman", d = "A lizardfolk with a healing aura who conjures grease."}
m[49] = {n = "Lizardfolk Poisoner", d = "A lizardfolk caster of poison darts and poison fog."}
m[50] = {n = "Lizardfolk High Shaman", d = "A lizardfolk leader who spits acid and knows many spells."}
m[51] = {n = "Gnoll Grunt", d = "A gnoll with a light crossbow."}
m[52] = {n = "Gnoll Shieldbearer", d = "A gnoll with spear and shield."}
m[53] = {n = "Gnoll Hunter", d = "A gnoll that rakes foes with its claws."}
m[54] = {n = "Gnoll Archer", d = "A gnoll with poisoned arrows."}
m[55] = {n = "Gnoll Sharpshooter", d = "An elite gnoll that shoots in rapid volleys."}
m[56] = {n = "Gnoll Packlord", d = "The gnoll leader, surrounded by a battle aura."}
m[57] = {n = "Orc Grunt", d = "An orc with a club."}
m[58] = {n = "Orc Archer", d = "An orc with a longbow."}
m[59] = {n = "Orc Axe Thrower", d = "An orc that throws handaxes."}
m[60] = {n = "Orc Berserker", d = "An orc that goes berserk as soon as it is hurt."}
m[61] = {n = "Orc Shaman", d = "An orc who casts with Constitution and raises the dead."}
m[62] = {n = "Orc Champion", d = "An elite orc with a falchion."}
m[63] = {n = "Orc Warlord", d = "The orc leader in full plate, surrounded by a slaughter aura."}
m[64] = {n = "Orog Archer", d = "An orog skilled in rapid shot and manyshot."}
m[65] = {n = "Orog Chieftain", d = "The orog leader, master of the devastating blow."}
m[66] = {n = "Ogre", d = "An ogre swinging a greatclub."}
m[67] = {n = "Ogre Chief", d = "The enormously strong chief of the ogres."}
m[68] = {n = "Troll", d = "A regenerating monster that fears fire and acid."}
m[69] = {n = "Troll Berserker", d = "A troll that beats foes to the ground; while another troll berserker stands beside the foe, every melee hit tears it apart."}
m[70] = {n = "Troll Shaman", d = "A troll leader who casts fireball and fear."}
m[71] = {n = "Wererat", d = "A wererat with a rapier, waiting for a chance to sneak attack."}
m[72] = {n = "Wererat Crossbowman", d = "A wererat with poisoned bolts."}
m[73] = {n = "Werewolf", d = "A werewolf whose bite can trip its prey."}
m[74] = {n = "Werewolf Alpha", d = "A savage elite werewolf."}
m[75] = {n = "Minotaur", d = "A minotaur that gores its foes and hurls them away with its charge."}
m[76] = {n = "Medusa", d = "A medusa who fights with longbow and petrifying gaze."}
m[77] = {n = "Drow Blademaster", d = "An elite drow with a weapon in each hand."}
m[78] = {n = "Drow Crossbowman", d = "A drow who fights with hand crossbows and fear."}
m[79] = {n = "Drow Priestess", d = "A drow priestess with a venom whip and divine spells."}
m[80] = {n = "Drow High Priestess", d = "The drow leader, who summons spiders."}
m[81] = {n = "Militia", d = "An ordinary soldier with a longsword."}
m[82] = {n = "Crossbowman", d = "An ordinary soldier with a light crossbow."}
m[83] = {n = "Acolyte", d = "A human cleric who heals."}
m[84] = {n = "High Priest", d = "A human cleric skilled in healing."}
m[85] = {n = "Battle Mage", d = "A human wizard of lightning bolt, frost nova and charm."}
m[86] = {n = "Elf Archer", d = "An elf skilled in rapid shot and manyshot."}
m[87] = {n = "Elf Sharpshooter", d = "An elite elf whose arrows are imbued with the elements."}
m[88] = {n = "Elf Bladedancer", d = "An elf with a weapon in each hand."}
m[89] = {n = "Dwarf Shieldguard", d = "A dwarf who bashes foes with a shield."}
m[90] = {n = "Dwarf Berserker", d = "A dwarf who sweeps foes aside with a maul."}
m[91] = {n = "Gnome Illusionist", d = "A gnome who puts foes to sleep or drives them mad."}
m[92] = {n = "Halfling Slinger", d = "A halfling that fights in a crowd and is hard to hit."}
m[93] = {n = "Halfling Rogue", d = "A halfling with two daggers, waiting for a chance to sneak attack."}
m[94] = {n = "Halfling Rogue Leader", d = "An elite halfling with two kukris and a taste for sneak attacks."}
m[95] = {n = "Half-Orc Berserker", d = "A half-orc who flies into a blood rage when down to half hit points."}
m[96] = {n = "Skeleton Warrior", d = "A skeleton with scimitar and shield."}
m[97] = {n = "Skeleton Archer", d = "A skeleton with a shortbow."}
m[98] = {n = "Skeleton Minion", d = "A brittle skeleton."}
m[99] = {n = "Skeleton Knight", d = "An elite skeleton in armour with a shield, who kept its wits."}
m[100] = {n = "Zombie", d = "A slow, rotting corpse."}
m[101] = {n = "Plague Zombie", d = "A zombie that carries corpse rot."}
m[102] = {n = "Zombie Brute", d = "A reeking zombie of great strength."}
m[103] = {n = "Ghoul", d = "An undead whose claws may stun, and whose blows on helpless foes strike deep."}
m[104] = {n = "Lesser Ghoul", d = "A feeble ghoul."}
m[105] = {n = "Vampire", d = "An undead that dominates minds with its gaze."}
m[106] = {n = "Vampire Spawn", d = "A newly risen vampire, far weaker than its master."}
m[107] = {n = "Vampire Lord", d = "A mighty vampire noble."}
m[108] = {n = "Lich", d = "An undying wizard, master of frost and necromancy."}
m[109] = {n = "Lich King", d = "The greatest of the liches, who casts finger of death."}
m[110] = {n = "Clay Golem", d = "A golem shaped from clay."}
m[111] = {n = "Stone Golem", d = "A stone golem that shakes the ground; it fears acid."}
m[112] = {n = "Obsidian Golem", d = "An obsidian golem untouched by spells."}
m[113] = {n = "Iron Golem", d = "An iron colossus that breathes poison; it fears lightning and acid."}
m[114] = {n = "Clockwork Guardian", d = "A clockwork construct that repairs its fellows and spins webs."}
m[115] = {n = "Clockwork Destroyer", d = "A clockwork construct with a halberd."}
m[116] = {n = "Air Elemental", d = "A whirlwind fast as lightning."}
m[117] = {n = "Fire Elemental", d = "Living flame."}
m[118] = {n = "Water Elemental", d = "A body of surging water."}
m[119] = {n = "Earth Elemental", d = "A rock-hard giant."}
