// Runs a program (usually build/bin/ovqfilter) as CUPS would: arguments,
// environment, standard input; captures standard output, standard error and
// the exit status.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct RunSpec {
  std::string program = {};
  std::vector<std::string> args = {};  // argv[1..]; argv[0] is the program
  // When set, the child process runs this entry (a program's main) in place of
  // `program`: for arguments longer than the kernel passes to a program.
  std::function<int(int, char**)> entry = {};
  // Variables to set (value) or to remove (nullopt) on top of this process's environment.
  std::map<std::string, std::optional<std::string>> env = {};
  std::string stdin_data = {};
  // When set: once standard output contains `signal_marker`, `signal_number`
  // is sent to the program, then `stdin_after_signal` is written.
  std::string signal_marker = {};
  int signal_number = 0;
  std::string stdin_after_signal = {};
  // Close our end of the program's standard output at once (broken pipe).
  bool close_stdout = false;
  // When set, the program's standard output is this file (for example /dev/full).
  std::string stdout_file = {};
  // When above 0, the largest file the program may write (RLIMIT_FSIZE), with
  // SIGXFSZ ignored: a write beyond it fails with EFBIG.
  long file_size_limit = 0;
};

struct RunResult {
  std::string out;
  std::string err;
  int exit_status = -1;  // -1 when the program was killed by a signal
  int term_signal = 0;
};

RunResult RunProgram(const RunSpec& spec);
// Runs `program` (a full path) with `args` to its end.
RunResult RunTool(const std::string& program, const std::vector<std::string>& args);

// build/bin/<name>
std::string BinaryPath(const std::string& name);
// <source>/<relative>
std::string SourcePath(const std::string& relative);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);

// A fresh folder under TMPDIR (or /tmp), removed with its content at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};
