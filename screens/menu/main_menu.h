#pragma once
// The main menu, the first scene the program shows, and the two scene
// switches between it and the arena.
#include "app/scene.h"

class main_menu_scene_t : public scene_t {};

main_menu_scene_t* new_main_menu_scene();
// Null until the main menu is first made; again null once it is deleted.
main_menu_scene_t* get_main_menu_scene();

// Push the singleton scene, making and registering it on first use.
void goto_main_menu();
void goto_arena();
