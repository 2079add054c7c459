#pragma once
// The battle log's box: a strip docked at the bottom of its parent in three
// modes: 1, ten lines of bare text floating over the map that clicks pass
// through; 2, a five-line box; 3, the whole parent.
#include "ui/memo_ctrl.h"

enum : int { LOG_FLOAT = 1, LOG_STRIP = 2, LOG_FULL = 3 };

class log_memo_t : public memo_ctrl_t {
public:
    log_memo_t();

    // With relayout the parent lays its children out again and the memo
    // scrolls to its end. Mode 3 is not remembered as the mode to go back to.
    virtual void set_mode(int mode, bool relayout);
    virtual int get_mode() const { return mode_; }
    // Mode 3, or back from it to the mode before.
    virtual void toggle();

    void paint() override;
    void draw_text() override;

private:
    int prev_ = LOG_STRIP;
    int mode_ = LOG_STRIP;
};

// A registered log memo in mode 2 (not yet laid out), child of parent.
log_memo_t* new_log_memo(wnd_t* parent);
