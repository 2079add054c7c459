-- Classes. The code sets the key of every row.
clss = {
    {n = "Fighter", d = "A seasoned warrior. High hit points per level and +2 to Fortitude; proficient with all armour and shields, simple weapons, swords and bows; an extra combat feat at level 1 and another at every even level."},
    {n = "Cleric", d = "A servant of the gods who casts with Wisdom. +2 to Will, spell resistance +5; proficient with simple weapons, hammers, light and heavy shields and all armour; turns undead; a cleric you create gains an extra feat at level 1 (the premade clerics do not get this one), and another at every third level; learns every divine spell within reach at each odd level."},
    {n = "Wizard", d = "A scholar of the arcane who casts with Intelligence. +2 to Will, spell resistance +5, few hit points; proficient with simple weapons and crossbows; an extra spell feat at level 1 and every fifth level, and a new spell at every level."},
    {n = "Warrior", d = "A soldier with less training than a fighter, and slightly fewer hit points per level."},
    {n = "Priest", d = "A lesser servant of the gods, with less spell resistance and fewer hit points than a cleric."},
    {n = "Shaman", d = "A caster of the tribes, with less spell resistance than a wizard."},
    {n = "Commoner", d = "An ordinary person with no training for battle."},
    {n = "None", d = "Beasts, constructs and other creatures without a class."},
}
