#pragma once
// The arena hub scene.
#include "app/scene.h"

class arena_scene_t : public scene_t {};

arena_scene_t* new_arena_scene();
// Null until the arena is first made; again null once it is deleted.
arena_scene_t* get_arena_scene();
