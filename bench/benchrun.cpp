// Runs one program with its standard input from a file and its standard output
// into a pipe to a reader that discards everything. Prints the wall time of the
// whole pipeline in seconds, the program's peak resident memory in KiB (from
// the kernel's accounting), its peak private (anonymous) memory in KiB, and
// its exit status. The private memory is sampled every millisecond only with
// -m (a run for memory, whose time is not meant to be compared; 0 otherwise).
//   benchrun [-m] <input file> <program> [arguments...]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

[[noreturn]] void Discard(int fd) {
  static char buffer[1 << 20];
  while (read(fd, buffer, sizeof buffer) > 0) {
  }
  _exit(0);
}

// RssAnon of a running process in KiB, or 0.
long PrivateKiB(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
  FILE* status = std::fopen(path, "r");
  if (status == nullptr) return 0;
  char line[256];
  long kib = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "RssAnon:", 8) == 0) kib = std::atol(line + 8);
  }
  std::fclose(status);
  return kib;
}

}  // namespace

int main(int argc, char* argv[]) {
  bool sample = argc > 1 && std::strcmp(argv[1], "-m") == 0;
  if (sample) {
    --argc;
    ++argv;
  }
  if (argc < 3) {
    std::fputs("usage: benchrun [-m] <input file> <program> [arguments...]\n", stderr);
    return 2;
  }
  int input = open(argv[1], O_RDONLY);
  int null = open("/dev/null", O_WRONLY);
  int pipe_fds[2];
  if (input < 0 || null < 0 || pipe(pipe_fds) != 0) {
    std::perror("benchrun");
    return 1;
  }
  double start = Now();
  pid_t reader = fork();
  if (reader == 0) {
    close(pipe_fds[1]);
    Discard(pipe_fds[0]);
  }
  pid_t program = fork();
  if (program == 0) {
    dup2(input, 0);
    dup2(pipe_fds[1], 1);
    dup2(null, 2);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  close(pipe_fds[0]);
  close(pipe_fds[1]);
  int status = 0;
  rusage usage{};
  long peak_private = 0;
  if (sample) {
    while (wait4(program, &status, WNOHANG, &usage) == 0) {
      long now = PrivateKiB(program);
      if (now > peak_private) peak_private = now;
      usleep(1000);
    }
  } else {
    wait4(program, &status, 0, &usage);
  }
  waitpid(reader, nullptr, 0);
  double elapsed = Now() - start;
  std::printf("%.3f %ld %ld %d\n", elapsed, usage.ru_maxrss, peak_private,
              WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
