-- Run first, with AppPath (the program folder) and Lang set by the program.
-- Sets the language's word space, comma and full stop, and fills the table
-- strs from the language's strs.lua: the enum tables and the power texts are
-- read from it at start-up without running any file.
local punct = {
    cn = {" ", "，", "。"},
    en = {" ", ",", "."},
}
local p = punct[Lang] or punct.cn
_wsp, _cma, _dot = p[1], p[2], p[3]

strs = {}

-- This file's own folder, so a text folder moved elsewhere still finds its languages.
local here = debug.getinfo(1, "S").source:match("^@(.*[/\\])") or ((AppPath or "") .. "text/")
local path = here .. (Lang or "cn") .. "/strs.lua"
-- A language without strs.lua (or with something other than a file in its
-- place, which is never opened) keeps the table empty; a broken one fails.
local chunk, err = loadfile(path)
if chunk then
    chunk()
elseif not err:find("^cannot open ") then
    error(err, 0)
end
