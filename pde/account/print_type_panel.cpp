#include "print_type_panel.h"

#include <QLabel>
#include <QPixmap>
#include <cstdlib>
#include <cstring>

#include "settings_access.h"
#include "system_access.h"
#include "text_encoding.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

constexpr const char* kSetupWindowTitleKey = "Job Type Setup Window Title";
constexpr ClockIniData kStartTimeIni{};  // 00:00

int32_t BlockInt(const ValueBlock& block) {
  int32_t value = 0;
  if (block.size() >= sizeof value) std::memcpy(&value, block.data(), sizeof value);
  return value;
}

void SetBlockInt(ValueBlock& block, int32_t value) {
  block.assign(sizeof value, 0);
  std::memcpy(block.data(), &value, sizeof value);
}

std::string BlockText(const ValueBlock& block) {
  if (block.empty()) return {};
  return std::string(reinterpret_cast<const char*>(block.data()),
                     strnlen(reinterpret_cast<const char*>(block.data()), block.size()));
}

void SetBlockText(ValueBlock& block, std::string_view text) {
  block.assign(kTextBlockSize, 0);
  text = CutUTF8(text.substr(0, text.find('\0')), kTextBlockSize - 1);
  std::memcpy(block.data(), text.data(), text.size());
}

}  // namespace

// ---- setup windows -------------------------------------------------------------------------------

int PTSetupWindowNvx::Build(QWidget* view, const char* objectName) {
  auto* window = view == nullptr ? nullptr : view->findChild<QDialog*>(objectName);
  if (window == nullptr) return kPanelFailure;
  PopupWinInPanel(window, kSetupWindowTitleKey);
  BuildFields();
  AddButton(*this, window, tags_.Help(), nullptr, [this] { panel_->OpenHelpPage("SelectJobType_"); });
  AddButton(*this, window, tags_.Restore(), "PT Setup Window Rstr Buttons", [this] { SetDefaultValueToUI(); });
  AddButton(*this, window, tags_.OK(), "PT Setup Window OK Buttons", [this] { OnOK(); });
  AddButton(*this, window, tags_.Cancel(), "PT Setup Window Cancel Buttons", [this] { OnCancel(); });
  return kPanelNoErr;
}

bool PTSetupWindowNvx::Bound() const {
  bool userWindow = printType_ == kPrintTypeSecure || printType_ == kPrintTypeSample;
  return !(userWindow && panel_->getWKSPDFDriver());
}

template <typename Field>
Field* PTSetupWindowNvx::AddField(int32_t tag, const FieldLimits* limits, const AccessInfo* access,
                                  const char* summaryKey) {
  auto field = std::make_unique<Field>();
  field->CreateField(FindElementByTag(window_, tag), limits, access, summaryKey);
  return AddControl(std::move(field));
}

void PTSetupWindowNvx::AddLabel(int32_t tag, const char* key) { OVQ_PDE_NS::AddLabel(*this, window_, tag, key); }

void PTSetupWindowNvx::AddDocumentFields(bool mailBoxWindow, std::span<const int32_t> validation,
                                         const ConstraintRecord* constraints) {
  bool bound = Bound();
  int32_t type = panel_->getPDEType();
  auto list = std::make_unique<PTListCtrlExtNvx>();
  list->CreateControl(FindElementByTag(window_, tags_.Field(4)),
                      bound ? &DocumentNameTypeIni(type, mailBoxWindow) : nullptr, bound ? constraints : nullptr,
                      nullptr, nullptr);
  list->SetValidation(validation, mailBoxWindow ? "MailBox Retrieve Document Name" : "Retrieve Document Name");
  if (bound) list->ShareValue(&panel_->getPrintTypeDocumentListDataBlk());
  AddControl(std::move(list));
  const FieldLimits* limits =
      bound ? &PrintTypeDocumentNameLimits(type, panel_->getWKSPDFDriver(), mailBoxWindow) : nullptr;
  auto* name = AddField<PTDUTextEditCtrlNvx>(tags_.Field(5), limits, nullptr,
                                             mailBoxWindow ? "MailBox Document Name" : "Document Name");
  if (bound && name != nullptr) name->ShareValue(&panel_->getPrintTypeDocumentNameDataBlk());
}

void SamplePrintWindowNvx::BuildFields() {
  const FieldLimits* limits =
      Bound() ? &PrintTypeUserIDLimits(panel_->getPDEType(), panel_->getWKSPDFDriver()) : nullptr;
  AddLabel(tags_.Title(2), "Print Type User Name Text");
  auto* user = AddField<PTUITextEditCtrlNvx>(tags_.Field(2), limits, nullptr, "User ID");
  if (limits != nullptr && user != nullptr) user->ShareValue(&panel_->getPrintTypeUserNameDataBlk());
  AddLabel(tags_.Title(4), "Retrieve Document Name List");
  AddLabel(tags_.Title(5), "Document Name Text");
  AddDocumentFields(false, DocumentNameConstraints<1010>::validation, &DocumentNameConstraints<1010>::record);
}

void SecurePrintWindowNvx::BuildFields() {
  bool bound = Bound();
  const FieldLimits* limits = bound ? &PrintTypeUserIDLimits(panel_->getPDEType(), panel_->getWKSPDFDriver()) : nullptr;
  AddLabel(tags_.Title(2), "Print Type User Name Text");
  PTUITextEditCtrlNvx* user = panel_->IsKeywordSupported()
                                  ? AddField<KPTWNDLOGINTECTRL>(tags_.Field(2), limits, nullptr, "User ID")
                                  : AddField<PTUITextEditCtrlNvx>(tags_.Field(2), limits, nullptr, "User ID");
  if (bound && user != nullptr) user->ShareValue(&panel_->getPrintTypeUserNameDataBlk());
  passcode_ = AddField<PTPWTextEditCtrlNvx>(tags_.Field(6), bound ? &kSecurePasscode : nullptr,
                                            bound ? &kPasscodeAccess : nullptr, "Password");
  auto label = std::make_unique<PTPWStaticTextEditControlNvx>();
  label->CreateControl(FindElementByTag(window_, tags_.Title(6)), nullptr, nullptr, nullptr, nullptr, nullptr,
                       "Password Text");
  AddControl(std::move(label));
  AddLabel(tags_.Title(4), "Retrieve Document Name List");
  AddLabel(tags_.Title(5), "Document Name Text");
  AddDocumentFields(false, DocumentNameConstraints<1020>::validation, &DocumentNameConstraints<1020>::record);
}

void DelayedPrintWindowNvx::BuildFields() {
  auto clock = std::make_unique<ClockControlNvx>();
  clock->CreateControl(FindElementByTag(window_, tags_.Field(6)), &kStartTimeIni, nullptr, &kDelayPrintAccess, nullptr,
                       "Start Print Time");
  AddControl(std::move(clock));
  AddLabel(tags_.Title(6), "Start Print Time Text");
  AddLabel(tags_.Title(4), "Retrieve Document Name List");
  AddLabel(tags_.Title(5), "Document Name Text");
  AddDocumentFields(false, DocumentNameConstraints<1030>::validation, &DocumentNameConstraints<1030>::record);
}

void MailBoxPrintWindowNvx::BuildFields() {
  AddLabel(tags_.Title(1), "MailBox Number Text");
  AddLabel(tags_.Title(2), "MBN Password Text");
  AddField<PTMBNTextEditCtrlNvx>(tags_.Field(1), &kMailBoxNumber, &kMailBoxNumberAccess, "MailBox Number ID");
  AddField<PTMBNTextEditCtrlExtNvx>(tags_.Field(2), &kMailBoxPasscode, &kMailBoxPasscodeAccess, "MNB Password");
  AddLabel(tags_.Title(4), "MailBox Document Name List");
  AddLabel(tags_.Title(5), "MailBox Document Name Text");
  AddDocumentFields(true, DocumentNameConstraints<1040>::validation, &DocumentNameConstraints<1040>::record);
}

int PTSetupWindowNvx::ActivateWindow() {
  if (!IsActived()) ChangeActivedStatus(true);
  return PopupWinInPanelNvx::ActivateWindow();
}

void PTSetupWindowNvx::OnOK() {
  SycValueFromUI();
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->PreInvalidateData() != kControlSuccess || control->InvalidateData() != kControlSuccess) return;
  }
  SetValueFromUIToControl();
  PTListCtrlNvx* list = panel_->getPrintTypeListCtrlPtr();
  if (list != nullptr && list->Chosen() == kPrintTypeDelayed && panel_->getDelayedPrintWndPtr() != nullptr) {
    panel_->getDelayedPrintWndPtr()->confirmed_ = true;
  }
  DeactivateWindow(QDialog::Accepted);
}

void PTSetupWindowNvx::OnCancel() {
  bool valid = true;
  for (const auto& control : getCtrlGroupArrayRef())
    valid = control->InvalidateDataOnCancel() == kControlSuccess && valid;
  PTListCtrlNvx* list = panel_->getPrintTypeListCtrlPtr();
  DelayedPrintWindowNvx* delayed = panel_->getDelayedPrintWndPtr();
  bool unconfirmedDelay =
      list != nullptr && list->Chosen() == kPrintTypeDelayed && (delayed == nullptr || !delayed->IsConfirmed());
  if (!valid || unconfirmedDelay) panel_->RestoreDefaults(kCancelDefaultIDs);
  DeactivateWindow(QDialog::Rejected);
}

int PTSetupWindowNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  PTListCtrlNvx* list = panel_->getPrintTypeListCtrlPtr();
  if (list == nullptr || list->GetValue() != printType_) return kPanelNoErr;
  return PopupWinInPanelNvx::GetSummaryText(summary, order);
}

// ---- the passcode notice window -------------------------------------------------------------------

int AboutWindow::Build(QWidget* view) {
  auto* window = view == nullptr ? nullptr : view->findChild<QDialog*>("PassCodeAboutWindow");
  if (window == nullptr) return kPanelFailure;
  PopupWinInPanel(window, nullptr);
  auto message = std::make_unique<StaticTextEditControlNvx>();
  message->CreateControl(window->findChild<QLabel*>("noticeMessage"), nullptr, nullptr, nullptr, nullptr, nullptr,
                         "Message61");
  AddControl(std::move(message));
  AddButton(*this, window, kNoticeOKTag, "PT Message OK Btn", [this] { OnOK(); });
  AddButton(*this, window, kNoticeCancelTag, "PT Message CANCEL Btn", [this] { OnCancel(); });
  return kPanelNoErr;
}

int AboutWindow::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  int result = PopupWinInPanelNvx::InitializeUserPane(bundle, ppd);
  auto* icon = window_ == nullptr ? nullptr : window_->findChild<QLabel*>("noticeIcon");
  if (icon != nullptr && bundle != nullptr) {
    QPixmap image(QString::fromStdString(bundle->ResourcePath() + "/" + kAlertIconName));
    if (!image.isNull()) icon->setPixmap(image);
  }
  return result;
}

int AboutWindow::Present() { return ActivateWindow(); }

void AboutWindow::OnOK() {
  panel_->RestoreDefaults(kCancelDefaultIDs);  // printed as a normal job
  DeactivateWindow(QDialog::Accepted);
  panel_->setJobStatus(kJobStatusGo);
}

void AboutWindow::OnCancel() {
  if (QWidget* setup = panel_->SetupButton()) setup->setFocus();
  panel_->setJobStatus(kJobStatusStop);
  DeactivateWindow(QDialog::Rejected);
}

// ---- the panel ---------------------------------------------------------------------------------------

PrintTypeOvqPDEj15::PrintTypeOvqPDEj15(PDEHostCallback* callback) : AccountPanelNvx(callback, kPrintTypeProducts) {}

int PrintTypeOvqPDEj15::BuildPanel(QWidget* view, ppd_file_t* ppd) {
  keywordSupported_ = CheckIfPPDKeywordSupported(ppd, "OVXPrintTypeSettings", "");
  bool cdfSupported = IsCDFSupported(ppd);
  bool wks = getWKSPDFDriver();
  getEncryptArray().clear();
  SetBlockInt(documentTypeBlock_, 1);
  SetBlockText(documentNameBlock_, "");
  SetBlockText(userNameBlock_, "");

  AddLabel(*this, view, kPrintTypePopupListitleTag, "Print Type List");
  auto list = std::make_unique<PTListCtrlNvx>();
  if (wks) {
    list->CreateControl(Element(kPrintTypePopupListTag), nullptr, nullptr, nullptr, nullptr);
  } else {
    list->CreateControl(Element(kPrintTypePopupListTag),
                        keywordSupported_ ? &kWKSPDFPrintTypeListIni : &kPrintTypeListIni, &kPrintTypeConstraints,
                        &kPrintTypeAccess, nullptr);
  }
  list->Bind(this, ppdFindAttr_ALT(ppd, "OVXMailBoxSettings") != nullptr);
  list_ = AddControl(std::move(list));
  AddButton(*this, view, kSetupButtonTag, "Setup Button Title", [this] { OnSetup(); });

  sample_ = AddWindow(std::make_unique<SamplePrintWindowNvx>(this));
  secure_ = AddWindow(std::make_unique<SecurePrintWindowNvx>(this));
  delayed_ = AddWindow(std::make_unique<DelayedPrintWindowNvx>(this));
  mailBox_ = AddWindow(std::make_unique<MailBoxPrintWindowNvx>(this));
  int built = sample_->Build(view, "SamplePrintWindow") | secure_->Build(view, "SecurePrintWindow") |
              delayed_->Build(view, "DelayedPrintWindow") | mailBox_->Build(view, "MailBoxPrintWindow");
  if (secure_->Passcode() != nullptr) getEncryptArray().emplace_back(secure_->Passcode()->GetControlPtr());
  if (BaseControlNvx* passcode = mailBox_->GetPanelControl(kMailBoxTags.Field(2))) {
    getEncryptArray().emplace_back(passcode->GetControlPtr());
  }

  AddButton(*this, view, kPrintTypeRestoreButtonTag, "Restore Button Title", [this] { OnRestore(); });
  auto help = std::make_unique<PTHelpButtonNvx>();
  help->CreateControl(Element(kPrintTypeHelpButtonTag), nullptr, [this] { RunHelpButton(); });
  SetHasHelpButton(AddControl(std::move(help)) != nullptr);
  auto version = std::make_unique<PTVerStringSTextNvx>();
  version->CreateControl(Element(kPrintTypeVersionTag), nullptr, cdfSupported);
  AddControl(std::move(version));

  auto error = std::make_unique<ErrMsgWindow>();
  error->CreateErrMsgWindow(view, nullptr);
  errWindow_ = AddWindow(std::move(error));
  about_ = AddWindow(std::make_unique<AboutWindow>(this));
  built |= about_->Build(view);

  bPPDkeyPassCodeExist = false;
  JobStatus = kJobStatusStop;
  return built == kPanelNoErr ? kPanelNoErr : kPanelFailure;
}

int PrintTypeOvqPDEj15::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  bPPDkeyPassCodeExist = CheckPPDKeyIsExist(ppd, "OVPTPasswdLimit");
  return AccountPanelNvx::InitializeUserPane(bundle, ppd);
}

PTSetupWindowNvx* PrintTypeOvqPDEj15::WindowForPrintType(int32_t value) const {
  switch (value) {
    case kPrintTypeSecure:
      return secure_;
    case kPrintTypeSample:
      return sample_;
    case kPrintTypeDelayed:
      return delayed_;
    case kPrintTypeMailBox:
      return mailBox_;
    default:
      return nullptr;
  }
}

QWidget* PrintTypeOvqPDEj15::SetupButton() const { return Element(kSetupButtonTag); }

void PrintTypeOvqPDEj15::RestoreDefaults(std::span<const int32_t> ids) {
  for (int32_t id : ids) {
    BaseControlNvx* control = GetPanelControl(id);
    if (control == nullptr) continue;
    control->SetDefaultValueToUI();
    control->UIEventHandler();  // the change is replayed so that the constraints follow
    control->GetValueFromUI();
  }
}

void PrintTypeOvqPDEj15::OnSetup() {
  if (list_ == nullptr) return;
  if (PTSetupWindowNvx* window = WindowForPrintType(list_->GetValue())) window->ActivateWindow();
}

void PrintTypeOvqPDEj15::OnRestore() {
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->SetControlValueToDefault() != kControlSuccess) continue;
    control->SetControlValueToUI();
    control->SimulationUIEventHandler();
  }
}

bool PrintTypeOvqPDEj15::OnClickPrintCommand() {
  JobStatus = kJobStatusGo;
  PTPWTextEditCtrlNvx* passcode = secure_ == nullptr ? nullptr : secure_->Passcode();
  if (list_ == nullptr || list_->GetValue() != kPrintTypeSecure || passcode == nullptr || !passcode->IsBound()) {
    return true;
  }
  const char* text = passcode->GetText();
  std::u16string units;
  bool digits = UTF8ToUTF16(text, &units) && validateInput(units, &kSecurePasscode.filter);
  uint32_t width = PTTextFieldNvx::Width(text);
  // A check that shows a message stops the job: it would be held for a passcode
  // that cannot be entered at the printer.
  bool shown = false;
  if ((*text != '\0' && !digits) || width > kSecurePasscode.ini.maxLength) {
    passcode->ShowErrMsgText(passcode->LengthMessage());
    shown = true;
  } else if (width < passcode->Minimum()) {
    if (bPPDkeyPassCodeExist && about_ != nullptr) {
      about_->Present();
    } else {
      passcode->ShowErrMsgText(Localize("Message60"));
      shown = true;
    }
  }
  return !shown && JobStatus == kJobStatusGo;
}

int PrintTypeOvqPDEj15::LoadRememberedValues() {
  std::string text;
  int32_t held = BlockInt(documentTypeBlock_);
  int32_t type = ReadRemembered(kDocumentNameTypeReference, &text)
                     ? std::atoi(text.c_str())
                     : DocumentNameTypeIni(getPDEType(), false).defaultValue;
  if (type != 1 && type != 2) type = held == 2 ? 2 : 1;
  SetBlockInt(documentTypeBlock_, type);
  SetBlockText(documentNameBlock_, ReadRemembered(kDocumentNameReference, &text) ? text : "");
  std::string user = keywordSupported_ ? KPTWNDLOGINTECTRL::LoginNameDefault() : "";
  SetBlockText(userNameBlock_, ReadRemembered(kPrintTypeUserNameReference, &text) ? text : user);
  return AccountPanelNvx::LoadRememberedValues();
}

int PrintTypeOvqPDEj15::RememberValues() {
  bool kept = WriteRemembered(kDocumentNameTypeReference, std::to_string(BlockInt(documentTypeBlock_))) &&
              WriteRemembered(kDocumentNameReference, BlockText(documentNameBlock_)) &&
              WriteRemembered(kPrintTypeUserNameReference, BlockText(userNameBlock_));
  int controls = AccountPanelNvx::RememberValues();
  return kept && controls == kPanelNoErr ? kPanelNoErr : kPanelFailure;
}

int PrintTypeOvqPDEj15::SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray) {
  SetValueToSettingsWithTicketKeyAndLock(std::to_string(getPDEType()).c_str(), settings, kPrintTypeProductTypeTicketKey,
                                         locked);
  if (!getWKSPDFDriver()) {
    SetValueToSettingsWithTicketKeyAndLock(std::to_string(BlockInt(documentTypeBlock_)).c_str(), settings,
                                           kDocumentNameTypeTicketKey, locked);
    SetValueToSettingsWithTicketKeyAndLock(TicketTextForm(BlockText(documentNameBlock_)).c_str(), settings,
                                           kDocumentNameTicketKey, locked);
    SetValueToSettingsWithTicketKeyAndLock(TicketTextForm(BlockText(userNameBlock_)).c_str(), settings,
                                           kPrintTypeUserNameTicketKey, locked);
  }
  return AccountPanelNvx::SetValueToTicket(settings, locked, encryptArray);
}

bool PrintTypeOvqPDEj15::saveValuesAndReturnError(std::string* error) {
  if (IsFirstInitialize()) return true;  // nothing built, nothing to save
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->InvalidateDataAndReturnError() != kControlSuccess) {
      if (error != nullptr) *error = "a value of the panel is not valid";
      return false;
    }
  }
  return SaveValues(error);
}

}  // namespace OVQ_PDE_NS
