#pragma once
// The four builders that fill the power registry, in the order init_pwrs runs them.

void build_basic_acts();  // slots 1..15
void build_feats();       // slots 16..118
void build_spells();      // slots 119..143
void build_mon_pwrs();    // slots 144..291
