-- Run first, with AppPath (the program folder) and Lang set by the program.
-- Defines the table strs that the rules enum tables read, and the language's
-- word space, comma and full stop.
strs = {}
_wsp = " "
_cma = "，"
_dot = "。"
