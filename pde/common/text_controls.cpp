#include "text_controls.h"

#include <QLineEdit>
#include <cstring>

#include "base_panel.h"
#include "controls.h"
#include "modal_service.h"
#include "system_access.h"
#include "text_encoding.h"

namespace OVQ_PDE_NS {

TextEditValidator::TextEditValidator(const TextEditFilterData* filter, uint32_t maxLength, QObject* parent)
    : QValidator(parent) {
  formatter_.initWithFilter(filter, maxLength);
}

QValidator::State TextEditValidator::validate(QString& input, int&) const {
  std::u16string_view text(reinterpret_cast<const char16_t*>(input.utf16()), static_cast<size_t>(input.size()));
  lastError_.clear();
  return formatter_.isPartialStringValid(text, &lastError_) ? Acceptable : Invalid;
}

int TextEditCtrlNvx::CreateControl(QWidget* element, const TextEditIniData* ini, const ConstraintRecord* constrain,
                                   const AccessInfo* access, const char* userName, const TextEditFilterData* filter) {
  BaseControlNvx::CreateControl(element);
  iniData_ = ini;
  filter_ = filter;
  SetRecords(constrain, access, userName);
  return kControlSuccess;
}

int TextEditCtrlNvx::InitializeCtrl(const Bundle*, ppd_file_t*) {
  // A re-initialization keeps the value and the formatter.
  if (ctrlDataBlkPtr.size() != kTextBlockSize) ctrlDataBlkPtr.assign(kTextBlockSize, 0);
  if (ctrlUIDataBlkPtr.size() != kTextBlockSize) ctrlUIDataBlkPtr.assign(kTextBlockSize, 0);
  ctrlDataSize = kTextBlockSize;
  auto* field = qobject_cast<QLineEdit*>(ControlPtr);
  if (field != nullptr && iniData_ != nullptr &&
      dynamic_cast<const TextEditValidator*>(field->validator()) == nullptr) {
    field->setValidator(new TextEditValidator(filter_, iniData_->maxLength, field));
  }
  return kControlSuccess;
}

void TextEditCtrlNvx::setTargetandAction() { ConnectAction<QLineEdit>(&QLineEdit::editingFinished); }

const uint8_t* TextEditCtrlNvx::GetValueFromUI() {
  auto* field = qobject_cast<QLineEdit*>(ControlPtr);
  if (ctrlUIDataBlkPtr.empty() || field == nullptr) return nullptr;
  WriteText(ctrlUIDataBlkPtr, field->text().toStdString());
  return ctrlUIDataBlkPtr.data();
}

int TextEditCtrlNvx::SetValueFromUIToControl() {
  if (ctrlUIDataBlkPtr.empty() || ctrlDataBlkPtr.empty()) return kControlSuccess;
  ctrlDataBlkPtr = ctrlUIDataBlkPtr;
  return kControlSuccess;
}

int TextEditCtrlNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  SetElementText(ControlPtr, QString::fromUtf8(GetText()));
  return kControlSuccess;
}

int TextEditCtrlNvx::SetExternalValueToUI(const void* data, size_t size) {
  if (data == nullptr || ControlPtr == nullptr) return kControlFailure;
  const char* text = static_cast<const char*>(data);
  SetElementText(ControlPtr, QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, size))));
  return kControlSuccess;
}

const uint8_t* TextEditCtrlNvx::GetDefaultDataBlk() const {
  return iniData_ == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(iniData_->defaultText);
}

const uint8_t* TextEditCtrlNvx::GetIniDataBlk() const {
  return iniData_ == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(iniData_->initialText);
}

int TextEditCtrlNvx::InvalidateDataAndReturnError() {
  return CheckCommittedText(iniData_, filter_, GetUIText()) == TextCheck::kValid ? kControlSuccess : kControlFailure;
}

int TextEditCtrlNvx::InvalidateData() {
  if (InvalidateDataAndReturnError() == kControlSuccess) return kControlSuccess;
  ShowErrMsg();
  return kControlFailure;
}

void TextEditCtrlNvx::ShowErrMsg() {
  if (filter_ == nullptr || filter_->messageKey == nullptr) return;
  ShowErrMsgText(Localize(filter_->messageKey));
}

void TextEditCtrlNvx::ShowErrMsgText(const std::string& text) {
  const Bundle* bundle = GetBundle();
  if (ctrlParentPanelPtr == nullptr || bundle == nullptr) return;
  AlertRequest alert;
  alert.icon = QMessageBox::Warning;
  alert.iconPath = QString::fromStdString(bundle->ResourcePath() + "/" + kAlertIconName);
  alert.informativeText = QString::fromStdString(text);
  alert.buttons << QString::fromStdString(Localize(kAlertOKButtonKey));
  alert.parent = ControlPtr != nullptr ? ControlPtr->window() : nullptr;
  RunAlert(alert);
  if (ControlPtr != nullptr) ControlPtr->setFocus();
}

void TextEditCtrlNvx::CorrectCtrlUI() {
  if (auto* field = qobject_cast<QLineEdit*>(ControlPtr)) field->clear();
}

int TextEditCtrlNvx::ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::string_view value = CutUTF8(GetText(), kPreferenceTextSize - 1);
  std::memcpy(text, value.data(), value.size());
  return kControlSuccess;
}

int TextEditCtrlNvx::ConvertFromPreferenceString(const char* text) {
  if (ctrlDataBlkPtr.empty() || text == nullptr) return kControlFailure;
  WriteText(ctrlDataBlkPtr, text);
  return kControlSuccess;
}

int TextEditCtrlNvx::ConvertToTickectData(TicketText& text) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::string_view value = CutUTF8(GetText(), kTextBlockSize - 1);
  std::memcpy(text, value.data(), value.size());
  return kControlSuccess;
}

int StaticTextEditControlNvx::CreateControl(QWidget* element, const TextEditIniData* ini,
                                            const ConstraintRecord* constrain, const AccessInfo* access,
                                            const char* userName, const TextEditFilterData* filter,
                                            const char* summaryKey) {
  TextEditCtrlNvx::CreateControl(element, ini, constrain, access, userName, filter);
  summaryKey_ = summaryKey;
  return kControlSuccess;
}

int StaticTextEditControlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  TextEditCtrlNvx::InitializeCtrl(bundle, ppd);
  if (summaryKey_ == nullptr || bundle == nullptr) return kControlSuccess;
  SetElementText(ControlPtr,
                 QString::fromStdString(bundle->LocalizedString(summaryKey_, kNoTranslation, GetLocalizeTableName())));
  return kControlSuccess;
}

int StaticTextEditControlNvx::SetExternalValueToUI(const void* data, size_t size) {
  return TextEditCtrlNvx::SetExternalValueToUI(data, size);
}

}  // namespace OVQ_PDE_NS
