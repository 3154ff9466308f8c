#include "ghostscript.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace ovqinspect {
namespace {

struct GhostscriptRun {
  int status = -1;     // exit status, -1 when it could not run or was killed
  std::string output;  // standard output and standard error together
};

GhostscriptRun RunGhostscript(std::vector<std::string> args) {
  GhostscriptRun run;
  args.insert(args.begin(), {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"});
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return run;
  pid_t pid = fork();
  if (pid < 0) {
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    return run;
  }
  if (pid == 0) {
    dup2(pipe_fds[1], 1);
    dup2(pipe_fds[1], 2);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    execvp("gs", argv.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipe_fds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, static_cast<size_t>(n));
  close(pipe_fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

bool Failed(const GhostscriptRun& run, std::string& error) {
  if (run.status == 127) {
    error = "Ghostscript (gs) could not be started";
  } else if (run.status != 0 || run.output.find("Error:") != std::string::npos) {
    error = "Ghostscript failed on the stream:\n" + run.output;
  } else {
    return false;
  }
  return true;
}

}  // namespace

int CountPages(const std::string& path, std::string& error) {
  GhostscriptRun run = RunGhostscript({"-sDEVICE=bbox", path});
  if (Failed(run, error)) return -1;
  int pages = 0;
  for (size_t at = run.output.find("%%BoundingBox:"); at != std::string::npos;
       at = run.output.find("%%BoundingBox:", at + 1)) {
    ++pages;
  }
  return pages;
}

int RenderPages(const std::string& path, const std::string& folder, int dpi, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder + ": " + ec.message();
    return -1;
  }
  GhostscriptRun run = RunGhostscript(
      {"-sDEVICE=png16m", "-r" + std::to_string(dpi), "-sOutputFile=" + folder + "/page-%03d.png", path});
  if (Failed(run, error)) return -1;
  int pages = 0;
  char name[32];
  for (;;) {
    std::snprintf(name, sizeof name, "/page-%03d.png", pages + 1);
    if (!std::filesystem::exists(folder + name)) break;
    ++pages;
  }
  return pages;
}

}  // namespace ovqinspect
