#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

std::vector<std::string> BuildEnvironment(const RunSpec& spec) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    size_t eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : spec.env) {
    if (value) {
      env[name] = *value;
    } else {
      env.erase(name);
    }
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : env) out.push_back(name + "=" + value);
  return out;
}

void SetNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

}  // namespace

RunResult RunProgram(const RunSpec& spec) {
  signal(SIGPIPE, SIG_IGN);  // a program that stops reading must not kill the test
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe");
  std::vector<std::string> args = {spec.program};
  args.insert(args.end(), spec.args.begin(), spec.args.end());
  std::vector<std::string> env = BuildEnvironment(spec);
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  std::fflush(nullptr);  // a child that runs an entry must not send this process's buffered output
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    dup2(in_pipe[0], 0);
    dup2(spec.stdout_file.empty() ? out_pipe[1] : open(spec.stdout_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
         1);
    dup2(err_pipe[1], 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) close(fd);
    signal(SIGPIPE, SIG_DFL);
    if (spec.file_size_limit > 0) {
      const rlimit limit = {static_cast<rlim_t>(spec.file_size_limit), static_cast<rlim_t>(spec.file_size_limit)};
      setrlimit(RLIMIT_FSIZE, &limit);
      signal(SIGXFSZ, SIG_IGN);
    }
    if (spec.entry) {
      for (const auto& [name, value] : spec.env)
        value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
      const int status = spec.entry(static_cast<int>(args.size()), argv.data());
      std::fflush(stdout);
      _exit(status);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (spec.close_stdout) {
    close(out_pipe[0]);
    out_pipe[0] = -1;
  }
  int in_fd = in_pipe[1];
  SetNonBlocking(in_fd);

  RunResult result;
  std::string pending = spec.stdin_data;
  size_t written = 0;
  bool signal_sent = spec.signal_marker.empty();
  bool second_part_queued = false;
  int out_fd = out_pipe[0], err_fd = err_pipe[0];
  while (out_fd >= 0 || err_fd >= 0) {
    if (in_fd >= 0 && written == pending.size() && signal_sent) {
      if (!second_part_queued && !spec.stdin_after_signal.empty()) {
        pending = spec.stdin_after_signal;
        written = 0;
        second_part_queued = true;
      } else {
        close(in_fd);
        in_fd = -1;
      }
    }
    struct pollfd fds[3] = {
        {in_fd >= 0 && written < pending.size() ? in_fd : -1, POLLOUT, 0}, {out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    if (poll(fds, 3, 100) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0) {
      ssize_t w = write(in_fd, pending.data() + written, pending.size() - written);
      if (w > 0) {
        written += static_cast<size_t>(w);
      } else if (w < 0 && errno != EAGAIN) {
        close(in_fd);
        in_fd = -1;
      }
    }
    // Reads what is there; closes the pipe at its end.
    auto drain = [](const pollfd& polled, int& fd, std::string& text) {
      char buffer[65536];
      if (polled.revents == 0) return;
      ssize_t r = read(fd, buffer, sizeof buffer);
      if (r > 0) {
        text.append(buffer, static_cast<size_t>(r));
      } else if (r == 0 || errno != EAGAIN) {
        close(fd);
        fd = -1;
      }
    };
    drain(fds[1], out_fd, result.out);
    drain(fds[2], err_fd, result.err);
    if (!signal_sent && written == pending.size() && result.out.find(spec.signal_marker) != std::string::npos) {
      kill(pid, spec.signal_number);
      signal_sent = true;
    }
  }
  if (in_fd >= 0) close(in_fd);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
  return result;
}

RunResult RunTool(const std::string& program, const std::vector<std::string>& args) {
  RunSpec spec;
  spec.program = program;
  spec.args = args;
  return RunProgram(spec);
}

std::string BinaryPath(const std::string& name) { return std::string(OVQ_BINARY_DIR) + "/bin/" + name; }

std::string SourcePath(const std::string& relative) { return std::string(OVQ_SOURCE_DIR) + "/" + relative; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream data;
  data << in.rdbuf();
  return data.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/ovqtestXXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
