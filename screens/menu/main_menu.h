#pragma once
// The main menu, the first scene the program shows, and the two scene
// switches between it and the arena.
#include <utility>
#include <vector>

#include "app/scene.h"
#include "app/str.h"
#include "app/types.h"

class rtext_t;

class main_menu_scene_t : public scene_t {
public:
    // The about text at the screen's bottom, as last drawn (at the screen's origin).
    virtual const rtext_t& about() const = 0;
};

// Where the logo of that size goes on a screen: centred above the menu's
// middle band of 320 pixels, shrunk to the room there; a height of 0 or less
// (a screen lower than 320 pixels) is not drawn.
rect logo_rect(const size& scr, const size& img);

// The images (get_img's names) and the texts with their fonts that the
// menu's first frame draws, for the start-up to load while the window opens.
std::vector<const wchar_t*> main_menu_imgs();
std::vector<std::pair<int, Str>> main_menu_texts();

main_menu_scene_t* new_main_menu_scene();
// Null until the main menu is first made; again null once it is deleted.
main_menu_scene_t* get_main_menu_scene();

// Push the singleton scene, making and registering it on first use.
void goto_main_menu();
void goto_arena();
