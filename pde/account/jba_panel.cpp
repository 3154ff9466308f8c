#include "jba_panel.h"

#include <QAbstractButton>
#include <cstring>

#include "client_info.h"
#include "group_membership.h"
#include "modal_service.h"
#include "preferences.h"
#include "system_access.h"
#include "text_encoding.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

template <typename Tables>
constexpr JBAWindowSpec WindowSpec(int32_t base, int modeIndex, const char* objectName, const char* titleKey,
                                   const JBAWindowKeys* keys) {
  return JBAWindowSpec{base,
                       modeIndex,
                       objectName,
                       titleKey,
                       keys,
                       &Tables::commonRecord,
                       &Tables::jobRecord,
                       Tables::jobValidation,
                       &Tables::sourceRecord,
                       Tables::sourceValidation};
}

constexpr JBAWindowSpec kUserModeWindow =
    WindowSpec<JBAUserModeTables>(2000, 0, "JBAInfoAdminWindow", "Admin Window Title String", &kJBAUserModeKeys);
constexpr JBAWindowSpec kOtherWindow =
    WindowSpec<JBAOtherTables>(3000, 1, "JBAInfoWindow", "User Window Title String", &kJBAOtherKeys);

constexpr const char* kSelectIDChoices[] = {"UserID_AccountID", "UserID", "AccountID", "None"};

std::string LocalizedItem(const BaseControlNvx& control, const ControlIniData* ini, int32_t value) {
  if (ini == nullptr || value < 1 || static_cast<size_t>(value) > ini->itemKeys.size()) return {};
  const char* key = ini->itemKeys[static_cast<size_t>(value - 1)];
  return key == nullptr ? std::string() : control.Localize(key);
}

template <typename Field>
Field* AddField(BasePrintPanelNvx& window, QWidget* root, int32_t tag, const FieldLimits* limits,
                const AccessInfo* access) {
  auto field = std::make_unique<Field>();
  field->CreateField(FindElementByTag(root, tag), limits, access);
  return window.AddControl(std::move(field));
}

}  // namespace

// ---- controls -------------------------------------------------------------------------------------

void JBAListCtrlNvx::UIEventHandler() {
  whichPreferenceKey = GetCurrentControlArrayNumber();
  BaseControlNvx::UIEventHandler();
  if (!IsUserAdmin()) Disable();
}

void JBAListCtrlNvx::SimulationUIEventHandler() {
  whichPreferenceKey = GetCurrentControlArrayNumber();
  BaseControlNvx::UIEventHandler();
  if (!IsUserAdmin() || GetSystemVersion() >= kSystemVersion1070) Disable();
}

int JBAListCtrlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (iniData_ == nullptr) return kControlSuccess;
  AddSummaryLine(summary, order, Localize("JBA Account Mode"), LocalizedItem(*this, iniData_, whichPreferenceKey + 1));
  return kControlSuccess;
}

void JBAWndRadioButtonNvx::RequestControlAction() {
  int32_t previous = ReadInt(ctrlUIDataBlkPtr);
  if (!ValidationListPasses(*this, validation_)) {
    SetElementValue(previous);  // the change is refused
    for (int i = 0;
         GetCtrlGrp() != nullptr && GetSystemVersion() >= kSystemVersion1080 && i < GetCtrlGrp()->GetMemberCount();
         ++i) {
      RadioButtonNvx* other = GetCtrlGrp()->GetMember(i);
      auto* element = other == this ? nullptr : qobject_cast<QAbstractButton*>(other->GetControlPtr());
      if (element != nullptr) element->setChecked(previous == 0);
    }
    return;
  }
  RadioButtonNvx::RequestControlAction();
}

void JBAWndListCtrlNvx::RequestControlAction() {
  int32_t previous = ReadInt(ctrlUIDataBlkPtr);
  if (!ValidationListPasses(*this, validation_)) {
    SelectValue(previous);  // the change is refused
    return;
  }
  PopupControlNvx::RequestControlAction();
  auto* password = GetParentPanel() == nullptr
                       ? nullptr
                       : dynamic_cast<TextEditCtrlNvx*>(GetParentPanel()->GetPanelControl(passwordTag_));
  if (password != nullptr && UIValue() != previous) {
    password->CorrectCtrlUI();
    password->GetValueFromUI();
  }
}

int JBATextFieldNvx::CreateField(QWidget* element, const FieldLimits* limits, const AccessInfo* access) {
  limits_ = limits;
  return CreateControl(element, limits == nullptr ? nullptr : &limits->ini, nullptr, access, nullptr,
                       limits == nullptr ? nullptr : &limits->filter);
}

bool JBATextFieldNvx::Hidden() const { return ControlPtr != nullptr && !ControlPtr->isVisibleTo(ControlPtr->window()); }

bool JBATextFieldNvx::Checked() const { return ControlPtr != nullptr && ControlPtr->isEnabled() && !Hidden(); }

int JBATextFieldNvx::SetValueToPreference() {
  return Hidden() ? kControlSuccess : TextEditCtrlNvx::SetValueToPreference();
}

int JBATextFieldNvx::SetValueToPreferenceWithPrinterSettings() {
  return Hidden() ? kControlSuccess : TextEditCtrlNvx::SetValueToPreferenceWithPrinterSettings();
}

int JBAWndUserIDTextEditCtrlNvx::InvalidateData() {
  if (!Checked() || limits_ == nullptr) return kControlSuccess;
  const char* text = GetUIText();
  uint32_t width = GetUTF8StringLength(text);
  std::u16string units;
  if (width < 1 || width > limits_->ini.maxLength || (UTF8ToUTF16(text, &units) && IsAllSpace(units))) {
    ShowErrMsg();
    return kControlFailure;
  }
  return TextEditCtrlNvx::InvalidateData();
}

int JBAInputWndTextEditCtrlExtNvx::PreInvalidateData() {
  if (!Checked() || limits_ == nullptr) return kControlSuccess;
  uint32_t width = GetUTF8StringLength(GetUIText());
  if (width >= 1 && width <= limits_->ini.maxLength) return kControlSuccess;
  ShowErrMsg();
  return kControlFailure;
}

int JBAWndTextEditCtrlExtPwdNvx::InvalidateData() {
  return Checked() ? TextEditCtrlNvx::InvalidateData() : kControlSuccess;
}

std::string JBAWndLoginTECtrlNvx::LoginNameDefault() {
  std::string login(CutUTF8(LoginNameOfRealUser(), 32));
  std::u16string units;
  if (!login.empty() && UTF8ToUTF16(login, &units) && validateInput(units, &kJBAUserID.filter)) return login;
  return "UnknownUser";
}

int JBAWndLoginTECtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  std::string login = LoginNameDefault();
  default_ = TextEditIniData{};
  std::memcpy(default_.defaultText, login.data(), std::min(login.size(), sizeof default_.defaultText - 1));
  return JBATextFieldNvx::InitializeCtrl(bundle, ppd);
}

// ---- details windows ------------------------------------------------------------------------------------

int JBAInfoWindowNvx::Build(QWidget* view) {
  auto* window = view == nullptr ? nullptr : view->findChild<QDialog*>(spec_.objectName);
  if (window == nullptr) return kPanelFailure;
  PopupWinInPanel(window, spec_.titleKey);
  group_.RadioGroup();
  bool bound = !panel_->getWKSPDFDriver();
  const JBAWindowKeys& keys = *spec_.keys;
  int32_t base = spec_.base;

  auto common = std::make_unique<JBAWndRadioButtonNvx>();
  common->RadioButton(FindElementByTag(window, base + 5), bound ? &kJBACommonRadioIni : nullptr,
                      bound ? spec_.commonRecord : nullptr, bound ? &keys.commonRadio : nullptr, nullptr);
  auto job = std::make_unique<JBAWndRadioButtonNvx>();
  job->RadioButton(FindElementByTag(window, base + 17), bound ? &kJBAJobRadioIni : nullptr,
                   bound ? spec_.jobRecord : nullptr, bound ? &keys.jobRadio : nullptr, nullptr);
  job->SetValidation(bound ? spec_.jobValidation : std::span<const int32_t>());
  for (JBAWndRadioButtonNvx* radio : {AddControl(std::move(common)), AddControl(std::move(job))}) {
    if (radio != nullptr) radio->SetCtrlGrp(&group_);
  }
  AddLabel(*this, window, base + 10, "JBA Specify Name text");
  auto source = std::make_unique<JBAWndListCtrlNvx>();
  source->CreateControl(FindElementByTag(window, base + 6), bound ? &kJBASourceIni : nullptr,
                        bound ? spec_.sourceRecord : nullptr, bound ? &keys.sourceList : nullptr, nullptr);
  source->SetValidation(bound ? spec_.sourceValidation : std::span<const int32_t>(), base + 9);
  AddControl(std::move(source));
  AddLabel(*this, window, base + 11, "User ID text");
  AddField<JBAWndUserIDTextEditCtrlNvx>(*this, window, base + 7, bound ? &kJBAUserID : nullptr,
                                        bound ? &keys.userID : nullptr);
  AddField<JBAWndLoginTECtrlNvx>(*this, window, base + 8, bound ? &kJBAUserID : nullptr, bound ? &keys.login : nullptr);
  AddLabel(*this, window, base + 12, "User ID Password text");
  auto* password = AddField<JBAWndTextEditCtrlExtPwdNvx>(*this, window, base + 9, bound ? &kJBAPassword : nullptr,
                                                         bound ? &keys.password : nullptr);
  if (password != nullptr) panel_->getEncryptArray().emplace_back(password->GetControlPtr());
  AddButton(*this, window, base + 1, "JBA Info OK Btn", [this] { OnOK(); });
  AddButton(*this, window, base + 2, "JBA Info CANCEL Btn", [this] { DeactivateWindow(QDialog::Rejected); });
  AddButton(*this, window, base + 3, "JBA Info RESTORE Btn", [this] { SetDefaultValueToUI(); });
  AddButton(*this, window, base + 4, nullptr, [this] { panel_->OpenHelpPage("DetailedUS_"); });
  return kPanelNoErr;
}

int JBAInfoWindowNvx::ActivateWindow() {
  if (window_ == nullptr) return -1;
  bool later = IsActived();
  if (later) {
    ReInitializeUserPane();
    SetUIDataToIniData();
    ResetControlStatus();
  } else {
    ChangeActivedStatus(true);
  }
  SetCurrentValueToUI();
  if (later) panel_->ApplyAdminLock(this);
  return RunModalWindow(window_);
}

void JBAInfoWindowNvx::OnOK() {
  int mode = panel_->getAccountMode();
  if (mode == 0 || mode == 1) SycValueFromUI();
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->InvalidateData() != kControlSuccess) return;
  }
  SetValueFromUIToControl();
  DeactivateWindow(QDialog::Accepted);
}

int32_t JBAInfoWindowNvx::Value(int32_t tag) const {
  auto* control = dynamic_cast<NumericControlNvx*>(GetPanelControl(tag));
  return control == nullptr || control->GetControlBlkPtr().empty() ? -1 : control->GetValue();
}

bool JBAInfoWindowNvx::getbEnterUserDetails() const { return Value(spec_.base + 17) == 1; }

bool JBAInfoWindowNvx::getbUseLoginNameSelect() const { return Value(spec_.base + 6) == 1; }

int JBAInfoWindowNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (panel_->getAccountMode() != spec_.modeIndex) return kPanelNoErr;
  int32_t base = spec_.base;
  if (!getbEnterUserDetails()) {
    auto* source = dynamic_cast<PopupControlNvx*>(GetPanelControl(base + 6));
    if (source == nullptr || source->GetIniData() == nullptr) return kPanelNoErr;
    int32_t value = source->GetValue();
    AddSummaryLine(summary, order, Localize("JBA Specify Name"), LocalizedItem(*source, source->GetIniData(), value));
    auto* user = dynamic_cast<TextEditCtrlNvx*>(GetPanelControl(value == 2 ? base + 7 : base + 8));
    if (user != nullptr) AddSummaryLine(summary, order, Localize("User ID"), user->GetText());
    if (auto* password = dynamic_cast<TextEditCtrlNvx*>(GetPanelControl(base + 9))) {
      AddSummaryLine(summary, order, Localize("User ID Password"), MaskText(password->GetText(), "\xC2\xA5"));
    }
  }
  for (int32_t tag : {base + 5, base + 17}) {
    auto* radio = dynamic_cast<JBAWndRadioButtonNvx*>(GetPanelControl(tag));
    if (radio != nullptr && radio->TitleKey() != nullptr && Value(tag) == 1) {
      AddSummaryLine(summary, order, Localize("Detailed User Settings"), Localize(radio->TitleKey()));
    }
  }
  return kPanelNoErr;
}

// ---- the input window ------------------------------------------------------------------------------------

int JBAInputWindowNvx::Build(QWidget* view) {
  auto* window = view == nullptr ? nullptr : view->findChild<QDialog*>("JBAInputWindow");
  if (window == nullptr) return kPanelFailure;
  PopupWinInPanel(window, "Input Window Title String");
  bool bound = !panel_->getWKSPDFDriver();
  AddLabel(*this, window, kJBAInputUserIDTitleTag, "User ID text");
  AddField<JBAInputWndTextEditCtrlExtNvx>(*this, window, kJBAInputUserIDTag, bound ? &kJBAUserID : nullptr,
                                          bound ? &kJBAInputUserIDAccess : nullptr);
  AddLabel(*this, window, kJBAInputPasswordTitleTag, "User ID Password text");
  auto* password = AddField<JBAWndTextEditCtrlExtPwdNvx>(
      *this, window, kJBAInputPasswordTag, bound ? &kJBAPassword : nullptr, bound ? &kJBAInputPasswordAccess : nullptr);
  if (password != nullptr) panel_->getEncryptArray().emplace_back(password->GetControlPtr());
  AddButton(*this, window, kJBAInputOKTag, "JBA Input OK Btn", [this] { OnOK(); });
  AddButton(*this, window, kJBAInputCancelTag, "JBA Input CANCEL Btn", [this] { CancelWindow(); });
  AddButton(*this, window, kJBAInputHelpTag, nullptr, [this] { panel_->OpenHelpPage("EnterUD_"); });
  return kPanelNoErr;
}

int JBAInputWindowNvx::Present() {
  if (window_ == nullptr) return -1;
  SetCurrentValueToUI();
  return RunModalWindow(window_);
}

void JBAInputWindowNvx::OnOK() {
  SycValueFromUI();
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->PreInvalidateData() != kControlSuccess || control->InvalidateData() != kControlSuccess) return;
  }
  panel_->setJobStatus(kJobStatusGo);
  SetValueFromUIToControl();
  DeactivateWindow(QDialog::Accepted);
}

void JBAInputWindowNvx::CancelWindow() {
  panel_->setJobStatus(kJobStatusStop);
  DeactivateWindow(QDialog::Rejected);
}

// ---- the panel ----------------------------------------------------------------------------------------------

JBAOvqPDEj15::JBAOvqPDEj15(PDEHostCallback* callback) : AccountPanelNvx(callback, kJBAProducts) {}

int JBAOvqPDEj15::BuildPanel(QWidget* view, ppd_file_t* ppd) {
  bool cdfSupported = IsCDFSupported(ppd);
  bool wks = getWKSPDFDriver();
  getEncryptArray().clear();
  AddLabel(*this, view, kJBAModeLabelTag, "JBA Account Mode Text");
  auto list = std::make_unique<JBAListCtrlNvx>();
  if (wks) {
    list->CreateControl(Element(kJBAModeListTag), nullptr, nullptr, nullptr, kCFPreferencesAnyUser);
  } else {
    list->CreateControl(Element(kJBAModeListTag), &kJBAModeIni, IsUserAdmin() ? nullptr : &kJBAModeConstraintsNonAdmin,
                        &kJBAModeAccess, kCFPreferencesAnyUser);
  }
  modeList_ = AddControl(std::move(list));
  auto version = std::make_unique<VersionStringSTextNvx>();
  version->CreateControl(Element(kJBAVersionTag), nullptr, cdfSupported);
  AddControl(std::move(version));
  AddButton(*this, view, kJBADetailsButtonTag, "Detailed User Settings Btn", [this] { OnDetails(); });
  SetHasHelpButton(AddButton(*this, view, kJBAHelpButtonTag, nullptr, [this] { RunHelpButton(); }) != nullptr);

  userMode_ = AddWindow(std::make_unique<JBAInfoWindowNvx>(this, kUserModeWindow));
  other_ = AddWindow(std::make_unique<JBAInfoWindowNvx>(this, kOtherWindow));
  input_ = AddWindow(std::make_unique<JBAInputWindowNvx>(this));
  int built = userMode_->Build(view) | other_->Build(view) | input_->Build(view);
  JobStatus = kJobStatusStop;
  return built == kPanelNoErr ? kPanelNoErr : kPanelFailure;
}

int JBAOvqPDEj15::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  hasSelectID_ = CheckPPDKeyIsExist(ppd, "OVSelectID");
  ppd_choice_t* marked = hasSelectID_ ? ppdFindMarkedChoice(ppd, "OVSelectID") : nullptr;
  selectIDValue_ = -1;
  for (int i = 0; marked != nullptr && i < 4; ++i) {
    if (std::strcmp(marked->choice, kSelectIDChoices[i]) == 0) selectIDValue_ = i;
  }
  return AccountPanelNvx::InitializeUserPane(bundle, ppd);
}

int JBAOvqPDEj15::getAccountMode() const { return modeList_ == nullptr ? -1 : modeList_->whichPreferenceKey; }

JBAInfoWindowNvx* JBAOvqPDEj15::CurrentModeWindow() const {
  switch (getAccountMode()) {
    case 0:
      return userMode_;
    case 1:
      return other_;
    default:
      return nullptr;
  }
}

void JBAOvqPDEj15::OnDetails() {
  if (JBAInfoWindowNvx* window = CurrentModeWindow()) window->ActivateWindow();
}

void JBAOvqPDEj15::ApplyAdminLock(JBAInfoWindowNvx* window) {
  if (window != userMode_ || modeList_ == nullptr || modeList_->GetIniData() == nullptr || IsUserAdmin()) return;
  if (modeList_->UIValue() == 1) modeList_->DisableControlConstrains(kJBAAdminLockIDs);
}

bool JBAOvqPDEj15::MayPrintToDestination() {
  PDEHostCallback* host = GetCurrentPDECallbackObj();
  PMPrintSession session = GetCurrentPrintSession() != nullptr ? GetCurrentPrintSession()
                                                               : (host == nullptr ? nullptr : host->printSession());
  PMDestinationType type = kPMDestinationInvalid;
  if (PMSessionGetDestinationType(session, GetCurrentPMPrintSettings(), &type) != kHostNoErr) return false;
  return type == kPMDestinationPrinter;
}

bool JBAOvqPDEj15::OnClickPrintCommand() {
  JBAInfoWindowNvx* window = CurrentModeWindow();
  if (input_ != nullptr && window != nullptr && window->getbEnterUserDetails()) {
    input_->Present();
    return JobStatus == kJobStatusGo;
  }
  JobStatus = kJobStatusGo;
  return true;
}

bool JBAOvqPDEj15::WriteTicket() {
  AccountPanelNvx::WriteTicket();
  SetInformationToTicket(GetCurrentPMPrintSettings());
  return true;
}

bool JBAOvqPDEj15::saveValuesAndReturnError(std::string* error) {
  return IsFirstInitialize() || SaveValues(error);  // not built: nothing to save
}

}  // namespace OVQ_PDE_NS
