#include "clock_control.h"

#include <QDateTime>
#include <QTimeEdit>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base_panel.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

namespace {

constexpr std::time_t kSummer2005Noon = 1120219200;  // 2005-07-01 12:00:00 +0000
constexpr std::time_t kWinter2005Noon = 1104580800;  // 2005-01-01 12:00:00 +0000

long OffsetAt(std::time_t moment, bool* daylight = nullptr) {
  std::tm local{};
  localtime_r(&moment, &local);
  if (daylight != nullptr) *daylight = local.tm_isdst > 0;
  return local.tm_gmtoff;
}

// "0%d:" / "%d:" and "0%d" / "%d".
std::string TwoDigits(int value) { return (value >= 0 && value <= 9 ? "0" : "") + std::to_string(value); }

LongDateRec ReadRecord(const ValueBlock& block) {
  LongDateRec record;
  if (block.size() >= sizeof record) std::memcpy(&record, block.data(), sizeof record);
  return record;
}

void WriteRecord(ValueBlock& block, const LongDateRec& record) {
  if (block.size() >= sizeof record) std::memcpy(block.data(), &record, sizeof record);
}

int TwoCharNumber(const char* text, size_t from) {
  size_t length = std::strlen(text);
  if (from >= length) return 0;
  char digits[3] = {text[from], from + 1 < length ? text[from + 1] : '\0', '\0'};
  return static_cast<int>(std::strtol(digits, nullptr, 10));
}

}  // namespace

int GetActualDSTSecondOffset() {
  return static_cast<int>(std::labs(OffsetAt(kSummer2005Noon) - OffsetAt(kWinter2005Noon)));
}

std::string TimeZoneStringAt(std::time_t now) {
  bool daylight = false;
  long offset = OffsetAt(now, &daylight);
  if (daylight) offset -= GetActualDSTSecondOffset();
  float hours = static_cast<float>(offset) / 3600.0f;
  float whole = std::trunc(hours);
  int value = static_cast<int>(100.0f * whole + (hours - whole) * 60.0f);
  char text[16] = {};
  if (value >= -999 && value < 0) {
    std::snprintf(text, sizeof text, "-0%d", -value);
  } else if (value > 0 && value <= 999) {
    std::snprintf(text, sizeof text, "+0%d", value);
  } else if (value == 0) {
    std::snprintf(text, sizeof text, "+0000");
  } else if (value > 999) {
    std::snprintf(text, sizeof text, "+%d", value);
  } else {
    std::snprintf(text, sizeof text, "%d", value);
  }
  return text;
}

std::string GetActualTimeZoneString() { return TimeZoneStringAt(std::time(nullptr)); }

void ConvertLongDateToNSDate(const LongDateRec* record, char* text, size_t size) {
  if (record == nullptr || text == nullptr || size == 0) return;
  std::string date = "2001-01-01 " + ClockControlNvx::ConvertToCFStr(*record) + ":00 " + GetActualTimeZoneString();
  std::snprintf(text, size, "%s", date.c_str());
}

void ConvertNSDateToLongDate(const std::string& description, LongDateRec* record) {
  if (record == nullptr || description.size() < 16) return;
  record->hour = static_cast<int16_t>(TwoCharNumber(description.c_str(), 11));
  record->minute = static_cast<int16_t>(TwoCharNumber(description.c_str(), 14));
}

DateTimeRec LocalDateTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return DateTimeRec{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string DelayedPrintTicketText(int hour, int minute, std::time_t now) {
  DateTimeRec date = LocalDateTime(now);
  if (hour < date.hour || (hour == date.hour && minute < date.minute)) {
    // The next calendar day: noon of today plus one day, so that a day of 23
    // or 25 hours still moves the date by exactly one.
    std::tm next{};
    localtime_r(&now, &next);
    next.tm_mday += 1;
    next.tm_hour = 12;
    next.tm_min = 0;
    next.tm_sec = 0;
    next.tm_isdst = -1;
    date = LocalDateTime(std::mktime(&next));
  }
  return std::to_string(date.year) + ":" + TwoDigits(date.month) + ":" + TwoDigits(date.day) + ":" + TwoDigits(hour) +
         ":" + TwoDigits(minute);
}

// ---- the control ----------------------------------------------------------------

int ClockControlNvx::CreateControl(QWidget* element, const ClockIniData* ini, const ConstraintRecord* constrain,
                                   const AccessInfo* access, const char* userName, const char* summaryKey) {
  BaseControlNvx::CreateControl(element);
  clockIniDataPtr = ini;
  summarytextRef = summaryKey;
  SetRecords(constrain, access, userName);
  return kControlSuccess;
}

int ClockControlNvx::InitializeCtrl(const Bundle*, ppd_file_t*) {
  // A re-initialization keeps the value.
  if (ctrlDataBlkPtr.size() != sizeof(LongDateRec)) ctrlDataBlkPtr.assign(sizeof(LongDateRec), 0);
  if (ctrlUIDataBlkPtr.size() != sizeof(LongDateRec)) ctrlUIDataBlkPtr.assign(sizeof(LongDateRec), 0);
  ctrlDataSize = sizeof(LongDateRec);
  if (auto* picker = qobject_cast<QTimeEdit*>(ControlPtr)) picker->setDisplayFormat("HH:mm");
  return kControlSuccess;
}

void ClockControlNvx::setTargetandAction() { ConnectAction<QTimeEdit>(&QTimeEdit::editingFinished); }

const uint8_t* ClockControlNvx::GetValueFromUI() {
  auto* picker = qobject_cast<QTimeEdit*>(ControlPtr);
  if (picker == nullptr || ctrlUIDataBlkPtr.empty()) return nullptr;
  // The picker holds the local hour and minute: they are the value as they stand.
  QDateTime shown(QDate(2001, 1, 1), picker->time());
  LongDateRec record;
  ConvertNSDateToLongDate(shown.toString("yyyy-MM-dd HH:mm:ss t").toStdString(), &record);
  std::fill(ctrlUIDataBlkPtr.begin(), ctrlUIDataBlkPtr.end(), 0);
  WriteRecord(ctrlUIDataBlkPtr, record);
  absoluteTime = std::time(nullptr);
  datetimerec = LocalDateTime(absoluteTime);
  return ctrlUIDataBlkPtr.data();
}

int ClockControlNvx::SetValueFromUIToControl() {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  if (ctrlDataSize == 0 || ctrlUIDataBlkPtr.size() != ctrlDataBlkPtr.size()) {
    std::fill(ctrlDataBlkPtr.begin(), ctrlDataBlkPtr.end(), 0);
  } else {
    ctrlDataBlkPtr = ctrlUIDataBlkPtr;
  }
  return kControlSuccess;
}

void ClockControlNvx::ShowTime(const LongDateRec& record) {
  auto* picker = qobject_cast<QTimeEdit*>(ControlPtr);
  if (picker == nullptr) return;
  char text[100] = {};
  ConvertLongDateToNSDate(&record, text, sizeof text);
  picker->setTime(QTime::fromString(QString::fromLatin1(text + 11, 5), "HH:mm"));
}

int ClockControlNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  ShowTime(ReadRecord(ctrlDataBlkPtr));
  return kControlSuccess;
}

int ClockControlNvx::SetExternalValueToUI(const void* data, size_t size) {
  if (data == nullptr || size < sizeof(LongDateRec) || ControlPtr == nullptr) return kControlFailure;
  LongDateRec record;
  std::memcpy(&record, data, sizeof record);
  ShowTime(record);
  return kControlSuccess;
}

const uint8_t* ClockControlNvx::GetDefaultDataBlk() const {
  return clockIniDataPtr == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(&clockIniDataPtr->defaultTime);
}

const uint8_t* ClockControlNvx::GetIniDataBlk() const {
  return clockIniDataPtr == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(&clockIniDataPtr->initial);
}

std::string ClockControlNvx::ConvertToCFStr(const LongDateRec& record) {
  return TwoDigits(record.hour) + ":" + TwoDigits(record.minute);
}

void ClockControlNvx::ConvertToString(char (&text)[kTextBlockSize], const LongDateRec& record) {
  std::snprintf(text, sizeof text, "%s", ConvertToCFStr(record).c_str());
}

void ClockControlNvx::ConvertToDate(LongDateRec* record, const char* text) {
  if (record == nullptr) return;
  *record = LongDateRec{};
  if (text == nullptr) return;
  record->hour = static_cast<int16_t>(TwoCharNumber(text, 0));
  record->minute = static_cast<int16_t>(TwoCharNumber(text, 3));
}

int ClockControlNvx::ConvertFromPreferenceString(const char* text) {
  if (ctrlDataBlkPtr.empty() || text == nullptr) return kControlFailure;
  LongDateRec record;
  ConvertToDate(&record, text);
  WriteRecord(ctrlDataBlkPtr, record);
  return kControlSuccess;
}

int ClockControlNvx::ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::snprintf(text, sizeof text, "%s", ConvertToCFStr(ReadRecord(ctrlDataBlkPtr)).c_str());
  return kControlSuccess;
}

LongDateRec ClockControlNvx::GetTime() const { return ReadRecord(ctrlDataBlkPtr); }

int ClockControlNvx::CompareTime() const {
  LongDateRec value = GetTime();
  int chosen = value.hour * 60 + value.minute;
  int read = datetimerec.hour * 60 + datetimerec.minute;
  return chosen < read ? -1 : chosen == read ? 0 : 1;
}

int ClockControlNvx::ConvertToTickectData(TicketText& text) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  if (absoluteTime == 0) {
    absoluteTime = std::time(nullptr);
    datetimerec = LocalDateTime(absoluteTime);
  }
  LongDateRec value = GetTime();
  std::snprintf(text, sizeof text, "%s", DelayedPrintTicketText(value.hour, value.minute, absoluteTime).c_str());
  return kControlSuccess;
}

int ClockControlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (!ToGetSummaryText() || GetValueFromUI() == nullptr) return kControlSuccess;
  std::string title = Localize(summarytextRef);
  summary[title] = ConvertToCFStr(ReadRecord(ctrlUIDataBlkPtr));
  order.push_back(title);
  return kControlSuccess;
}

}  // namespace OVQ_PDE_NS
