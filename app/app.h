#pragma once
// Program entry: start-up, the frame loop and shutdown. Returns the process result.
int app_main(int argc, char** argv);
