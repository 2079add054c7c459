#pragma once
// The arena's campaign: the batch of challenges an arena record stands for,
// the fee a fight costs, and what a fight, a beaten challenge and a new floor
// write into the record. The hub presents them.
#include <vector>

#include "battle/enc.h"

struct arena_rec_t;

// The batch a record stands for: difficulties 1, 2, 3 and up to three more
// rolled ones, sorted, each an encounter for the batch's level and size. The
// same record always gives the same batch, whatever the game's generator
// holds; that generator moves on by one draw, as around every seeded section.
std::vector<enc_t> gen_batch(const arena_rec_t& rec);
// The arena master's fight before a new batch: hard, a den tried first.
enc_t arena_master_enc(int lv, int size);

// Takes the fight's fee from the party's gold, enough or not (the funds may
// go below 0), and answers it.
int arena_take_fee();
// A fight's end in the record: a win or a loss counts, an aborted fight not.
void arena_count_fight(arena_rec_t& a, int btl_state);
bool arena_is_beaten(const arena_rec_t& a, int i);
// Every challenge of a batch of n is beaten: the batch may be changed.
bool arena_batch_beaten(const arena_rec_t& a, int n);
// Challenge i won. The first win counts it beaten, after the shop's restock
// rule has looked at the challenges beaten before it; a win again adds nothing.
void arena_beat_challenge(arena_rec_t& a, int i);
// The arena master beaten: a new batch for that level and size, one floor up,
// and one more challenge beaten.
void arena_next_floor(arena_rec_t& a, int lv, int size);
