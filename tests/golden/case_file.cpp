#include "case_file.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "escapes.h"

namespace {

std::string HostName96() {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return std::string(host).substr(0, 96);
}

std::string Substitute(std::string text) {
  const std::string marker = "@HOSTNAME@";
  const std::string host = HostName96();
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + host.size())) {
    text.replace(at, marker.size(), host);
  }
  return text;
}

}  // namespace

GoldenCase ParseGoldenCase(const std::string& name, const std::string& text) {
  GoldenCase c;
  c.name = name;
  std::istringstream in(text);
  std::string line;
  std::string* section = nullptr;
  while (std::getline(in, line)) {
    if (line == "--- stdout") {
      section = &c.expected_out;
      continue;
    }
    if (line == "--- stderr") {
      section = &c.expected_err;
      continue;
    }
    if (section != nullptr) {
      *section += line + "\n";
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    size_t colon = line.find(": ");
    if (colon == std::string::npos) throw std::runtime_error(name + ": bad line: " + line);
    std::string key = line.substr(0, colon);
    std::string value = line.substr(colon + 2);
    if (key == "ppd")
      c.ppd = value;
    else if (key == "arg")
      c.args.push_back(Unescape(value));
    else if (key == "input")
      c.input_file = value;
    else if (key == "stdin")
      c.stdin_file = value;
    else if (key == "status")
      c.status = std::stoi(value);
    else if (key == "signal-after")
      c.signal_after = Unescape(value);
    else if (key == "signal")
      c.signal_number = std::stoi(value);
    else if (key == "stdin-after-signal")
      c.stdin_after_signal_file = value;
    else if (key == "close-stdout")
      c.close_stdout = value == "yes";
    else if (key == "env") {
      size_t eq = value.find('=');
      c.env[value.substr(0, eq)] = eq == std::string::npos ? "" : value.substr(eq + 1);
    } else {
      throw std::runtime_error(name + ": unknown key " + key);
    }
  }
  c.expected_out = Substitute(Unescape(c.expected_out));
  c.expected_err = Substitute(Unescape(c.expected_err));
  return c;
}

std::vector<std::string> GoldenCaseNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
