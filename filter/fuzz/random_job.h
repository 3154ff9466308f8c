// Random jobs for the whole-filter fuzz target: a user, a title
// and an option string that gives most keys a module reads (taken from the
// modules' ticket tables) a value: mostly small numbers for the switches and
// modes, else one of a kind that breaks PJL lines when handled carelessly:
// empty, over-long, control bytes and quotes, the byte-number form, an
// injected command, or a choice of the job's PPD.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "comment.h"
#include "cups_ppd.h"
#include "finishing.h"
#include "jba.h"
#include "pbind.h"
#include "printtype.h"
#include "specialpage.h"
#include "ticket_keys.h"
#include "watermark.h"

struct RandomJob {
  std::string user, title, options;
};

namespace random_job {

// Every key with whether it is read as a number (a switch, mode or type).
inline const std::vector<std::pair<std::string, bool>>& Keys() {
  static const std::vector<std::pair<std::string, bool>> keys = [] {
    std::vector<std::pair<std::string, bool>> all = {{"OVOutputMode", false}, {kPrintTypeProductTypeTicketKey, true}};
    for (const char* entry : {kQPIFCoverValueTicketKey, kQPIFInsertionValueTicketKey, kQPIFExceptionValueTicketKey}) {
      all.emplace_back(std::string(entry) + "0", false);
    }
    const std::pair<const TicketData*, int> tables[] = {
        {PrintTypeticketData, kPrintTypeTicketRows}, {JBAticketDataCommon, kJBATicketRowsCommon},
        {JBAticketDataAdmin, kJBATicketRowsAdmin},   {FeaturesticketData, kFeaturesTicketRows},
        {WatermarkticketData, kWatermarkTicketRows}, {PBindticketData, kPBindTicketRows},
        {CommentticketData, kCommentTicketRows},     {SpecialPageTicketData, kSpecialPageTicketRows}};
    for (const auto& [rows, count] : tables) {
      for (int i = 0; i < count; ++i) all.emplace_back(rows[i].key, rows[i].reader == GetTicketInteger);
    }
    return all;
  }();
  return keys;
}

// `length` pieces of `alphabet` (pieces: bytes, or whole UTF-8 characters).
template <typename NextByte>
std::string Text(NextByte& next, size_t length, bool escapes = true) {
  static const std::vector<std::string> kAll = {"a",  "Z",  "0",    " ",    "=",    "/",    ",",        "%",
                                                "\"", "\\", "'",    "@",    "P",    "J",    "L",        "\r",
                                                "\n", "\t", "\x1b", "\x7f", "\xff", "@PJL", "\xc3\xa9", "\xe6\x97\xa5"};
  static const std::vector<std::string> kPlain = {"a", "Z", " ", "\xc3\xa9", "\xe6\x97\xa5"};
  const std::vector<std::string>& pieces = escapes ? kAll : kPlain;
  std::string text;
  for (size_t i = 0; i < length; ++i) text += pieces[next() % pieces.size()];
  return text;
}

template <typename NextByte>
std::string Value(NextByte& next, const std::string& key, bool number, ppd_file_t* ppd) {
  if (number && next() % 5 != 0) {  // mostly 1, the choice that most rows test for
    const int kind = next() % 4;
    return std::to_string(kind < 2 ? 1 : kind == 2 ? 2 : next() % 7 - 1);
  }
  switch (next() % 6) {
    case 0:
      return "";
    case 1:
      return Text(next, 230u + next() % 40u, false);  // longer than any buffer and line
    case 2:
      return Text(next, next() % 4u) + "\r\n@PJL SET COPIES=9";
    case 3: {
      std::string bytes;
      for (int i = next() % 8; i > 0; --i) bytes += "/" + std::to_string(next());
      return bytes;
    }
    case 4:
      return Text(next, next() % 12u);
    default:
      ppd_option_t* option = ppd != nullptr ? ppdFindOption(ppd, key.c_str()) : nullptr;
      if (option != nullptr && option->num_choices > 0) return option->choices[next() % option->num_choices].choice;
      return next() % 2 != 0 ? "true" : "false";
  }
}

// `value` in a CUPS option string, quoted only when it must be: cupsParseOptions
// shifts the rest of the string for every quote and escape.
inline std::string Quoted(const std::string& value) {
  if (!value.empty() && value.find_first_of(" \t\r\n\"'\\") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) quoted += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
  return quoted + "\"";
}

}  // namespace random_job

// `next` gives one byte of randomness per call; `ppd` offers its choices. Most
// users cannot be used as they are (empty, control bytes, not UTF-8).
template <typename NextByte>
RandomJob MakeRandomJob(NextByte&& next, ppd_file_t* ppd) {
  const int user = next() % 4;
  RandomJob job{user == 0   ? "alice"
                : user == 1 ? ""
                            : (user == 2 ? "\xff" : "") + random_job::Text(next, next() % 12u),
                random_job::Text(next, next() % 99u),
                {}};
  for (const auto& [key, number] : random_job::Keys()) {
    if (next() % 8 == 0) continue;
    job.options +=
        (job.options.empty() ? "" : " ") + key + "=" + random_job::Quoted(random_job::Value(next, key, number, ppd));
  }
  return job;
}
