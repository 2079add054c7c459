// The start-up benchmark's yardstick: the least an SDL program does to show a
// frame. It opens a window of the game's size, presents once as the game's
// renderer would, says "presented" and quits.
#include <SDL.h>

#include <cstdio>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL could not start: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* w =
        SDL_CreateWindow("first frame", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720, SDL_WINDOW_SHOWN);
    SDL_Renderer* r = w ? SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC) : nullptr;
    if (w && !r) r = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);
    if (!r) {
        std::fprintf(stderr, "no renderer: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetRenderDrawColor(r, 32, 32, 40, 255);
    SDL_RenderClear(r);
    SDL_RenderPresent(r);
    std::printf("presented\n");
    std::fflush(stdout);
    SDL_DestroyRenderer(r);
    SDL_DestroyWindow(w);
    SDL_Quit();
    return 0;
}
