// Print type: the hold commands for the ticket's keys (through the ticket
// reader), beyond the whole-filter cases of every print type.
#include "printtype.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

namespace {

struct RowsCase {
  const char *name, *ticket;
  std::string lines;
};
class PrintTypeRowsTest : public ::testing::TestWithParam<RowsCase> {};

// The job's automatic document name is "Auto".
TEST_P(PrintTypeRowsTest, WritesTheRowsWhoseConditionsHold) {
  ResetJobState();
  PrintTypeGetTicketFromPDE(JobArgs(Ticket(GetParam().ticket)).argv());
  std::strcpy(PTStdDocumentName, "Auto");
  PrintTypeInializeDescriptionTableFromFilter();
  EXPECT_EQ(MakeVisible(CaptureStdout([] { PrintTypeOutputQPJLCommandFromFilter(); })), MakeVisible(GetParam().lines));
}

const std::string kJobName = "@PJL SET JOBNAME=\"";
const RowsCase kRows[] = {
    // The passcode is cut to 16 bytes, the mailbox number to 4.
    {.name = "secure_print",
     .ticket =
         "PrintTypeTicketKey=2 PrintTypeUserNameTicketKey=/72/105 PrintTypePasswordTicketKey=12345678901234567890",
     .lines = "@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET USERNAME=\"Hi\"\r\n"
              "@PJL SET HOLDENCRYPTKEY=\"1234567890123456\"\r\n"},
    {.name = "secure_without_user", .ticket = "PrintTypeTicketKey=2 PrintTypePasswordTicketKey=1234", .lines = ""},
    {.name = "mailbox_number_cut",
     .ticket = "PrintTypeTicketKey=5 PrintTypeUserNameTicketKey=alice PrintTypeMBNTicketKey=123456",
     .lines = "@PJL SET HOLD=BOXSTORE\n@PJL SET BOXNUMBER=1234\r\n"},
    {.name = "delayed_without_time", .ticket = "PrintTypeTicketKey=4 PrintTypeUserNameTicketKey=alice", .lines = ""},
    {.name = "normal_job_no_name", .ticket = "PrintTypeTicketKey=1 DocumentNameTypeTicketKey=1", .lines = ""},
    {.name = "sample_auto_name",
     .ticket = "PrintTypeTicketKey=3 DocumentNameTypeTicketKey=1",
     .lines = kJobName + "Auto\"\r\n"},
    {.name = "secure_entered_name",
     .ticket = "PrintTypeTicketKey=2 DocumentNameTypeTicketKey=2 DocumentNameTicketKey=Plan",
     .lines = kJobName + "Plan\"\r\n"},
    {.name = "absent_type_names_user",
     .ticket = "PrintTypeUserNameTicketKey=alice",
     .lines = "@PJL SET USERNAME=\"alice\"\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Settings, PrintTypeRowsTest, ::testing::ValuesIn(kRows), RowName());

}  // namespace
