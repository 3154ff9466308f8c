// Reading of a printer job stream: the optional XML job ticket, the universal
// exit language sequence, the PJL header, the PostScript, the end-of-transmission
// byte and the PJL trailer. Every framing rule that the stream breaks is reported.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace ovqinspect {

inline constexpr std::string_view kUEL = "\x1b%-12345X";
inline constexpr std::string_view kEnterPostScript = "@PJL ENTER LANGUAGE=POSTSCRIPT";
inline constexpr std::string_view kTrailer = "\x1b%-12345X@PJL EOJ\n";

// One header setting, as shown in the table.
struct Setting {
  std::string group;  // "SET", "JOBATTR", "KQJOBINFO", "COMMENT", "JOB", "ENTER"
  std::string name;   // "HOLD", "@JOAU", "JOBCOPIES", ...
  std::string value;  // without the surrounding double quotes
  bool secret = false;
};

// A framing error: the byte offset in the stream and a message.
struct FramingError {
  size_t offset = 0;
  std::string message;
};

struct Inspection {
  bool has_ticket = false;                // an XML job ticket precedes the exit language sequence
  std::string ticket_root;                // name of the ticket's root element
  size_t pjl_offset = 0;                  // first byte of the exit language sequence (after the ticket)
  std::vector<std::string> header_lines;  // PJL lines before the PostScript, without line ends
  std::vector<Setting> settings;
  size_t postscript_offset = 0;  // first byte after "@PJL ENTER LANGUAGE=POSTSCRIPT\n"
  size_t postscript_size = 0;    // bytes up to (not including) the 0x04
  int page_comments = 0;         // "%%Page:" lines in the PostScript
  std::vector<FramingError> errors;

  bool ok() const { return errors.empty(); }
};

// Checks the whole stream and collects its settings.
Inspection InspectStream(std::string_view stream);

// Checks one PJL line (without its line end), that it is exactly one command:
// "@PJL" followed by nothing or by a blank and a command word of capital
// letters, "@PJL" nowhere else, printable bytes only (bytes of 0x80 and above
// are allowed: UTF-8 texts), an even number of double quotes.
// Returns an empty text when the line is well formed, else what is wrong.
std::string CheckPJLLine(std::string_view line);

// The setting that a well-formed PJL line carries; `found` is false for lines
// that carry none.
Setting SettingOfLine(std::string_view line, bool& found);

// The settings as a table of three columns (group, name, value); secret values
// (passcodes, passwords, encryption keys) are masked unless `show_secrets`.
std::string FormatTable(const Inspection& inspection, bool show_secrets);

}  // namespace ovqinspect
