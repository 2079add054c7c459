-- Forced effects a hit can carry. The code sets the keys; the target resists with its combat manoeuvre defence.
effs = {
    {n = "Knockback", d = "Knocks the target back one cell."},
    {n = "Knockdown", d = "Knocks the target back one cell and to the ground."},
    {n = "Hurl", d = "Knocks the target back two cells and to the ground."},
}
