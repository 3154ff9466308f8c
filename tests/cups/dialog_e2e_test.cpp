// From the panels to the printer: ovqdialog chooses settings on a queue of a
// private CUPS scheduler and submits a document; the device file carries the
// PJL the filter makes of exactly what the panels wrote, and nothing that the
// panels only remember leaves the machine.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "escapes.h"
#include "ghostscript.h"
#include "param_name.h"
#include "run_program.h"
#include "scheduler.h"

namespace {

const std::string kPT = "open nvxops15.pde.PrintTypeKind";
const std::string kJBA = "open nvxops15.pde.AccountKind";
const std::string kIO = "open nvxops15.pde.ImageOptionsKind";
constexpr char kSubmit[] = "submit";  // stands for "submit <the document>"

std::string LoginName() {
  passwd* user = getpwuid(getuid());
  return user == nullptr ? "" : user->pw_name;
}

// "YYYY:MM:DD:" of a moment.
std::string DelayDate(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  char text[16] = {};
  std::strftime(text, sizeof text, "%Y:%m:%d:", &local);
  return text;
}

struct DialogJob {
  const char* name;
  std::vector<std::string> commands;  // kSubmit where the document is submitted
  std::vector<std::string> expected;  // escaped texts (see Unescape) of the device file
  std::vector<std::string> absent = {};
  std::string lpoptions = {};  // the user's saved options of the queue ("QUEUE" for its name)
  const char* ppd = "OVQC300.ppd";
  // How the printer renders the pages (in gray when the stream says RENDERMODE=GRAYSCALE): the red
  // square of the document's first page in red or in gray; not looked at when unset.
  enum class Pages { kUnchecked, kColour, kGray } pages = Pages::kUnchecked;
};

class DialogToPrinter : public testing::TestWithParam<DialogJob> {
 protected:
  static void SetUpTestSuite() {
    scheduler_ = new PrivateScheduler;
    if (scheduler_->Start(BinaryPath("ovqfilter"), start_error_)) {
      WriteFile(scheduler_->Folder() + "/report.ps",
                "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n1 0 0 setrgbcolor 72 72 288 288 rectfill\n"
                "showpage\n%%Page: 2 2\nshowpage\n%%EOF\n");
    }
  }
  static void TearDownTestSuite() {
    delete scheduler_;
    scheduler_ = nullptr;
  }
  static PrivateScheduler* scheduler_;
  static std::string start_error_;
};

PrivateScheduler* DialogToPrinter::scheduler_ = nullptr;
std::string DialogToPrinter::start_error_;

TEST_P(DialogToPrinter, DeviceGetsWhatThePanelsWrote) {
  const DialogJob& job = GetParam();
  ASSERT_TRUE(start_error_.empty()) << start_error_;
  std::string error;
  std::string device = scheduler_->AddQueue(job.name, SourcePath(std::string("ppd/") + job.ppd), error);
  ASSERT_FALSE(device.empty()) << error;
  TempDir home;
  if (!job.lpoptions.empty()) {
    std::filesystem::create_directories(home.File(".cups"));
    std::string line = job.lpoptions;
    line.replace(line.find("QUEUE"), 5, job.name);
    WriteFile(home.File(".cups/lpoptions"), line + "\n");
  }
  RunSpec spec;
  spec.program = BinaryPath("ovqdialog");
  spec.args = {"--queue", job.name};
  for (const std::string& command : job.commands) {
    spec.args.push_back(command == kSubmit ? "submit " + scheduler_->Folder() + "/report.ps" : command);
  }
  spec.env = {{"CUPS_SERVER", scheduler_->Folder() + "/cupsd.sock"},
              {"HOME", home.path()},
              {"XDG_CONFIG_HOME", home.File("config")}};
  std::time_t before = std::time(nullptr);
  RunResult run = RunProgram(spec);
  std::time_t after = std::time(nullptr);
  ASSERT_EQ(run.exit_status, 0) << run.out << run.err;
  size_t at = run.out.find("job: ");
  ASSERT_NE(at, std::string::npos) << run.out;
  int id = std::atoi(run.out.c_str() + at + 5);
  JobStatus status = scheduler_->WaitForJob(id, 120);
  ASSERT_EQ(status.state, 9) << status.reasons << "\n" << scheduler_->ErrorLog();

  std::string stream = ReadFile(device);
  std::string head = MakeVisible(stream.substr(0, stream.find("%!PS")));
  for (std::string text : job.expected) {
    // "@DATE@" is the delayed date of the day the dialog ran.
    if (size_t date = text.find("@DATE@"); date != std::string::npos) {
      std::string later = text;
      text.replace(date, 6, DelayDate(before));
      later.replace(date, 6, DelayDate(after));
      if (stream.find(Unescape(text)) == std::string::npos) text = later;
    }
    EXPECT_NE(stream.find(Unescape(text)), std::string::npos) << "missing: " << text << "\n" << head << run.out;
  }
  for (const std::string& text : job.absent) {
    EXPECT_EQ(stream.find(Unescape(text)), std::string::npos) << "present: " << text << "\n" << head;
  }
  if (job.pages != DialogJob::Pages::kUnchecked) {
    bool gray = stream.find("@PJL SET RENDERMODE=GRAYSCALE\n") != std::string::npos;
    EXPECT_EQ(gray, job.pages == DialogJob::Pages::kGray) << head;
    const std::vector<Raster> pages = RenderWithGhostscript(device, 20);
    ASSERT_EQ(pages.size(), 2u);
    // The render mode is the printer's business: the document reaches it whole, red square and blank page.
    size_t square = pages[0].PixelsNear(255, 0, 0);
    EXPECT_GT(square, 100u);
    EXPECT_EQ(pages[1].PixelsNear(255, 255, 255), size_t(pages[1].width) * pages[1].height);
  }
  // Remembered values stay home: neither the job CUPS keeps nor the printer sees them.
  std::string attributes = scheduler_->JobAttributes(id);
  EXPECT_NE(attributes.find("nvxjobs.printsettings."), std::string::npos) << attributes;
  EXPECT_EQ(attributes.find("Reference"), std::string::npos) << attributes;
  EXPECT_EQ(stream.find("Reference"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Ovqdialog, DialogToPrinter,
    testing::Values(
        DialogJob{.name = "secure",
                  .commands = {kPT, "select 101 2", "type 1022 alice", "type 1026 1234", "select 1024 2",
                               "type 1025 Q3 report", "press 1028", kSubmit},
                  .expected = {"@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n", "@PJL SET USERNAME=\"alice\"\\r\n",
                               "@PJL SET HOLDENCRYPTKEY=\"KHwYaQ==\"\\r\n", "@PJL SET JOBNAME=\"Q3 report\"\\r\n"}},
        DialogJob{.name = "sample",
                  .commands = {kPT, "select 101 3", "type 1012 bob", "press 1018", kSubmit},
                  .expected = {"@PJL SET HOLD=PROOF\n", "@PJL SET USERNAME=\"bob\"\\r\n"},
                  .absent = {"HOLDTYPE"}},
        DialogJob{.name = "delayed",
                  .commands = {kPT, "set 101 4", "press 103", "time 1036 23:59", "press 1038", kSubmit},
                  .expected = {"@PJL SET JOBATTR=\"@PRTM=@DATE@23:59\"\\r\n"},
                  .absent = {"@PJL SET USERNAME", "@PJL SET HOLD"}},
        DialogJob{.name = "mailbox",
                  .commands = {kPT, "set 101 5", "press 103", "type 1041 012", "type 1042 5678", "press 1048", kSubmit},
                  .expected = {"@PJL SET HOLD=BOXSTORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET BOXNUMBER=12\\r\n"
                               "@PJL SET BOXENCRYPTKEY=\"LHgcZQ==\"\\r\n"},
                  .absent = {"@PJL SET USERNAME"}},
        DialogJob{.name = "accounting_entered_id",
                  .commands = {kJBA, "press 1002", "select 3006 2", "type 3007 u100", "type 3009 abcd", "press 3001",
                               kSubmit},
                  .expected = {"@PJL COMMENT DATE=",
                               "@PJL SET JOBATTR=\"@JOAU=u100\"\\r\n"
                               "@PJL SET JOBATTR=\"@JOEP=eCxIOQ==\"\\r\n"}},
        DialogJob{.name = "accounting_user_mode_login",
                  .commands = {kJBA, "set 1001 1", "press 1002", "type 2009 abcd", "press 2001", kSubmit},
                  .expected = {"@PJL SET JOBATTR=\"@JOAU=" + LoginName() +
                               "\"\\r\n@PJL SET JOBATTR=\"@JOEP=eCxIOQ==\"\\r\n"}},
        DialogJob{.name = "accounting_asked_at_print",
                  .commands = {kJBA, "press 1002", "check 3017 1", "press 3001", kSubmit, "type 4006 carol",
                               "type 4008 abcd", "press 4001"},
                  .expected = {"@PJL SET JOBATTR=\"@JOAU=carol\"\\r\n@PJL SET JOBATTR=\"@JOEP=eCxIOQ==\"\\r\n"}},
        // Image Options on a printer whose PPD code reaches the filter in the document (buffered pass).
        DialogJob{.name = "image_options_black_and_white",
                  .commands = {kIO, "select 101 2", kSubmit},
                  .expected = {"@PJL SET RENDERMODE=GRAYSCALE\n"},
                  .ppd = "OVQC500.ppd",
                  .pages = DialogJob::Pages::kGray},
        DialogJob{.name = "image_options_colour_adjusted",
                  .commands = {kIO, "check 1042 1", "press 105", "select 502 2", "press 521", "press 104",
                               "check 3101 1", "select 3102 2", "type 3511 2", "press 3001", kSubmit},
                  .expected = {"@PJL SET RENDERMODE=COLOR\n", "@PJL SET JOBATTR=\"@AJCM=5\"\n",
                               "@PJL SET JOBATTR=\"@AJCL=3\"\n", "@PJL SET JOBATTR=\"@RGBP=ADOBERGB\"\n"},
                  .absent = {"@PJL SET JOBATTR=\"@RGBP=SRGB\"\n"},
                  .ppd = "OVQC500.ppd",
                  .pages = DialogJob::Pages::kColour},
        DialogJob{.name = "saved_queue_options",
                  .commands = {kSubmit},
                  .expected = {"@PJL SET RENDERMODE=GRAYSCALE\n"},
                  .lpoptions = "Dest QUEUE OVColorMode=Black"}),
    RowName());

}  // namespace
