#pragma once
// The party manager ("创建队伍"): the saved characters ("saves/pcs/%08d.pc",
// the ten premade ones made on first run), new characters through the
// wizard, their appearance, deletion, and a new party of one to six of them.
#include "screens/unit/unit_lists.h"
#include "ui/mgr_dlg.h"

class btn_t;
class edt_t;
class unit_t;

// One saved character: its id (the number of its file) and its unit, owned.
// A file that could not be read is listed as damaged, by its name: it cannot
// be ticked for a party nor edited, only deleted.
struct pc_rec_t {
    int id = 0;
    unit_t* unit = nullptr;
    bool damaged = false;
    Str file;  // the file's name, "%08d.pc"

    pc_rec_t();
    pc_rec_t(const pc_rec_t&) = delete;
    pc_rec_t& operator=(const pc_rec_t&) = delete;
    ~pc_rec_t();
};

// The manager's list: characters drawn as units, each with a check box.
class pc_lv_t : public u_lv_t {
public:
    pc_lv_t();
    unit_t* unit_of(const li_t* it) const override;
    void draw_item(li_t* it, int index, const rect& r, const rect& inner) override;
    static pc_rec_t* rec_of(const li_t* it);
};

class pc_mgr_dlg_t : public mgr_dlg_t {
public:
    virtual btn_t* presets_btn() const = 0;
    virtual edt_t* pty_name_edt() const = 0;
    virtual pc_lv_t* pc_list() const = 0;
};

// Runs the manager; on OK the party becomes copies of the ticked characters
// under the typed name (100 gold each, a new arena record) and the answer is
// true. Otherwise the party is as it was.
bool open_pc_mgr();
// The manager while it runs, else null.
pc_mgr_dlg_t* get_pc_mgr();

// A new character made in the wizard; null when the wizard was cancelled,
// which takes no id. With save the unit is written to its file. min_id: the
// id is at least this (the manager passes one past the highest it lists).
pc_rec_t* new_pc(bool save, int min_id = 0);
// A 160 x 96 titled panel in parent holding a centred 128 x 32 edit box with text; the box.
edt_t* new_name_edit(wnd_t* parent, uint32_t style, const wchar_t* caption, const wchar_t* text);
