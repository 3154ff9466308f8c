// The private print-settings keys that the print dialogs write and the filter reads:
// the contract between them, each key spelled once. Every key is the prefix
// "nvxjobs.printsettings." followed by the name of one value. The keys that only
// the dialogs read (remembered values, "...Reference") close the file.
#pragma once

inline constexpr char kTicketKeyPrefix[] = "nvxjobs.printsettings.";
#define OVQ_TICKET_KEY(name) "nvxjobs.printsettings." name

// Print type
inline constexpr char kPrintTypeTicketKey[] = OVQ_TICKET_KEY("PrintTypeTicketKey");
inline constexpr char kPrintTypeUserNameTicketKey[] = OVQ_TICKET_KEY("PrintTypeUserNameTicketKey");
inline constexpr char kPrintTypePasswordTicketKey[] = OVQ_TICKET_KEY("PrintTypePasswordTicketKey");
inline constexpr char kDocumentNameTypeTicketKey[] = OVQ_TICKET_KEY("DocumentNameTypeTicketKey");
inline constexpr char kDocumentNameTicketKey[] = OVQ_TICKET_KEY("DocumentNameTicketKey");
inline constexpr char kDelayPrintTicketKey[] = OVQ_TICKET_KEY("DelayPrintTicketKey");
inline constexpr char kPrintTypeMBNTicketKey[] = OVQ_TICKET_KEY("PrintTypeMBNTicketKey");
inline constexpr char kPrintTypeMBNPasswordTicketKey[] = OVQ_TICKET_KEY("PrintTypeMBNPasswordTicketKey");
inline constexpr char kPrintTypeProductTypeTicketKey[] = OVQ_TICKET_KEY("PrintTypeProductTypeTicketKey");

// Job accounting
inline constexpr char kJBAMacHostNameStringTicketKey[] = OVQ_TICKET_KEY("JBAMacHostNameStringTicket");
inline constexpr char kJBAIPAddressStringTicketKey[] = OVQ_TICKET_KEY("JBAIPAddressStringTicket");
inline constexpr char kJBAInfoListTicketKey[] = OVQ_TICKET_KEY("JBAInfoListTicketKey");
inline constexpr char kJBAInfoSetListTicketKey[] = OVQ_TICKET_KEY("JBAInfoSetListTicketKey");
inline constexpr char kJBAManageTypeListTicketKey[] = OVQ_TICKET_KEY("JBAManageTypeListTicketKey");
inline constexpr char kJBAUserSettingRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAUserSettingRadioBtnTicket");
inline constexpr char kJBAUserIDListCtrlTicketKey[] = OVQ_TICKET_KEY("JBAUserIDListCtrlTicket");
inline constexpr char kJBAUserIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAUserIDTextEditTicket");
inline constexpr char kJBAUserPasswordTextEditTicketKey[] = OVQ_TICKET_KEY("JBAUserPasswordTextEditTicket");
inline constexpr char kJBAAccountIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAccountIDTextEditTicket");
inline constexpr char kJBAStorageIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAStorageIDTextEditTicket");
inline constexpr char kJBAStoragePasswordTextEditTicketKey[] = OVQ_TICKET_KEY("JBAStoragePasswordTextEditTicket");
inline constexpr char kJBAUserInputRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAUserInputRadioBtnTicket");
inline constexpr char kJBAInputAuthRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAInputAuthRadioBtnTicketKey");
inline constexpr char kJBAInputStrgRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAInputStrgRadioBtnTicketKey");
inline constexpr char kJBAInputStorageIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAInputStorageIDTextEditTicket");
inline constexpr char kJBAInputStoragePasswordTextEditTicketKey[] =
    OVQ_TICKET_KEY("JBAInputStoragePasswordTextEditTicket");
inline constexpr char kJBAInputUserIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAInputUserIDTextEditTicket");
inline constexpr char kJBAInputUserPasswordTextEditTicketKey[] = OVQ_TICKET_KEY("JBAInputUserPasswordTextEditTicket");
inline constexpr char kJBAInputAccountIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAInputAccountIDTextEditTicket");
inline constexpr char kJBASrrlPrintDateTicketKey[] = OVQ_TICKET_KEY("JBASrrlPrintDateTicketKey");
inline constexpr char kJBASrrlPrintTimeTicketKey[] = OVQ_TICKET_KEY("JBASrrlPrintTimeTicketKey");
inline constexpr char kJBAAdminUserSettingRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAAdminUserSettingRadioBtnTicket");
inline constexpr char kJBAAdminUserIDListCtrlTicketKey[] = OVQ_TICKET_KEY("JBAAdminUserIDListCtrlTicket");
inline constexpr char kJBAAdminUserIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAdminUserIDTextEditTicket");
inline constexpr char kJBAAdminUserPasswordTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAdminUserPasswordTextEditTicket");
inline constexpr char kJBAAdminAccountIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAdminAccountIDTextEditTicket");
inline constexpr char kJBAAdminStorageIDTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAdminStorageIDTextEditTicket");
inline constexpr char kJBAAdminStoragePasswordTextEditTicketKey[] =
    OVQ_TICKET_KEY("JBAAdminStoragePasswordTextEditTicket");
inline constexpr char kJBAAdminUserInputRadioBtnTicketKey[] = OVQ_TICKET_KEY("JBAAdminUserInputRadioBtnTicket");

// Finishing features
inline constexpr char kTabMarginSwitchTicketKey[] = OVQ_TICKET_KEY("TabMarginSwitchTicket");
inline constexpr char kTrimmerSwitchTicketKey[] = OVQ_TICKET_KEY("TrimmerSwitchTicket");
inline constexpr char kTrimmerSelectTicketKey[] = OVQ_TICKET_KEY("TrimmerSelectTicket");
inline constexpr char kBookletMarginSwitchTicketKey[] = OVQ_TICKET_KEY("BookletMarginSwitchTicket");
inline constexpr char kTabMarginMMShiftTicketKey[] = OVQ_TICKET_KEY("TabMarginMMShiftTicket");
inline constexpr char kTrimmerMMCuttingSizeTicketKey[] = OVQ_TICKET_KEY("TrimmerMMCuttingSizeTicket");
inline constexpr char kTrimmerWidthMMSizeTicketKey[] = OVQ_TICKET_KEY("TrimmerWidthMMSizeTicket");
inline constexpr char kTrimmerHeightMMSizeTicketKey[] = OVQ_TICKET_KEY("TrimmerHeightMMSizeTicket");
inline constexpr char kTrimmerAdjustMMSizeTicketKey[] = OVQ_TICKET_KEY("TrimmerAdjustMMSizeTicket");
inline constexpr char kNumInSequenceSwitchTicketKey[] = OVQ_TICKET_KEY("NumInSequenceSwitchTicket");
inline constexpr char kNumInSequenceLArrowTicketKey[] = OVQ_TICKET_KEY("NumInSequenceLArrowTicket");
inline constexpr char kOffsetStackingListTicketKey[] = OVQ_TICKET_KEY("OffsetStackingListTicket");
inline constexpr char kOffsetStackingPagesLArrowTicketKey[] = OVQ_TICKET_KEY("OffsetStackingPagesLArrowTicket");
inline constexpr char kOffsetStackingUnitsLArrowTicketKey[] = OVQ_TICKET_KEY("OffsetStackingUnitsLArrowTicket");
inline constexpr char kSeparatorPageListTicketKey[] = OVQ_TICKET_KEY("SeparatorPageListTicket");
inline constexpr char kSeparatorPageTicketKey[] = OVQ_TICKET_KEY("SeparatorPageTicket");
inline constexpr char kAutoFitSwitchTicketKey[] = OVQ_TICKET_KEY("AutoFitSwitchTicket");
inline constexpr char kBookletMarginMMShiftTicketKey[] = OVQ_TICKET_KEY("BookletMarginMMShiftTicket");
inline constexpr char kEjectOptionsListTicketKey[] = OVQ_TICKET_KEY("EjectOptionsListTicket");
inline constexpr char kWhetherMediaSizeA5TicketKey[] = OVQ_TICKET_KEY("whetherMediaSizeA5Ticket");
inline constexpr char kFeaturesMediaTypeTabTicketKey[] = OVQ_TICKET_KEY("featuresMediaTypeTabTicket");
inline constexpr char kCoilPunchFaceTicketKey[] = OVQ_TICKET_KEY("CoilPunchFaceTicket");
inline constexpr char kWhetherMediaTypeTabTicketKey[] = OVQ_TICKET_KEY("whetherMediaTypeTabTicket");

// Watermark
inline constexpr char kWMARKNameTicketKey[] = OVQ_TICKET_KEY("WMARKNameTicket");
inline constexpr char kWMARKOptionsTicketKey[] = OVQ_TICKET_KEY("WMARKOptionsTicket");
inline constexpr char kWMARKOnlyFirstTicketKey[] = OVQ_TICKET_KEY("WMARKOnlyFirstTicket");
inline constexpr char kWMARKTextTicketKey[] = OVQ_TICKET_KEY("WMARKTextTicket");
inline constexpr char kWMARKOrientationTicketKey[] = OVQ_TICKET_KEY("WMARKOrientationTicket");
inline constexpr char kWMARKPaperHeightTicketKey[] = OVQ_TICKET_KEY("WMARKPaperHeightTicket");
inline constexpr char kWMARKPaperWidthTicketKey[] = OVQ_TICKET_KEY("WMARKPaperWidthTicket");
inline constexpr char kWMARKFilePathTicketKey[] = OVQ_TICKET_KEY("WMARKFilePathTicket");
inline constexpr char kWMARKTypeTicketKey[] = OVQ_TICKET_KEY("WMARKTypeTicket");
inline constexpr char kWMARKFontTicketKey[] = OVQ_TICKET_KEY("WMARKFontTicket");
inline constexpr char kWMARKFontSizeTicketKey[] = OVQ_TICKET_KEY("WMARKFontSizeTicket");
inline constexpr char kWMARKFontTypeTicketKey[] = OVQ_TICKET_KEY("WMARKFontTypeTicket");
inline constexpr char kWMARKColorRTicketKey[] = OVQ_TICKET_KEY("WMARKColorRTicket");
inline constexpr char kWMARKColorGTicketKey[] = OVQ_TICKET_KEY("WMARKColorGTicket");
inline constexpr char kWMARKColorBTicketKey[] = OVQ_TICKET_KEY("WMARKColorBTicket");
inline constexpr char kWMARKColorATicketKey[] = OVQ_TICKET_KEY("WMARKColorATicket");
inline constexpr char kWMARKAngleTicketKey[] = OVQ_TICKET_KEY("WMARKAngleTicket");
inline constexpr char kWMARKDensityTicketKey[] = OVQ_TICKET_KEY("WMARKDensityTicket");
inline constexpr char kWMARKScaleTicketKey[] = OVQ_TICKET_KEY("WMARKScaleTicket");
inline constexpr char kWMARKPosHorizontalTicketKey[] = OVQ_TICKET_KEY("WMARKPosHorizontalTicket");
inline constexpr char kWMARKPosVerticalTicketKey[] = OVQ_TICKET_KEY("WMARKPosVerticalTicket");
inline constexpr char kWMARKWidthTicketKey[] = OVQ_TICKET_KEY("WMARKWidthTicket");
inline constexpr char kWMARKHeightTicketKey[] = OVQ_TICKET_KEY("WMARKHeightTicket");
inline constexpr char kWMARKhOffsetTicketKey[] = OVQ_TICKET_KEY("WMARKhOffsetTicket");
inline constexpr char kWMARKvOffsetTicketKey[] = OVQ_TICKET_KEY("WMARKvOffsetTicket");

// Special pages
inline constexpr char kQPIFCoverValueTicketKey[] =
    OVQ_TICKET_KEY("QPIFCoverValueTicket_");  // followed by the entry index
inline constexpr char kQPIFInsertionValueTicketKey[] =
    OVQ_TICKET_KEY("QPIFInsertionValueTicket_");  // followed by the entry index
inline constexpr char kQPIFExceptionValueTicketKey[] =
    OVQ_TICKET_KEY("QPIFExceptionValueTicket_");  // followed by the entry index
inline constexpr char kQPIFCoverCountTicketKey[] = OVQ_TICKET_KEY("QPIFCoverCountTicket");
inline constexpr char kQPIFInsertionCountTicketKey[] = OVQ_TICKET_KEY("QPIFInsertionCountTicket");
inline constexpr char kQPIFExceptionCountTicketKey[] = OVQ_TICKET_KEY("QPIFExceptionCountTicket");

// Written by the dialogs, not read by the filter
inline constexpr char kJBAHostNameStringTicketKey[] = OVQ_TICKET_KEY("JBAHostNameStringTicket");
inline constexpr char kJBALoginTextEditTicketKey[] = OVQ_TICKET_KEY("JBALoginTextEditTicket");
inline constexpr char kJBAAdminLoginTextEditTicketKey[] = OVQ_TICKET_KEY("JBAAdminLoginTextEditTicket");
inline constexpr char kJBAUserIDFormatCheckboxTicketKey[] = OVQ_TICKET_KEY("JBAUserIDFormatCheckboxTicket");
inline constexpr char kJBAAccountIDFormatCheckboxTicketKey[] = OVQ_TICKET_KEY("JBAAccountIDFormatCheckboxTicket");
inline constexpr char kJBALastInfoCheckboxTicketKey[] = OVQ_TICKET_KEY("JBALastInfoCheckboxTicket");
inline constexpr char kTargetColorLboxTicketKey[] = OVQ_TICKET_KEY("TargetColorLboxTicketKey");

// Remembered values of the dialogs, per printer (the printer's ID comes first):
// read back only by the dialogs, never sent with a job.
inline constexpr char kPrintTypeReference[] = OVQ_TICKET_KEY("PrintTypeReference");
inline constexpr char kPrintTypeUserNameReference[] = OVQ_TICKET_KEY("PrintTypeUserNameReference");
inline constexpr char kPrintTypePasswordReference[] = OVQ_TICKET_KEY("PrintTypePasswordReference");
inline constexpr char kDocumentNameTypeReference[] = OVQ_TICKET_KEY("DocumentNameTypeReference");
inline constexpr char kDocumentNameReference[] = OVQ_TICKET_KEY("DocumentNameReference");
inline constexpr char kDelayPrintReference[] = OVQ_TICKET_KEY("DelayPrintReference");
inline constexpr char kPrintTypeMBNReference[] = OVQ_TICKET_KEY("PrintTypeMBNReference");
inline constexpr char kPrintTypeMBNPasswordReference[] = OVQ_TICKET_KEY("PrintTypeMBNPasswordReference");
inline constexpr char kJBAManageTypeListReference[] = OVQ_TICKET_KEY("JBAManageTypeListReference");
inline constexpr char kJBAUserSettingRadioBtnReference[] = OVQ_TICKET_KEY("JBAUserSettingRadioBtnReference");
inline constexpr char kJBAUserInputRadioBtnReference[] = OVQ_TICKET_KEY("JBAUserInputRadioBtnReference");
inline constexpr char kJBAUserIDListCtrlReference[] = OVQ_TICKET_KEY("JBAUserIDListCtrlReference");
inline constexpr char kJBAUserIDTextEditReference[] = OVQ_TICKET_KEY("JBAUserIDTextEditReference");
inline constexpr char kJBAUserPasswordTextEditReference[] = OVQ_TICKET_KEY("JBAUserPasswordTextEditReference");
inline constexpr char kJBAAdminUserSettingRadioBtnReference[] = OVQ_TICKET_KEY("JBAAdminUserSettingRadioBtnReference");
inline constexpr char kJBAAdminUserInputRadioBtnReference[] = OVQ_TICKET_KEY("JBAAdminUserInputRadioBtnReference");
inline constexpr char kJBAAdminUserIDListCtrlReference[] = OVQ_TICKET_KEY("JBAAdminUserIDListCtrlReference");
inline constexpr char kJBAAdminUserIDTextEditReference[] = OVQ_TICKET_KEY("JBAAdminUserIDTextEditReference");
inline constexpr char kJBAAdminUserPasswordTextEditReference[] =
    OVQ_TICKET_KEY("JBAAdminUserPasswordTextEditReference");
inline constexpr char kJBAInputUserIDTextEditReference[] = OVQ_TICKET_KEY("JBAInputUserIDTextEditReference");
inline constexpr char kJBAInputUserPasswordTextEditReference[] =
    OVQ_TICKET_KEY("JBAInputUserPasswordTextEditReference");

#undef OVQ_TICKET_KEY
