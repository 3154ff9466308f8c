// The host session on a PPD file: marks the panels ask for, the printer's
// remembered values between dialog runs, and the job's options.
#include "host_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "cups_ppd.h"
#include "param_name.h"
#include "ppd_text.h"
#include "run_program.h"

namespace {

// OVColor (default Gray) conflicts with Duplex DuplexNoTumble.
const std::string kPPD = PPDHeader() +
                         "*OpenUI *OVColor/Color: PickOne\n*DefaultOVColor: Gray\n*OVColor Gray/Gray: \"\"\n"
                         "*OVColor Color/Color: \"\"\n*CloseUI: *OVColor\n"
                         "*OpenUI *Duplex/Two-Sided: PickOne\n*DefaultDuplex: None\n*Duplex None/Off: \"\"\n"
                         "*Duplex DuplexNoTumble/Long Edge: \"\"\n*CloseUI: *Duplex\n"
                         "*UIConstraints: *OVColor Color *Duplex DuplexNoTumble\n"
                         "*UIConstraints: *Duplex DuplexNoTumble *OVColor Color\n";

class SessionOnPPD : public testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", dir_.File("config").c_str(), 1);
    WriteFile(dir_.File("Office.ppd"), kPPD);
    std::string error;
    ASSERT_TRUE(session_.OpenPPDFile(dir_.File("Office.ppd"), &error)) << error;
  }
  std::string Marked(const char* option) {
    ppd_choice_t* choice = ppdFindMarkedChoice(session_.ppdFile(), option);
    return choice == nullptr ? "" : choice->choice;
  }

  TempDir dir_;
  HostSession session_;
};

struct MarkRow {
  const char* name;
  std::vector<std::pair<const char*, const char*>> before = {};  // marks asked for first
  const char* option;
  const char* choice;
  bool accepted;
  const char* marked;  // the option's marked choice afterwards
};

class Marks : public SessionOnPPD, public testing::WithParamInterface<MarkRow> {};

TEST_P(Marks, MarksChoicesThePPDHasAndRefusesOthers) {
  const MarkRow& row = GetParam();
  for (const auto& [option, choice] : row.before) ASSERT_TRUE(session_.willChangePPDOptionKeyValue(option, choice));
  EXPECT_EQ(session_.willChangePPDOptionKeyValue(row.option, row.choice), row.accepted);
  EXPECT_EQ(Marked(row.option), row.marked);
}

INSTANTIATE_TEST_SUITE_P(
    HostSession, Marks,
    testing::Values(
        MarkRow{.name = "ChoiceOfThePPD", .option = "OVColor", .choice = "Color", .accepted = true, .marked = "Color"},
        MarkRow{
            .name = "ChoiceThePPDLacks", .option = "OVColor", .choice = "Sepia", .accepted = false, .marked = "Gray"},
        MarkRow{.name = "OptionThePPDLacks", .option = "OVTone", .choice = "Warm", .accepted = false, .marked = ""},
        // Conflicts are the panels' to show, not the host's to forbid.
        MarkRow{.name = "ChoiceInConflict",
                .before = {{"Duplex", "DuplexNoTumble"}},
                .option = "OVColor",
                .choice = "Color",
                .accepted = true,
                .marked = "Color"}),
    RowName());

TEST_F(SessionOnPPD, RemembersOnlyThePrintersPrivateValuesInAFileOfItsOwn) {
  PrintSettings& settings = *session_.printSettings();
  settings.Set("Officenvxjobs.printsettings.PrintTypeReference", "2", false);
  settings.Set("Officenvxjobs.printsettings.PrintTypePasswordReference", "1234", false);
  settings.Set("nvxjobs.printsettings.PrintTypeTicketKey", "2", false);  // the last job's ticket
  settings.Set("Annexnvxjobs.printsettings.PrintTypeReference", "3", false);
  ASSERT_TRUE(session_.SaveRememberedValues());
  std::string path = dir_.File("config/ovq/printers/Office.settings");
  ASSERT_EQ(session_.RememberedValuesPath(), path);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(ReadFile(path),
            "\"nvxjobs.printsettings.PrintTypePasswordReference\" = \"1234\";\n"
            "\"nvxjobs.printsettings.PrintTypeReference\" = \"2\";\n");

  HostSession next;
  std::string error;
  ASSERT_TRUE(next.OpenPPDFile(dir_.File("Office.ppd"), &error)) << error;
  next.LoadRememberedValues();
  EXPECT_EQ(next.printSettings()->Values().size(), 2u);
  const PrintSettingsValue* type = next.printSettings()->Find("Officenvxjobs.printsettings.PrintTypeReference");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->text, "2");
}

TEST_F(SessionOnPPD, JobOptionsAreTicketsAndChangedChoicesButNoRememberedValue) {
  PrintSettings& settings = *session_.printSettings();
  settings.Set("nvxjobs.printsettings.PrintTypeTicketKey", "2", false);
  settings.Set("Officenvxjobs.printsettings.PrintTypePasswordReference", "1234", false);
  settings.Set("nvxjobs.printsettings.DocumentNameReference", "x", false);
  ASSERT_TRUE(session_.willChangePPDOptionKeyValue("OVColor", "Color"));
  ASSERT_TRUE(session_.willChangePPDOptionKeyValue("Duplex", "None"));  // the default
  std::vector<JobOption> expected = {{"OVColor", "Color"}, {"nvxjobs.printsettings.PrintTypeTicketKey", "2"}};
  EXPECT_EQ(session_.JobOptions(), expected);
  std::string error;
  EXPECT_EQ(session_.SubmitFile(dir_.File("Office.ppd"), expected, &error), 0) << "no queue to print on";
}

}  // namespace
