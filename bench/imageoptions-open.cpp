// Image Options benchmark: opening the panel as a print dialog does (offer,
// view, restore, show) on a generated PPD that offers every keyword of the
// panel with many choices each and thousands of UIConstraints among them, next
// to libcups opening and marking the same PPD, both measured in this run.
//
//   imageoptions-open-bench [CHOICES [CONSTRAINTS [ROUNDS]]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bundle.h"
#include "host_session.h"
#include "image_options_plugin.h"
#include "qt_test_support.h"
#include "run_program.h"

using namespace ovqimageoptions;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start, int rounds) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

bool IsBoolean(const std::string& keyword) {
  return keyword == "OVColorBalanceAdjustment" || keyword == "OVBlackOverprint" ||
         keyword == "OVInvalidateColorProfile";
}

std::string ChoiceName(const std::string& keyword, int choice) {
  if (IsBoolean(keyword)) return choice == 0 ? "False" : "True";
  return "C" + std::to_string(choice);
}

int ChoiceCount(const std::string& keyword, int choices) { return IsBoolean(keyword) ? 2 : choices; }

std::string GeneratedPPD(int choices, int constraints) {
  std::string text =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
      "*LanguageEncoding: ISOLatin1\n*PCFileName: \"OVBENCH.PPD\"\n*Manufacturer: \"Orvane\"\n"
      "*Product: \"(Bench)\"\n*ModelName: \"Orvane Bench\"\n*ShortNickName: \"Orvane Bench\"\n"
      "*NickName: \"Orvane Bench\"\n*PSVersion: \"(3010.000) 0\"\n*ColorDevice: True\n"
      "*OVXImageOptionsSettings: \"Default03-QU700\"\n*OpenGroup: OVImageOptions/Image Options\n";
  for (const char* keyword : ImageOptionsKeywords()) {
    std::string name = keyword;
    text += "*OpenUI *" + name + "/" + name + ": PickOne\n*Default" + name + ": " + ChoiceName(name, 1) + "\n";
    for (int c = 0; c < ChoiceCount(name, choices); ++c) {
      text += "*" + name + " " + ChoiceName(name, c) + "/" + name + " " + std::to_string(c) + ": \"\"\n";
    }
    text += "*CloseUI: *" + name + "\n";
  }
  text += "*CloseGroup: OVImageOptions\n";
  // Constraints between random options and choices of the panel, most of them
  // naming both choices, as printer descriptions do; one in twenty of each other
  // shape (naming one choice or none, which stands for every real choice).
  std::mt19937 random(20261207);
  std::span<const char* const> keywords = ImageOptionsKeywords();
  std::uniform_int_distribution<size_t> option(0, keywords.size() - 1);
  for (int i = 0; i < constraints; ++i) {
    std::string first = keywords[option(random)];
    std::string second = keywords[option(random)];
    if (first == second) second = keywords[(option(random) + 1) % keywords.size()];
    if (first == second) continue;
    std::uniform_int_distribution<int> firstChoice(1, ChoiceCount(first, choices) - 1);
    std::uniform_int_distribution<int> secondChoice(1, ChoiceCount(second, choices) - 1);
    int shape = i % 20;  // 0: neither choice, 1: the first only, 2: the second only, else both
    bool firstGiven = shape != 0 && shape != 2;
    bool secondGiven = shape != 0 && shape != 1;
    text += "*UIConstraints: *" + first + (firstGiven ? " " + ChoiceName(first, firstChoice(random)) : "") + " *" +
            second + (secondGiven ? " " + ChoiceName(second, secondChoice(random)) : "") + "\n";
  }
  return text;
}

}  // namespace

int main(int argc, char* argv[]) {
  int choices = argc > 1 ? std::atoi(argv[1]) : 40;
  int constraints = argc > 2 ? std::atoi(argv[2]) : 4000;
  int rounds = argc > 3 ? std::atoi(argv[3]) : 10;
  if (choices < 2 || constraints < 0 || rounds < 1) {
    std::fprintf(stderr, "usage: imageoptions-open-bench [CHOICES>=2 [CONSTRAINTS [ROUNDS>=1]]]\n");
    return 2;
  }
  EnsureOffscreenApplication();
  if (RegisterBundle(OVQ_IMAGEOPTIONS_BUNDLE_DIR) == nullptr) {
    std::fprintf(stderr, "no ovqimageoptions bundle in %s\n", OVQ_IMAGEOPTIONS_BUNDLE_DIR);
    return 1;
  }
  TempDir dir;
  std::string path = dir.File("bench.ppd");
  WriteFile(path, GeneratedPPD(choices, constraints));

  Clock::time_point start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    ppd_file_t* ppd = ppdOpenFile(path.c_str());
    if (ppd == nullptr) {
      std::fprintf(stderr, "libcups cannot open the generated PPD\n");
      return 1;
    }
    ppdMarkDefaults(ppd);
    ppdClose(ppd);
  }
  double libcups = MillisecondsSince(start, rounds);

  // The constraint hash of the panel's 26 keywords, built from the PPD as the panel does.
  double hash = 0;
  {
    HostSession host;
    std::string error;
    if (!host.OpenPPDFile(path, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) BuildImageOptionsHash(host.ppdFile());
    hash = MillisecondsSince(start, rounds);
  }

  // The host opens the PPD as in the baseline; the panel's part is what follows.
  size_t conflicted = 0;
  size_t entries = 0;
  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    HostSession host;
    std::string error;
    host.OpenPPDFile(path, &error);
    auto panels = ImageOptionsOvqPDEPluginj15().PDEPanelsForType(kPrintDialogTypeID, &host);
    if (panels.size() != 1 || panels[0]->panelView() == nullptr || !panels[0]->restoreValuesAndReturnError(nullptr)) {
      std::fprintf(stderr, "the panel does not open on the generated PPD\n");
      return 1;
    }
    panels[0]->willShow();
    auto* panel = static_cast<ImageOptionsOvqPDEj15*>(panels[0].get());
    entries = panel->Getxppd() == nullptr ? 0 : panel->Getxppd()->size();
    conflicted = 0;
    for (const auto& control : panel->getCtrlGroupArrayRef()) {
      if (auto* list = dynamic_cast<PPDPopupControlNvxImageOptions*>(control.get())) {
        for (const UIListRow& row : list->Rows()) conflicted += row.conflict == kConflictTrue ? 1 : 0;
      }
    }
  }
  double panel = MillisecondsSince(start, rounds);

  std::printf("generated PPD: %zu options of the panel, %d choices each, %d UIConstraints\n",
              ImageOptionsKeywords().size(), choices, constraints);
  std::printf("libcups ppdOpenFile + ppdMarkDefaults: %8.2f ms\n", libcups);
  std::printf("open the Image Options panel:          %8.2f ms (host's ppdOpenFile included)\n", panel);
  std::printf("  of which the constraint hash:         %8.2f ms\n", hash);
  std::printf("ratio panel / libcups:                 %8.2f\n", panel / libcups);
  std::printf("(%zu constraint hash entries; %zu choices of the panel's lists shown disabled)\n", entries, conflicted);
  return 0;
}
