// Runs the bench program again as a fresh process, for work that is to find
// the process as a user's first load finds it; the process writes its
// result where its arguments say.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

// True when this program, run again with `args`, ended with status 0.
inline bool runThisProgramAgain(const std::vector<std::string>& args)
{
    std::vector<char*> argv = {const_cast<char*>("bench")};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
