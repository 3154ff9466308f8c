#include "inspect.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <pugixml.hpp>

namespace ovqinspect {
namespace {

constexpr std::string_view kPJLPrefix = "@PJL";
constexpr std::string_view kPageComment = "%%Page:";

// Settings whose values are credentials.
constexpr std::array<std::string_view, 3> kSecretNames = {"HOLDENCRYPTKEY", "BOXENCRYPTKEY", "@JOEP"};

bool IsSecret(std::string_view name) {
  return std::find(kSecretNames.begin(), kSecretNames.end(), name) != kSecretNames.end();
}

std::string Hex(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

// NAME=VALUE into its two parts; false without "=".
bool SplitAssignment(std::string_view text, std::string_view& name, std::string_view& value) {
  size_t eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  name = text.substr(0, eq);
  value = text.substr(eq + 1);
  return true;
}

class Reader {
 public:
  explicit Reader(std::string_view stream) : stream_(stream) {}

  Inspection Run() {
    size_t pos = ReadTicket();
    if (pos == std::string_view::npos) return std::move(result_);
    pos = ReadHeader(pos + kUEL.size());
    ReadPostScriptAndTrailer(pos);
    return std::move(result_);
  }

 private:
  void Error(size_t offset, std::string message) { result_.errors.push_back({offset, std::move(message)}); }

  // Returns the offset of the first exit language sequence, or npos when there is none.
  size_t ReadTicket() {
    size_t uel = stream_.find(kUEL);
    if (uel == std::string_view::npos) {
      Error(0, "no universal exit language sequence (ESC %-12345X) in the stream");
      return std::string_view::npos;
    }
    result_.pjl_offset = uel;
    if (uel == 0) return 0;
    std::string_view ticket = stream_.substr(0, uel);
    if (!ticket.starts_with("<?xml")) {
      Error(0, "the stream does not begin with the universal exit language sequence");
      return uel;
    }
    result_.has_ticket = true;
    pugi::xml_document document;
    pugi::xml_parse_result parsed =
        document.load_buffer(ticket.data(), ticket.size(), pugi::parse_default | pugi::parse_declaration);
    if (!parsed) {
      Error(static_cast<size_t>(parsed.offset),
            std::string("the XML job ticket is not well formed: ") + parsed.description());
      return uel;
    }
    result_.ticket_root = document.document_element().name();
    if (result_.ticket_root != "qpif") Error(0, "the XML job ticket's root element is not <qpif>");
    return uel;
  }

  // Reads PJL lines up to and including "@PJL ENTER LANGUAGE=POSTSCRIPT"; returns
  // the offset that follows it (or where reading stopped).
  size_t ReadHeader(size_t pos) {
    bool entered = false;
    bool job_line = false;
    while (pos < stream_.size()) {
      if (stream_.substr(pos, kUEL.size()) == kUEL) break;  // the trailer, without the PostScript
      size_t end = stream_.find('\n', pos);
      if (end == std::string_view::npos) {
        Error(pos, "header line without a line end");
        pos = stream_.size();
        break;
      }
      std::string_view line = stream_.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      std::string problem = CheckPJLLine(line);
      if (!problem.empty())
        Error(pos, "header line " + std::to_string(result_.header_lines.size() + 1) + ": " + problem);
      result_.header_lines.emplace_back(line);
      bool found = false;
      Setting setting = SettingOfLine(line, found);
      if (found) result_.settings.push_back(setting);
      if (line.starts_with("@PJL JOB ") || line == "@PJL JOB") job_line = true;
      pos = end + 1;
      if (line == kEnterPostScript) {
        entered = true;
        break;
      }
    }
    if (!job_line) Error(pos, "no \"@PJL JOB\" line in the header");
    if (!entered) Error(pos, "no \"@PJL ENTER LANGUAGE=POSTSCRIPT\" line before the trailer");
    return pos;
  }

  void ReadPostScriptAndTrailer(size_t pos) {
    result_.postscript_offset = pos;
    if (stream_.size() < kTrailer.size() || stream_.substr(stream_.size() - kTrailer.size()) != kTrailer) {
      Error(stream_.size(), "the stream does not end with the PJL trailer (ESC %-12345X@PJL EOJ and a line feed)");
      return;
    }
    size_t trailer = stream_.size() - kTrailer.size();
    if (trailer < pos) return;  // the trailer overlaps the header: reported above
    if (trailer == pos || stream_[trailer - 1] != '\x04') {
      Error(trailer, "no end-of-transmission byte (0x04) between the PostScript and the trailer");
      result_.postscript_size = trailer - pos;
    } else {
      result_.postscript_size = trailer - 1 - pos;
    }
    CountPages(stream_.substr(pos, result_.postscript_size));
  }

  void CountPages(std::string_view postscript) {
    size_t at = 0;
    while (at < postscript.size()) {
      size_t end = postscript.find_first_of("\r\n", at);
      if (end == std::string_view::npos) end = postscript.size();
      if (postscript.substr(at, kPageComment.size()) == kPageComment) ++result_.page_comments;
      at = end + 1;
    }
  }

  std::string_view stream_;
  Inspection result_;
};

}  // namespace

std::string CheckPJLLine(std::string_view line) {
  if (line.substr(0, kPJLPrefix.size()) != kPJLPrefix) return "does not begin with \"@PJL\"";
  for (size_t i = 0; i < line.size(); ++i) {
    auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 0x20 || byte == 0x7F) return "control character " + Hex(byte) + " at column " + std::to_string(i + 1);
  }
  std::string_view rest = line.substr(kPJLPrefix.size());
  if (!rest.empty()) {
    if (rest.front() != ' ') return "no blank after \"@PJL\"";
    rest.remove_prefix(1);
    size_t word = 0;
    while (word < rest.size() && rest[word] >= 'A' && rest[word] <= 'Z') ++word;
    if (word == 0) return "no command word after \"@PJL\"";
    if (word < rest.size() && rest[word] != ' ') return "the command word is not followed by a blank";
  }
  if (std::count(line.begin(), line.end(), '"') % 2 != 0) return "unbalanced double quotes";
  // A line that lost its end runs into the next command: "@PJL" again.
  if (size_t again = line.find(kPJLPrefix, 1); again != std::string_view::npos) {
    return "\"@PJL\" again at column " + std::to_string(again + 1) + ": two commands on one line";
  }
  return {};
}

Setting SettingOfLine(std::string_view line, bool& found) {
  found = false;
  Setting setting;
  std::string_view name, value;
  auto take = [&](std::string_view group, std::string_view text) {
    if (!SplitAssignment(text, name, value)) return;
    setting.group = group;
    setting.name = name;
    setting.value = Unquote(value);
    found = true;
  };
  constexpr std::string_view kJobAttr = "@PJL SET JOBATTR=";
  constexpr std::string_view kSet = "@PJL SET ";
  constexpr std::string_view kJobInfo = "@PJL COMMENT KQJOBINFO ";
  constexpr std::string_view kComment = "@PJL COMMENT ";
  constexpr std::string_view kJob = "@PJL JOB ";
  constexpr std::string_view kEnter = "@PJL ENTER ";
  if (line.starts_with(kJobAttr) && Unquote(line.substr(kJobAttr.size())).starts_with("@")) {
    take("JOBATTR", Unquote(line.substr(kJobAttr.size())));
  } else if (line.starts_with(kSet)) {
    take("SET", line.substr(kSet.size()));
  } else if (line.starts_with(kJobInfo)) {
    take("KQJOBINFO", line.substr(kJobInfo.size()));
  } else if (line.starts_with(kComment)) {
    take("COMMENT", line.substr(kComment.size()));
  } else if (line.starts_with(kJob)) {
    take("JOB", line.substr(kJob.size()));
  } else if (line.starts_with(kEnter)) {
    take("ENTER", line.substr(kEnter.size()));
  }
  setting.secret = found && IsSecret(setting.name);
  return setting;
}

std::string FormatTable(const Inspection& inspection, bool show_secrets) {
  std::vector<std::array<std::string, 3>> rows = {{"Group", "Setting", "Value"}};
  for (const Setting& s : inspection.settings) {
    std::string value = s.secret && !show_secrets ? std::string("(hidden)") : s.value;
    rows.push_back({s.group, s.name, value});
  }
  size_t width0 = 0, width1 = 0;
  for (const auto& row : rows) {
    width0 = std::max(width0, row[0].size());
    width1 = std::max(width1, row[1].size());
  }
  std::string out;
  for (const auto& row : rows) {
    out += row[0] + std::string(width0 - row[0].size() + 2, ' ');
    out += row[1] + std::string(width1 - row[1].size() + 2, ' ');
    out += row[2] + "\n";
  }
  return out;
}

Inspection InspectStream(std::string_view stream) { return Reader(stream).Run(); }

}  // namespace ovqinspect
