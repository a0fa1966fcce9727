#include "tests/support/cli_run.h"

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace relivo::prueba {

SalidaCli CorrerCli(const std::vector<std::string>& argumentos, const std::string& entrada,
                    const std::string& carpeta) {
    // A program that stops reading its input early must not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    std::array<int, 2> in{}, out{}, err{};
    if (pipe(in.data()) != 0 || pipe(out.data()) != 0 || pipe(err.data()) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, in[0], 0);
    posix_spawn_file_actions_adddup2(&acciones, out[1], 1);
    posix_spawn_file_actions_adddup2(&acciones, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&acciones, fd);
    if (!carpeta.empty()) posix_spawn_file_actions_addchdir_np(&acciones, carpeta.c_str());

    // RELIVO_CLI in the environment runs another build of the program (for
    // example an older one, to record outputs before a change).
    const char* otro = std::getenv("RELIVO_CLI");
    const std::string programa = otro != nullptr ? otro : RELIVO_CLI;
    std::vector<std::string> copia{programa};
    copia.insert(copia.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (std::string& a : copia) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int r = posix_spawn(&pid, programa.c_str(), &acciones, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (r != 0) throw std::runtime_error("posix_spawn");

    // Feed standard input and drain both outputs together, so that neither
    // side blocks on a full pipe.
    SalidaCli s;
    size_t escrito = 0;
    if (entrada.empty()) close(in[1]);
    std::array<pollfd, 3> fds{pollfd{out[0], POLLIN, 0}, pollfd{err[0], POLLIN, 0},
                              pollfd{entrada.empty() ? -1 : in[1], POLLOUT, 0}};
    std::array<char, 65536> buf{};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("poll");
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            const ssize_t n = read(fds[k].fd, buf.data(), buf.size());
            if (n <= 0) {
                close(fds[k].fd);
                fds[k].fd = -1;
            } else {
                (k == 0 ? s.salida : s.errores).append(buf.data(), static_cast<size_t>(n));
            }
        }
        if (fds[2].fd >= 0 && fds[2].revents != 0) {
            const ssize_t n = (fds[2].revents & POLLOUT)
                                  ? write(in[1], entrada.data() + escrito, entrada.size() - escrito)
                                  : -1;
            if (n > 0) escrito += static_cast<size_t>(n);
            if (n <= 0 || escrito == entrada.size()) {
                close(in[1]);
                fds[2].fd = -1;
            }
        }
    }
    int st = 0;
    waitpid(pid, &st, 0);
    s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return s;
}

}  // namespace relivo::prueba
