#pragma once
// Saved games and saved characters. A slot is a folder named by an eight-digit
// number holding the party file "my.pty" and one unit file per member; each
// mode keeps its slots and a counter file "main.cfg" {next, current}.
// Stand-alone characters are unit files under "saves/pcs/".
#include <cstdint>
#include <vector>

#include "app/sentinels.h"
#include "app/str.h"

class CZsIni;
class unit_t;

constexpr int SLOT_NEW = -999999999;   // a request: the next free slot
constexpr int SLOT_CUR = -UNLIMITED;   // a request: the current slot
constexpr int ARENA_FIRST_SLOT = 10000001;

// Flags of the adventure slot calls.
constexpr int SLOT_WRITE_CFG = 1;
constexpr int SLOT_FILES = 2;

struct slot_cfg_t {
    int32_t next = 0;  // the number the next new slot gets
    int32_t cur = 0;   // the current slot
};

struct slot_info_t {
    int32_t id = 0;
    Str name;  // the party's name
};

// The counter record of a mode, read from its "main.cfg" once per process.
slot_cfg_t& get_adv_cfg();
slot_cfg_t& get_arena_cfg();
// Forgets both records, so the next use reads "main.cfg" again (a test that
// moves the game folder).
void forget_slot_cfgs();
// The slot number of the last load or save.
int cur_slot_id();

Str adv_slot_dir(int n);
Str arena_slot_dir(int n);
Str adv_cur_slot_dir();
Str slot_member_path(const wchar_t* folder, int i);
// The slot folders directly under folder, in ascending order: names of exactly
// eight digits (other names are not slots).
std::vector<int> list_slot_ids(const wchar_t* folder);
// Every arena slot with its party's name; slots whose party file cannot be read are left out.
std::vector<slot_info_t> list_arena_slots();

// The global party from a slot folder. On any failure (a missing or damaged
// party file, a member file that cannot be read, a member missing before
// another) false, and the party is unchanged.
bool load_slot_dir(const wchar_t* folder);
// The global party into a slot folder, as one unit: a kill at any moment
// leaves the whole old save or the whole new one. Files of the old folder that
// no load reads are never deleted: they stay in "<folder>.kept".
bool save_slot_dir(const wchar_t* folder);
// Start-up: finishes or undoes every slot save a kill interrupted and removes
// the temporary files saving leaves ("<name>.tmp" of save files).
void settle_saves();

bool load_adv_slot(int n, int flags);
bool save_adv_slot(int n, int flags);

// What loading an arena slot met, for the message the caller shows.
struct slot_load_t {
    int wanted = 0;            // the slot asked for
    bool cfg_damaged = false;  // "main.cfg" is there but could not be read
    bool missing = false;      // the folder of the slot asked for was gone
    bool damaged = false;      // the slot asked for did not load whole
    std::vector<Str> unread;   // files of the slot that could not be read (or are missing between members)
    bool salvaged = false;     // what could be read was loaded and saved into the slot again
    Str kept;                  // the damaged folder's new place, relative to the game folder; empty when none
    bool new_game = false;     // nothing was left to load: a new game began
    int got = 0;               // the slot current now
};

// Entering the arena: the slot, or the first one found when it is gone, or a
// new game. A slot that does not load whole is never written over: its folder
// is moved aside whole to "<n>.damaged" ("<n>.damaged2", ...), and what could
// be read of it (the party file, else a new game's party data, and every
// member file that reads) is saved as slot n again; when nothing could be
// read, the first other slot or a new game is taken. What happened is in *what.
bool load_arena_slot(int n, slot_load_t* what = nullptr);
bool save_arena_slot(int n);
bool new_arena_game();

// "saves/pcs/%08d.pc" in the game folder.
Str pc_file_path(int id);
// The id for a new stand-alone character: "next_pc_id" of section "Main"
// (default 100; a value past eight digits starts from 100 again), moved past
// every id whose file exists; the key is set past it. 0 when no id is free.
// min_id (1 to eight digits; others are ignored): the key is first raised to it.
int take_next_pc_id(CZsIni& cfg, int min_id = 0);
int take_next_pc_id();
// A unit file, its folder made when missing; false when it could not be
// written (the old file is then kept).
bool save_unit_file(const wchar_t* path, const unit_t& u);
// False when the file is missing, damaged, truncated or longer than one unit; u is then unchanged.
bool load_unit_file(const wchar_t* path, unit_t& u);
