// Times one start of a program: from just before it is started to the line
// "presented" on its standard output, in milliseconds ("total MS"); the lines
// "step NAME MS" it printed before are passed on. Used by bench/startup.sh.
//   startup_time PROGRAM [ARG ...]
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_time PROGRAM [ARG ...]\n");
        return 2;
    }
    int out[2];
    if (pipe(out) != 0) return 1;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    close(out[1]);
    FILE* in = fdopen(out[0], "r");
    char line[512];
    double total = -1;
    while (in && std::fgets(line, sizeof line, in)) {
        if (total < 0 && std::strncmp(line, "presented", 9) == 0)
            total = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        else if (std::strncmp(line, "step ", 5) == 0)
            std::fputs(line, stdout);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (total < 0) {
        std::fprintf(stderr, "%s never said \"presented\"\n", argv[1]);
        return 1;
    }
    std::printf("total %.2f\n", total);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
