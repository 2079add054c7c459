-- Creature categories, by the type number of a race.
u_cats = {
    {n = "Vermin", d = "Giant ants, spiders and other bugs. Mindless: immune to fear, madness and charm."},
    {n = "Animal", d = "Wolves, bears, boars and other beasts, with an Intelligence of 2."},
    {n = "Reptile", d = "Cold-blooded beasts such as lizards and basilisks."},
    {n = "Humanoid", d = "Humans, elves, goblins, orcs and the other thinking peoples."},
    {n = "Undead", d = "The dead, driven by negative energy. Immune to poison, bleeding, stunning, sleep, petrification, fear and mind control; negative energy heals them and positive energy harms them."},
    {n = "Construct", d = "Bodies made by magic. Immune to poison, bleeding, stunning, sleep, petrification, fear and mind control, and to positive and negative energy; repair energy heals them."},
    {n = "Elemental", d = "Creatures of the elemental planes. Immune to poison, bleeding, stunning, sleep and petrification, and to repair, positive and negative energy."},
}
