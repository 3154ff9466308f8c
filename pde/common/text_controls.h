// Text controls: the text field (QLineEdit) with its keystroke formatter (a
// QValidator), the commit checks and their alert; the static text (QLabel).
#pragma once
#include <QValidator>

#include "base_control.h"
#include "input_validation.h"

namespace OVQ_PDE_NS {

// The keystroke check of a text field: an edit that breaks the character
// filter or the maximum width count is refused ("String too long.", a beep).
class TextEditValidator : public QValidator {
 public:
  TextEditValidator(const TextEditFilterData* filter, uint32_t maxLength, QObject* parent);
  State validate(QString& input, int& pos) const override;
  const TextEditFormatterNvx& formatter() const { return formatter_; }
  // The error description of the last refusal ("" when none).
  const std::string& lastError() const { return lastError_; }

 private:
  TextEditFormatterNvx formatter_;
  mutable std::string lastError_;
};

class TextEditCtrlNvx : public BaseControlNvx {
 public:
  int CreateControl(QWidget* element, const TextEditIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName, const TextEditFilterData* filter);
  // Value and UI blocks of 256 bytes; the formatter on the field.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;
  // The field's text (at most 255 bytes, cut at a character boundary) into the UI block.
  const uint8_t* GetValueFromUI() override;
  // The whole text block: the value is NUL-terminated.
  int SetValueFromUIToControl() override;
  int SetControlValueToUI() override;
  int SetExternalValueToUI(const void* data, size_t size) override;
  const uint8_t* GetDefaultDataBlk() const override;
  size_t GetDefaultDataSize() const override { return iniData_ == nullptr ? 0 : kTextBlockSize; }
  const uint8_t* GetIniDataBlk() const override;
  size_t GetIniDataSize() const override { return iniData_ == nullptr ? 0 : kTextBlockSize; }

  // The commit check of the UI value, with the alert on failure.
  int InvalidateData() override;
  // The same without the alert.
  int InvalidateDataAndReturnError() override;
  // The localized message of the filter record in a warning alert; then the
  // field takes the focus again. Nothing without a record, message key, panel or bundle.
  virtual void ShowErrMsg();
  // The same alert with a text of the caller's (a message with its placeholders filled).
  void ShowErrMsgText(const std::string& text);
  // Empties the field.
  virtual void CorrectCtrlUI();

  int ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) override;
  int ConvertFromPreferenceString(const char* text) override;
  // The first 255 bytes of the value (cut at a character boundary).
  int ConvertToTickectData(TicketText& text) override;

  const char* GetText() const { return TextOf(ctrlDataBlkPtr); }
  const char* GetUIText() const { return TextOf(ctrlUIDataBlkPtr); }
  const TextEditIniData* GetTextIniData() const { return iniData_; }
  const TextEditFilterData* GetFilterData() const { return filter_; }

 protected:
  const TextEditIniData* iniData_ = nullptr;
  const TextEditFilterData* filter_ = nullptr;
};

// A label that shows the localized summary key; PPDCtrlShow and PPDCtrlHide do nothing.
class StaticTextEditControlNvx : public TextEditCtrlNvx {
 public:
  int CreateControl(QWidget* element, const TextEditIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName, const TextEditFilterData* filter,
                    const char* summaryKey);
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override {}
  // A label keeps the text it was given: showing values does not touch it.
  int SetControlValueToUI() override { return kControlSuccess; }
  // The given UTF-8 text becomes the label's text.
  int SetExternalValueToUI(const void* data, size_t size) override;
  void PPDCtrlShow() override {}
  void PPDCtrlHide() override {}
  const char* GetSummaryKey() const { return summaryKey_; }

 protected:
  const char* summaryKey_ = nullptr;
};

}  // namespace OVQ_PDE_NS
