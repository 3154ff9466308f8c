// The Print Type and Job Accounting panels on real widgets (offscreen), driven
// through the scripted host as ovqdialog drives them: each row is a PPD, the
// commands a person's actions stand for, and what the dialog must show and send.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <sstream>

#include "param_name.h"
#include "pde_plugin.h"
#include "ppd_text.h"
#include "qt_test_support.h"
#include "run_program.h"
#include "scripted_dialog.h"
#include "ui_support.h"

namespace {

const std::string kPT = "open nvxops15.pde.PrintTypeKind";
const std::string kJBA = "open nvxops15.pde.AccountKind";
const std::string kSettings =
    "*OVXAccountingSettings: \"Default00-QC300\"\n*OVXPrintTypeSettings: \"Default00-QC300\"\n";
const std::string kMailBox = "*OVXMailBoxSettings: \"100-Standard\"\n";

std::string PPD(const std::string& attributes) {
  return PPDHeader() +
         "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n*PageSize A4/A4: \"\"\n*CloseUI: *PageSize\n" + attributes;
}

struct ScriptRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the scripted dialog in this process on `ppdText`, remembering values in
// `config` (where `remembered`, when given, is what the printer remembers now).
ScriptRun RunScript(const std::string& ppdText, const std::vector<std::string>& lines, const std::string& config,
                    const char* dialogType = kPrintDialogTypeID, const std::string& remembered = "") {
  EnsureOffscreenApplication();
  InstallHostUI();
  setenv("OVQ_EXTENSIONS_PATH", OVQ_BINARY_DIR "/lib/ovq/extensions", 1);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  std::string ppd = config + "/Test.ppd";
  WriteFile(ppd, ppdText);
  if (!remembered.empty()) {
    std::filesystem::create_directories(config + "/ovq/printers");
    WriteFile(config + "/ovq/printers/Test.settings", remembered);
  }
  std::deque<ScriptCommand> commands;
  for (const std::string& line : lines) {
    ScriptCommand command;
    std::string error;
    EXPECT_TRUE(ParseScriptCommand(line, &command, &error)) << line << ": " << error;
    commands.push_back(command);
  }
  std::ostringstream out, err;
  ScriptRun run;
  run.status = RunScriptedDialog({.ppd = ppd, .dialogType = dialogType}, std::move(commands), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Each text occurs in `output`, in this order.
testing::AssertionResult InOrder(const std::string& output, const std::vector<std::string>& texts) {
  size_t from = 0;
  for (const std::string& text : texts) {
    size_t at = output.find(text, from);
    if (at == std::string::npos) return testing::AssertionFailure() << "missing (in order): " << text;
    from = at + text.size();
  }
  return testing::AssertionSuccess();
}

struct ScriptRow {
  const char* name;
  std::string ppd = PPD(kSettings);
  std::vector<std::string> commands;
  std::vector<std::string> expected = {};  // in this order in the output
  std::vector<std::string> absent = {};
  int status = 0;
  const char* dialogType = kPrintDialogTypeID;
  std::string remembered = {};  // the printer's remembered values (strings-file lines)
};

class Script : public testing::TestWithParam<ScriptRow> {};

TEST_P(Script, ShowsAndSendsWhatThePanelsMust) {
  const ScriptRow& row = GetParam();
  TempDir dir;
  ScriptRun run = RunScript(row.ppd, row.commands, dir.path(), row.dialogType, row.remembered);
  EXPECT_EQ(run.status, row.status) << run.err;
  EXPECT_TRUE(InOrder(run.out, row.expected)) << run.out << run.err;
  for (const std::string& text : row.absent)
    EXPECT_EQ(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

constexpr char kTicket[] = "nvxjobs.printsettings.";
std::string Ticket(const std::string& key, const std::string& value) { return kTicket + key + "=" + value + "\n"; }
// Secure print remembered for user bob with `passcode`.
std::string Remembered(const std::string& passcode) {
  return "\"nvxjobs.printsettings.PrintTypeReference\" = \"2\";\n"
         "\"nvxjobs.printsettings.PrintTypeUserNameReference\" = \"bob\";\n"
         "\"nvxjobs.printsettings.PrintTypePasswordReference\" = \"" +
         passcode + "\";\n";
}

std::string Items(const std::vector<int>& enabled) {
  const char* titles[] = {"Normal Print", "Secure Print", "Sample Print"};
  std::string text;
  for (size_t i = 0; i < 3; ++i)
    text += std::to_string(i + 1) + "\tenabled=" + std::to_string(enabled[i]) + "\t" + titles[i] + "\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Offering, Script,
    testing::Values(
        ScriptRow{.name = "JobAccountingComesFirst",
                  .commands = {"panels", "summary"},
                  .expected = {"nvxops15.pde.AccountKind\tJob Accounting\nnvxops15.pde.PrintTypeKind\tPrint Type\n",
                               "Accounting Mode\tAdministration Mode\n", "Print Type\tNormal Print\n"}},
        ScriptRow{.name = "StringsTableOfTheLocalizableIndex",
                  .ppd = PPD(kSettings + "*KQLocalizableFileIndex: \"JP\"\n"),
                  .commands = {"panels", kPT, "items 101"},
                  .expected = {"\tJob Accounting\n", "\tPrint Type\n", "2\tenabled=1\tSecure Print\n"},
                  .absent = {"no translation"}},
        ScriptRow{.name = "PrintTypeAloneWithItsSettingsOnly",
                  .ppd = PPD("*OVXPrintTypeSettings: \"Default00-QC300\"\n"),
                  .commands = {"panels"},
                  .expected = {"nvxops15.pde.PrintTypeKind\tPrint Type\n"},
                  .absent = {"AccountKind"}},
        ScriptRow{.name = "LowerCaseFalseDoesNotDisable",
                  .ppd = PPD(kSettings + "*OVXEnablePrintType: \"false\"\n*OVXEnableAccounting: \"False\"\n"),
                  .commands = {"panels"},
                  .expected = {"PrintTypeKind"},
                  .absent = {"AccountKind"}},
        ScriptRow{.name = "SettingsWithoutDashOfferNothing",
                  .ppd = PPD("*OVXPrintTypeSettings: \"Default00\"\n"),
                  .commands = {"panels"},
                  .absent = {"Kind"}},
        ScriptRow{.name = "HelpPageMissingOffersNothing",
                  .ppd = PPD("*OVXPrintTypeSettings: \"Default00-XX999\"\n"),
                  .commands = {"panels"},
                  .absent = {"Kind"}},
        ScriptRow{.name = "PageSetupDialogOffersNothing",
                  .commands = {"panels"},
                  .absent = {"Kind"},
                  .dialogType = kPageSetupDialogTypeID},
        ScriptRow{.name = "ProductTypeFromTheSettings",
                  .ppd = PPD("*OVXPrintTypeSettings: \"Default03-QC300\"\n"),
                  .commands = {"print"},
                  .expected = {Ticket("DocumentNameTypeTicketKey", "1"), Ticket("PrintTypeProductTypeTicketKey", "3")}},
        ScriptRow{.name = "SorrelModelIsTheWKSPDFDriver",
                  .ppd = PPD("*OVXPrintTypeSettings: \"Sorrel00-QM200\"\n*OVDeviceModel: \"Sorrel\"\n"),
                  .commands = {kPT, "items 101", "print"},
                  .expected = {"print: go\n", Ticket("PrintTypeProductTypeTicketKey", "4")},
                  .absent = {"enabled=", "DocumentNameTicketKey", "PrintTypeTicketKey="}}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    StorageDevice, Script,
    testing::Values(ScriptRow{.name = "NoStorageAllowsNormalPrintOnly",
                              .ppd = PPD(kSettings + PPDOption("OVHardDisk", "None", "None HardDisk RAMDisk")),
                              .commands = {kPT, "items 101", "select 101 2"},
                              .expected = {Items({1, 0, 0})},
                              .status = 1},
                    ScriptRow{.name = "RAMDiskAllowsAll",
                              .ppd = PPD(kSettings + PPDOption("OVHardDisk", "RAMDisk", "None HardDisk RAMDisk")),
                              .commands = {kPT, "items 101"},
                              .expected = {Items({1, 1, 1})}},
                    ScriptRow{.name = "NoHardDiskButRAMDiskAllowsAll",
                              .ppd = PPD(kSettings + PPDOption("OVHardDisk", "False", "False True", "Boolean") +
                                         PPDOption("OVRAMDisk", "True", "False True", "Boolean")),
                              .commands = {kPT, "items 101"},
                              .expected = {Items({1, 1, 1})}},
                    ScriptRow{.name = "SecurePrintDefaultLiftsTheLimit",
                              .ppd = PPD(kSettings + "*OVPTSecurePrintDefault: \"True\"\n" +
                                         PPDOption("OVHardDisk", "None", "None HardDisk")),
                              .commands = {kPT, "items 101"},
                              .expected = {Items({1, 1, 1})}}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    PrintType, Script,
    testing::Values(
        ScriptRow{
            .name = "MailboxNumbersOutsideTheRangeAreRefused",
            .ppd = PPD(kSettings + kMailBox),
            .commands = {kPT, "set 101 5", "press 103", "type 1041 0", "press 1048", "type 1041 101", "press 1048",
                         "press 1049", "state 101"},
            .expected = {"alert: The mailbox number must be a number from 1 to 100 (digits only).\n",
                         "alert: The mailbox number must be a number from 1 to 100 (digits only).\nwindow closed\n",
                         "101 enabled=1 hidden=0 value=1\n"}},
        ScriptRow{
            .name = "DocumentNameWithACommaInByteNumbers",
            .commands = {kPT, "select 101 3", "type 1012 bob", "select 1014 2", "type 1015 a,b", "press 1018", "print"},
            .expected = {Ticket("DocumentNameTicketKey", "/97/44/98"), Ticket("DocumentNameTypeTicketKey", "2"),
                         Ticket("PrintTypeTicketKey", "3"), Ticket("PrintTypeUserNameTicketKey", "bob")}},
        ScriptRow{.name = "DocumentNameDisabledWhileTakenFromTheDocument",
                  .commands = {kPT, "select 101 3", "type 1015 x", "press 1019"},
                  .expected = {"window: Print Type Settings\nwindow closed\n"},
                  .status = 1},
        ScriptRow{.name = "CancellingTheDelayedWindowReturnsToNormal",
                  .commands = {kPT, "set 101 4", "press 103", "press 1039", "state 101", "state 103"},
                  .expected = {"window closed\n101 enabled=1 hidden=0 value=1\n103 enabled=0"}},
        ScriptRow{.name = "PasscodeMinimumFromTheOption",
                  .ppd = PPD(kSettings + PPDOption("OVPTPasswdLimit", "Min6", "Min4 Min6")),
                  .commands = {kPT, "state 2026", "select 101 2", "type 1022 bob", "type 1026 12345", "press 1028",
                               "press 1029", "state 101"},
                  .expected = {"2026 enabled=1 hidden=0 value=Passcode (6 or more digits):\n",
                               "alert: The passcode must have 6 to 12 digits (0 to 9).\nwindow closed\n", "value=1\n"}},
        ScriptRow{
            .name = "PasscodeMinimumAttributeWinsOverTheOption",
            .ppd = PPD(kSettings + "*OVPTPasswdLimit: \"8 digits\"\n" + PPDOption("OVPTPasswdLimit", "Min4", "Min4")),
            .commands = {kPT, "select 101 2", "type 1022 bob", "type 1026 1234", "press 1028", "press 1029"},
            .expected = {"alert: The passcode must have 8 to 12 digits (0 to 9).\n"}},
        ScriptRow{
            .name = "ShortPasscodeAtPrintPrintsNormallyOnOK",
            .ppd = PPD(kSettings + PPDOption("OVPTPasswdLimit", "Min4", "Min4")),
            .commands = {"print", "press 1058"},
            .expected = {"window: PassCodeAboutWindow\nwindow closed\nprint: go\n", Ticket("PrintTypeTicketKey", "1")},
            .remembered = Remembered("12")},
        ScriptRow{.name = "ShortPasscodeAtPrintStopsOnCancel",
                  .ppd = PPD(kSettings + PPDOption("OVPTPasswdLimit", "Min4", "Min4")),
                  .commands = {"print", "press 1059"},
                  .expected = {"window: PassCodeAboutWindow\nwindow closed\nprint: stop\n"},
                  .remembered = Remembered("12")},
        ScriptRow{.name = "PasscodeWithLettersAtPrintStops",
                  .commands = {"print"},
                  .expected = {"alert: The passcode must have 1 to 12 digits (0 to 9).\nprint: stop\n"},
                  .remembered = Remembered("12ab")},
        ScriptRow{.name = "SwitchingPanelsKeepsTheValues",
                  .commands = {kPT, "set 101 3", kJBA, kPT, "state 101"},
                  .expected = {"101 enabled=1 hidden=0 value=3\n"}},
        ScriptRow{.name = "RememberedPrintTypeOutOfRangeShowsNormal",
                  .commands = {kPT, "state 101"},
                  .expected = {"101 enabled=1 hidden=0 value=1\n"},
                  .remembered = "\"nvxjobs.printsettings.PrintTypeReference\" = \"9\";\n"},
        ScriptRow{.name = "TypingGoesKeyByKeyThroughTheFormatter",
                  .commands = {kPT, "select 101 2", "type 1026 12a4", "type 1022 abcdefghij", "state 1026",
                               "state 1022", "press 1029"},
                  .expected = {"1026 enabled=1 hidden=0 value=***\n1022 enabled=1 hidden=0 value=abcdefgh\n"}},
        ScriptRow{.name = "AnOpenWindowBlocksThePanel",
                  .commands = {kPT, "select 101 2", "press 103", "print", "press 1029", "state 103"},
                  .expected = {"window: Print Type Settings\nwindow closed\n103 enabled=0"},
                  .absent = {"print:"},
                  .status = 1},
        ScriptRow{.name = "WindowLeftOpenIsCancelled",
                  .commands = {kPT, "select 101 2"},
                  .expected = {"window: Print Type Settings\nwindow closed\n"},
                  .status = 1}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    JobAccounting, Script,
    testing::Values(
        ScriptRow{.name = "ModeListDisabledOnCurrentSystems",
                  .commands = {kJBA, "state 1001", "select 1001 1"},
                  .expected = {"1001 enabled=0 hidden=0 value=2\n"},
                  .status = 1},
        ScriptRow{.name = "SourceSwitchEmptiesThePassword",
                  .commands = {kJBA, "press 1002", "select 3006 2", "type 3007 bob", "type 3009 abcd", "select 3006 1",
                               "state 3009", "state 3007", "press 3002"},
                  .expected = {"window: Administration Mode Details\n", "3009 enabled=1 hidden=0 value=\n",
                               "3007 enabled=1 hidden=1"}},
        ScriptRow{.name = "InvalidUserIDRefusesTheSwitch",
                  .commands = {kJBA, "press 1002", "select 3006 2", "type 3007   ", "select 3006 1", "state 3006",
                               "press 3002"},
                  .expected = {"alert: The user ID must have 1 to 32 characters", "3006 enabled=1 hidden=0 value=2\n"}},
        ScriptRow{
            .name = "PasswordOfFourSpacesIsAccepted",
            .commands = {kJBA, "press 1002", "select 3006 2", "type 3007 bob", "type 3009     ", "press 3001", "print"},
            .expected = {"window closed\nprint: go\n", Ticket("JBAManageTypeListTicketKey", "2"),
                         Ticket("JBAUserIDListCtrlTicket", "2"), Ticket("JBAUserIDTextEditTicket", "bob"),
                         Ticket("JBAUserPasswordTextEditTicket", "OW4LfQ==")},
            .absent = {"alert:"}},
        ScriptRow{.name = "JobUserTypeRefusedWithAnInvalidUserID",
                  .commands = {kJBA, "press 1002", "select 3006 2", "type 3007   ", "check 3017 1", "state 3017",
                               "state 3005", "press 3002"},
                  .expected = {"alert: The user ID must have 1 to 32 characters",
                               "3017 enabled=1 hidden=0 value=0\n"
                               "3005 enabled=1 hidden=0 value=1\n"}},
        ScriptRow{.name = "HelpPagesOfTheHelpName",
                  .commands = {kJBA, "press 1003", "press 1002", "press 3004", "press 3002"},
                  .expected = {"/Help/JBA_QC300.htm\n", "/Help/DetailedUS_QC300.htm\n"}},
        ScriptRow{
            .name = "SummaryWhileAskingAtPrint",
            .commands = {kJBA, "press 1002", "check 3017 1", "press 3001", "summary"},
            .expected = {"Accounting Mode\tAdministration Mode\nUser Details\tAsk for the user ID at every job\n"}},
        ScriptRow{.name = "InputWindowCancelStopsTheJob",
                  .commands = {kJBA, "press 1002", "check 3017 1", "press 3001", "print", "press 4002"},
                  .expected = {"window: User ID for This Job\nwindow closed\nprint: stop\n"}},
        ScriptRow{
            .name = "UserModeWritesTheAdminKeys",
            .commands = {kJBA, "set 1001 1", "press 1002", "select 2006 2", "type 2007 dave", "press 2001", "summary",
                         "print"},
            .expected = {"window: User Mode Details\n",
                         "Accounting Mode\tUser Mode\nUser ID Source\tEnter a user ID\n"
                         "User ID\tdave\n",
                         Ticket("JBAAdminUserIDListCtrlTicket", "2"), Ticket("JBAAdminUserIDTextEditTicket", "dave"),
                         Ticket("JBAManageTypeListTicketKey", "1")}}),
    RowName());

TEST(RememberedValues, ComeBackInTheNextDialog) {
  TempDir dir;
  std::string ppd = PPD(kSettings);
  ScriptRun first = RunScript(ppd, {kPT, "select 101 3", "type 1012 bob", "press 1018", "print"}, dir.path());
  ASSERT_EQ(first.status, 0) << first.err;
  ScriptRun next = RunScript(ppd, {kPT, "state 101", "state 1012", "print"}, dir.path());
  EXPECT_TRUE(InOrder(next.out, {"101 enabled=1 hidden=0 value=3\n1012 enabled=1 hidden=0 value=bob\n",
                                 Ticket("PrintTypeUserNameTicketKey", "bob")}))
      << next.out << next.err;
  EXPECT_EQ(next.out.find("Reference"), std::string::npos) << "remembered values never go with the job";
}

// ---- ovqdialog, the program ---------------------------------------------------------------------------------

struct UsageRow {
  const char* name;
  std::vector<std::string> args;  // "PPD" stands for a readable PPD
  int status;
};

class Usage : public testing::TestWithParam<UsageRow> {};

TEST_P(Usage, ExitStatusSaysWhatWentWrong) {
  TempDir dir;
  WriteFile(dir.File("Test.ppd"), PPD(kSettings));
  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args) {
    if (arg == "PPD") arg = dir.File("Test.ppd");
  }
  RunResult run = RunProgram({.program = BinaryPath("ovqdialog"),
                              .args = args,
                              .env = {{"XDG_CONFIG_HOME", dir.path()}, {"OVQ_EXTENSIONS_PATH", std::nullopt}}});
  EXPECT_EQ(run.exit_status, GetParam().status) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Ovqdialog, Usage,
    testing::Values(UsageRow{.name = "NeitherQueueNorPPD", .args = {"panels"}, .status = 2},
                    UsageRow{.name = "UnknownCommand", .args = {"--ppd", "PPD", "fly 101"}, .status = 2},
                    UsageRow{.name = "UnreadablePPD", .args = {"--ppd", "/nonexistent/x.ppd"}, .status = 1},
                    UsageRow{.name = "NoSuchPanel", .args = {"--ppd", "PPD", "open nvxops15.pde.NoKind"}, .status = 1},
                    UsageRow{
                        .name = "SubmitWithoutQueue", .args = {"--ppd", "PPD", "submit /etc/hostname"}, .status = 1}),
    RowName());

// A user who is not an administrator finds the user-mode window locked once
// mode 1 is set (root runs ovqdialog as "nobody" for this).
TEST(Administrator, NonAdministratorFindsTheUserModeWindowLocked) {
  TempDir dir;
  WriteFile(dir.File("Test.ppd"), PPD(kSettings));
  chmod(dir.path().c_str(), 0777);
  std::vector<std::string> script = {"--ppd",      dir.File("Test.ppd"), kJBA,         "set 1001 1",
                                     "press 1002", "state 2005",         "state 2007", "press 2002"};
  RunSpec spec{.program = BinaryPath("ovqdialog"),
               .args = script,
               .env = {{"XDG_CONFIG_HOME", dir.path()}, {"HOME", dir.path()}}};
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run as another user";
  RunResult admin = RunProgram(spec);
  EXPECT_TRUE(InOrder(admin.out, {"2005 enabled=1", "2007 enabled=1"})) << admin.out << admin.err;
  spec.args.insert(spec.args.begin(),
                   {"--reuid=65534", "--regid=65534", "--clear-groups", "--", BinaryPath("ovqdialog")});
  spec.program = "/usr/bin/setpriv";
  RunResult user = RunProgram(spec);
  EXPECT_EQ(user.exit_status, 0) << user.err;
  EXPECT_TRUE(InOrder(user.out, {"window: User Mode Details\n2005 enabled=0", "2007 enabled=0"}))
      << user.out << user.err;
}

}  // namespace
