-- Help: the title of the dialog and its tree of topics. An indent of 1 puts a topic
-- under the one before it; a negative indent climbs back up.
-- The topics keyed race, cls, abi, feat and spl list the rows of the rules tables under them.
help = {
    n = "Help",
    items = {
        {k = "intro", n = "About the Game", d = "Tarnwick is a turn-based tactical role-playing game.\n\nGather a party of one to six adventurers and take on the challenges of the arena. Every fight is played on a square grid, the two sides acting in initiative order. Victory brings experience, gold and loot, which the arena shop turns into better equipment.\n\nRest the mouse on a name or an icon to read more about it."},
        {k = "rules", n = "Rules", d = "The game uses d20 rules: most checks roll a twenty-sided die, add a bonus and compare the total with a defence of the target; meeting or beating it succeeds. A natural 20 always succeeds and a natural 1 always fails."},
        {k = "abi", n = "Abilities", indent = 1, d = "Every character has six abilities. Each 2 points above 10 give +1 to the modifier, each 2 points below give -1.\n\nEvery fourth level raises the key ability of the build by 1; every tenth level raises every ability by 1."},
        {k = "race", n = "Races", d = "The race sets the size, speed, ability adjustments and inborn powers of a character."},
        {k = "cls", n = "Classes", d = "The class sets the hit points, defence bonuses, the powers a character may learn and how it casts spells."},
        {k = "feat", n = "Feats", d = "Feats are the techniques a character learns. Every character gains a general feat at level 1 and at every odd level; fighters also gain a combat feat at even levels. Many feats need other feats first, or a certain level or ability score."},
        {k = "spl", n = "Spells", d = "Clerics and wizards cast spells. Spells come in circles: a first-circle spell can be learned at level 1, and each circle after that needs two more levels. Casters in armour risk spell failure."},
        {k = "battle", n = "Battle", indent = -1, d = "When battle begins every unit rolls initiative and they act from highest to lowest. Each turn allows a move action and a standard action, or one action that takes the whole turn."},
        {k = "actions", n = "Actions", indent = 1, d = "Pick a power on the action bar: the map marks the targets you may choose, and a left click gives the order. Move actions walk, swap weapons or stand up; standard actions attack or cast; full-round actions use up the whole turn."},
        {k = "aoo", n = "Attacks of Opportunity", d = "A unit threatens the cells around it. An enemy that leaves a threatened cell, shoots or casts next to it takes an attack of opportunity."},
        {k = "defs", n = "Defences", d = "Weapon attacks go against armour class; spells and special attacks against Fortitude, Reflex or Will; combat manoeuvres against combat manoeuvre defence."},
        {k = "conds", n = "Conditions", d = "Conditions are lasting effects on a unit, such as slowed, prone, stunned or bleeding. Some can be resisted with a defence; some wear off after a number of rounds."},
        {k = "items", n = "Items", indent = -1, d = "Items sit in the bag of the party; drag one onto a slot of a character to equip it. Magic items carry an enhancement bonus and enchantments, and the colour of the name tells the rarity: white common, blue magic, violet rare, gold epic, orange legendary, red relic."},
        {k = "arena", n = "Arena", d = "The arena offers challenges of different difficulty. The harder the challenge, the stronger the foes and the richer the reward. Between fights, buy and sell equipment in the shop and arrange the party in the party manager."},
        {k = "credits", n = "Credits", d = "Tarnwick is made by the Tarnwick team.\n\nThe fonts, music and sounds of the game come from free software packages; CREDITS.txt in the game folder names each of them."},
    },
}
