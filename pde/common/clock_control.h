// The time-of-day control (a QTimeEdit) for delayed printing, and the date
// conversions around it, on the C library's time zone database.
#pragma once
#include <QTime>
#include <cstdint>
#include <ctime>
#include <string>

#include "base_control.h"

namespace OVQ_PDE_NS {

// Fourteen signed 16-bit fields (28 bytes); the control uses hour and minute.
struct LongDateRec {
  int16_t era = 0;
  int16_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  int16_t hour = 0;
  int16_t minute = 0;
  int16_t second = 0;
  int16_t dayOfWeek = 0;
  int16_t dayOfYear = 0;
  int16_t weekOfYear = 0;
  int16_t pm = 0;
  int16_t reserved[3] = {0, 0, 0};
};
static_assert(sizeof(LongDateRec) == 28);

// The initial time, then the default time.
struct ClockIniData {
  LongDateRec initial;
  LongDateRec defaultTime;
};

// The Gregorian date and time of one moment in the local time zone.
struct DateTimeRec {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "2001-01-01 HH:MM:00 " and the time-zone text, at most size - 1 bytes.
void ConvertLongDateToNSDate(const LongDateRec* record, char* text, size_t size);
// Hour and minute of a date's description ("yyyy-MM-dd HH:mm:ss +zzzz", local
// time): characters 11-12 and 14-15. Only hour and minute are written.
void ConvertNSDateToLongDate(const std::string& description, LongDateRec* record);
// The local zone's standard offset as text: +0530, -1000, +0000, +0100 for
// Berlin also in summer.
std::string GetActualTimeZoneString();
std::string TimeZoneStringAt(std::time_t now);
// |offset on 2005-07-01 12:00 GMT - offset on 2005-01-01 12:00 GMT| of the local zone.
int GetActualDSTSecondOffset();
// The moment's local date and time.
DateTimeRec LocalDateTime(std::time_t moment);
// The ticket value of hour:minute chosen at `now`: today's date when the time
// has not passed, tomorrow's otherwise: "YYYY:MM:DD:HH:MM".
std::string DelayedPrintTicketText(int hour, int minute, std::time_t now);

class ClockControlNvx : public BaseControlNvx {
 public:
  int CreateControl(QWidget* element, const ClockIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName, const char* summaryKey);
  // Value and UI blocks of 28 bytes.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;
  // The picker's hour and minute (the local time it shows), and the moment of reading.
  const uint8_t* GetValueFromUI() override;
  int SetValueFromUIToControl() override;
  int SetControlValueToUI() override;
  int SetExternalValueToUI(const void* data, size_t size) override;
  const uint8_t* GetDefaultDataBlk() const override;
  size_t GetDefaultDataSize() const override { return sizeof(LongDateRec); }
  const uint8_t* GetIniDataBlk() const override;
  size_t GetIniDataSize() const override { return sizeof(LongDateRec); }
  int ConvertFromPreferenceString(const char* text) override;
  int ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) override;
  // The date of the last reading, or the next day when the time has passed.
  int ConvertToTickectData(TicketText& text) override;
  bool ToGetSummaryText() const { return ctrlHideCount == 0 && ctrlConstrainCount == 0; }
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;

  // "HH:MM".
  static std::string ConvertToCFStr(const LongDateRec& record);
  static void ConvertToString(char (&text)[kTextBlockSize], const LongDateRec& record);
  // Hour from the first two characters, minute from the fourth and fifth.
  static void ConvertToDate(LongDateRec* record, const char* text);
  // -1, 0 or 1 as the value's hour:minute is before, at or after the last reading's.
  int CompareTime() const;
  LongDateRec GetTime() const;
  std::time_t GetAbsoluteTime() const { return absoluteTime; }
  const DateTimeRec& GetReadingDate() const { return datetimerec; }

 private:
  void ShowTime(const LongDateRec& record);

  const ClockIniData* clockIniDataPtr = nullptr;
  DateTimeRec datetimerec;
  std::time_t absoluteTime = 0;
  const char* summarytextRef = nullptr;
};

}  // namespace OVQ_PDE_NS
