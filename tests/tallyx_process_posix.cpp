// SPDX-License-Identifier: MIT
#include "tests/tallyx_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

ProcessRun runTallyx(const std::vector<std::string>& args, const std::filesystem::path& workDir) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const std::filesystem::path errPath = workDir / ".stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        const int errFd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(errFd, 2);
        close(errFd);
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (chdir(workDir.c_str()) != 0) _exit(127);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("XDG_DATA_HOME", workDir.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(TALLYX_PATH));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(TALLYX_PATH, argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    ProcessRun run;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    err.close();
    std::filesystem::remove(errPath);
    return run;
}

long processId() { return static_cast<long>(getpid()); }
