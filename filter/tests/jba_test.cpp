// Job accounting: the rows the ticket's keys (through the ticket reader) keep
// out and the common lines' fallbacks; every row in full (and the dialog's
// address) is written by a whole-filter case.
#include "jba.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

namespace {

// The job as the job flow leaves it: login `user` on host `host` with the
// address 198.51.100.1, one page a sheet.
struct RowsCase {
  const char *name, *ticket;
  std::string lines;
  const char *user = "alice", *host = "pc1";
};
class JBARowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(JBARowsTest, WritesTheRowsWhoseConditionsHold) {
  const RowsCase &c = GetParam();
  ResetJobState();
  JBAGetTicketFromPDE(JobArgs(Ticket(c.ticket)).argv());
  std::strcpy(StdUserName, c.user);
  std::strcpy(StdJBAUserName, c.user);
  std::strcpy(HostNameStr, c.host);
  std::strcpy(IPAddressStr, "198.51.100.1");
  JBAInializeDescriptionTableFromFilter();
  EXPECT_EQ(MakeVisible(CaptureStdout([] { JBAOutputQPJLCommandFromFilter(nullptr); })), MakeVisible(c.lines));
}

const std::string kHoad = Attr("HOAD=198.51.100.1");
const RowsCase kRows[] = {
    {.name = "no_management_type",
     .ticket =
         "JBAAdminUserSettingRadioBtnTicket=1 JBAAdminUserIDListCtrlTicket=1 JBAAdminUserPasswordTextEditTicket=pw",
     .lines = Attr("CNAM=pc1") + Attr("LUNA=alice") + kHoad + Attr("NLPP=1")},
    {.name = "admin_entered_without_id",
     .ticket = "JBAManageTypeListTicketKey=1 JBAAdminUserSettingRadioBtnTicket=1 JBAAdminUserIDListCtrlTicket=2",
     .lines = Attr("CNAM=pc1") + Attr("LUNA=alice") + kHoad + Attr("NLPP=1")},
    {.name = "admin_keys_in_user_mode",
     .ticket = "JBAManageTypeListTicketKey=2 JBAAdminUserSettingRadioBtnTicket=1 JBAAdminUserIDListCtrlTicket=1",
     .lines = Attr("CNAM=pc1") + Attr("LUNA=alice") + kHoad + Attr("NLPP=1")},
    {.name = "fallbacks",
     .ticket = "",
     .lines = Attr("CNAM=UnknownHost") + Attr("LUNA=UnknownUser") + kHoad + Attr("NLPP=1"),
     .user = "",
     .host = ""},
};
INSTANTIATE_TEST_SUITE_P(Modes, JBARowsTest, ::testing::ValuesIn(kRows), RowName());

}  // namespace
