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

// At local time `at` in the zone (its name and standard offset) the time of
// day at the end of `ticket` is asked for.
struct RollOverRow {
  const char *name, *zone, *at, *ticket;
};
class RollOver : public ::testing::TestWithParam<RollOverRow> {};

TEST_P(RollOver, TodayUnlessTheTimeHasPassed) {
  const RollOverRow& row = GetParam();
  const std::string zone_text = row.zone;
  ZoneScope zone(zone_text.substr(0, zone_text.find(' ')).c_str());
  std::tm local{};
  ASSERT_EQ(std::sscanf(row.at, "%d-%d-%d %d:%d", &local.tm_year, &local.tm_mon, &local.tm_mday, &local.tm_hour,
                        &local.tm_min),
            5);
  local.tm_year -= 1900;
  local.tm_mon -= 1;
  local.tm_isdst = -1;
  const std::time_t now = std::mktime(&local);
  EXPECT_EQ(DelayedPrintTicketText(std::atoi(row.ticket + 11), std::atoi(row.ticket + 14), now), row.ticket);
  EXPECT_EQ(TimeZoneStringAt(now), zone_text.substr(zone_text.find(' ') + 1));
}

// Month and year ends are the C library's; the day summer time ends has 25
// hours: a day later is still the next date.
const RollOverRow kRows[] = {
    {.name = "KolkataSameMinute", .zone = "Asia/Kolkata +0530", .at = "2026-12-31 23:59", .ticket = "2026:12:31:23:59"},
    {.name = "HonoluluMonthEnd",
     .zone = "Pacific/Honolulu -1000",
     .at = "2026-02-28 10:00",
     .ticket = "2026:03:01:09:59"},
    {.name = "BerlinLongDay", .zone = "Europe/Berlin +0100", .at = "2026-10-25 00:10", .ticket = "2026:10:26:00:05"},
};
INSTANTIATE_TEST_SUITE_P(Clock, RollOver, ::testing::ValuesIn(kRows), RowName());

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
