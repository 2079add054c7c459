-- Preset builds. The code sets the key of every row.
builds = {
    {n = "Two-Handed Fighter", d = "A half-orc fighter who deals heavy blows with a two-handed weapon."},
    {n = "Shield Guard", d = "A dwarf fighter in armour and shield who holds the front line."},
    {n = "Two-Weapon Fighter", d = "An elf fighter with a weapon in each hand and a flurry of blows."},
    {n = "Archer", d = "An elf fighter who shoots enemies down from afar with a longbow."},
    {n = "Healer", d = "A human cleric devoted to healing and supporting the party."},
    {n = "War Priest", d = "A human cleric who heals allies and also wades in with a mace."},
    {n = "Undead Hunter", d = "A human cleric whose strong turning breaks the undead."},
    {n = "Controller", d = "A gnome wizard who rules the field with sleep, grease and webs."},
    {n = "Elementalist", d = "An elf wizard who destroys enemies with fire, frost and lightning."},
    {n = "Summoner", d = "A human wizard who calls creatures to fight in their place."},
    {n = "One-Handed", d = "The build of many monsters, whatever they fight with: the gear of the monster decides its weapons, the build how its abilities and feats grow."},
    {n = "Natural Weapons", d = "A monster that fights with claws and fangs."},
    {n = "Many Natural Weapons", d = "A monster with several natural weapons, though it attacks with the first of them only."},
    {n = "Sorcerer", d = "A born caster who casts with Charisma."},
}

-- The build whose every choice the player makes.
custom_build = {n = "Custom", d = "You choose race, class, abilities, feats and spells yourself."}
