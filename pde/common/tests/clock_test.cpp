// The time-of-day control and its dates, in real time zones of the C library.
#include <gtest/gtest.h>

#include <QTimeEdit>
#include <cstdlib>
#include <ctime>

#include "base_panel.h"
#include "clock_control.h"
#include "param_name.h"
#include "qt_test_support.h"

using namespace ovqpde;

namespace {

// Sets TZ for the scope of a test.
class ZoneScope {
 public:
  explicit ZoneScope(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneScope() {
    if (saved_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", saved_.c_str(), 1);
    }
    tzset();
  }

 private:
  std::string saved_;
};

std::time_t LocalMoment(int year, int month, int day, int hour, int minute) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

struct RollOverRow {
  const char* name;
  const char* zone;
  int now[5];  // local year, month, day, hour, minute when the value is read
  int hour;
  int minute;
  const char* ticket;
  const char* zoneText;  // the standard offset
};

class RollOver : public ::testing::TestWithParam<RollOverRow> {};

TEST_P(RollOver, TodayUnlessTheTimeHasPassed) {
  const RollOverRow& row = GetParam();
  ZoneScope zone(row.zone);
  std::time_t now = LocalMoment(row.now[0], row.now[1], row.now[2], row.now[3], row.now[4]);
  EXPECT_EQ(DelayedPrintTicketText(row.hour, row.minute, now), row.ticket);
  EXPECT_EQ(TimeZoneStringAt(now), row.zoneText);
}

INSTANTIATE_TEST_SUITE_P(Clock, RollOver,
                         ::testing::Values(RollOverRow{.name = "KolkataYearEnd",
                                                       .zone = "Asia/Kolkata",
                                                       .now = {2026, 12, 31, 23, 59},
                                                       .hour = 23,
                                                       .minute = 58,
                                                       .ticket = "2027:01:01:23:58",
                                                       .zoneText = "+0530"},
                                           RollOverRow{.name = "KolkataSameMinute",
                                                       .zone = "Asia/Kolkata",
                                                       .now = {2026, 12, 31, 23, 59},
                                                       .hour = 23,
                                                       .minute = 59,
                                                       .ticket = "2026:12:31:23:59",
                                                       .zoneText = "+0530"},
                                           RollOverRow{.name = "HonoluluMonthEnd",
                                                       .zone = "Pacific/Honolulu",
                                                       .now = {2026, 2, 28, 10, 0},
                                                       .hour = 9,
                                                       .minute = 59,
                                                       .ticket = "2026:03:01:09:59",
                                                       .zoneText = "-1000"},
                                           RollOverRow{.name = "BerlinSummerMonthEnd",
                                                       .zone = "Europe/Berlin",
                                                       .now = {2026, 7, 31, 22, 30},
                                                       .hour = 22,
                                                       .minute = 29,
                                                       .ticket = "2026:08:01:22:29",
                                                       .zoneText = "+0100"},
                                           // The day summer time ends has 25 hours: a day later is still the next date.
                                           RollOverRow{.name = "BerlinLongDay",
                                                       .zone = "Europe/Berlin",
                                                       .now = {2026, 10, 25, 0, 10},
                                                       .hour = 0,
                                                       .minute = 5,
                                                       .ticket = "2026:10:26:00:05",
                                                       .zoneText = "+0100"},
                                           RollOverRow{.name = "UTC",
                                                       .zone = "UTC",
                                                       .now = {2026, 1, 1, 0, 0},
                                                       .hour = 0,
                                                       .minute = 0,
                                                       .ticket = "2026:01:01:00:00",
                                                       .zoneText = "+0000"}),
                         RowName());

class ClockControl : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    view_ = std::make_unique<QWidget>();
    picker_ = new QTimeEdit(view_.get());
    panel_.CreatePanel(view_.get());
    auto control = std::make_unique<ClockControlNvx>();
    control->CreateControl(picker_, &ini_, nullptr, nullptr, nullptr, "Start Time");
    clock_ = panel_.AddControl(std::move(control));
    panel_.InitializeUserPane(nullptr, nullptr);
  }

  ClockIniData ini_{.initial = {}, .defaultTime = {.hour = 18, .minute = 30}};
  std::unique_ptr<QWidget> view_;
  QTimeEdit* picker_ = nullptr;
  BasePrintPanelNvx panel_;
  ClockControlNvx* clock_ = nullptr;
};

// The picker shows local time: its hour and minute are the value, with no zone offset added.
TEST_F(ClockControl, PickerTimeIsTheValue) {
  ZoneScope zone("Asia/Kolkata");
  picker_->setTime(QTime(9, 5));
  panel_.SetValueFromUIToControl();
  EXPECT_EQ(clock_->GetTime().hour, 9);
  EXPECT_EQ(clock_->GetTime().minute, 5);
  char text[kPreferenceTextSize] = {};
  clock_->ConvertToPreferenceString(text);
  EXPECT_STREQ(text, "09:05");
}

TEST_F(ClockControl, PreferenceTextRestoresTheTime) {
  ZoneScope zone("Pacific/Honolulu");
  ASSERT_EQ(clock_->ConvertFromPreferenceString("07:30"), kControlSuccess);
  clock_->SetControlValueToUI();
  EXPECT_EQ(picker_->time(), QTime(7, 30));
  clock_->SetControlValueToDefault();
  clock_->SetControlValueToUI();
  EXPECT_EQ(picker_->time(), QTime(18, 30));
}

}  // namespace
