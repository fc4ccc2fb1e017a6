#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace ardentix {

// Every element of every window: X(handle, name). The name is the element's outside face,
// used by scenario scripts, stored files and the Qt program's object names, and it appears in
// the program only here; the code addresses elements through the handles (El::ShockButton).
// Elements of windows other than the main window are named "Window.Element".
// clang-format off
#define ARDENTIX_ELEMENTS(X) \
    X(MainWindow, "TForm1")                                            \
    X(MENU, "MENU")                                                    \
    X(MENU_IMAGE, "MENU_IMAGE")                                        \
    X(STARTImage, "STARTImage")                                        \
    X(MenuStart, "MenuStart")                                          \
    X(STARTLabel, "STARTLabel")                                        \
    X(OPTIONSImage, "OPTIONSImage")                                    \
    X(SCOREBOARDImage, "SCOREBOARDImage")                              \
    X(QUITImage, "QUITImage")                                          \
    X(BUTTONDOWN1, "BUTTONDOWN1")                                      \
    X(BUTTONDown2, "BUTTONDown2")                                      \
    X(BUTTONDOWN3, "BUTTONDOWN3")                                      \
    X(BUTTONDOWN4, "BUTTONDOWN4")                                      \
    X(PageControl1, "PageControl1")                                    \
    X(ArdentixBorder, "ArdentixBorder")                                \
    X(Pause, "Pause")                                                  \
    X(SHOWBORDERMenuItem, "SHOWBORDERMenuItem")                        \
    X(Quit, "Quit")                                                    \
    X(Advice, "Advice")                                                \
    X(PatientHistory, "PatientHistory")                                \
    X(HINTSHOW, "HINTSHOW")                                            \
    X(ArdentixHelp, "ArdentixHelp")                                    \
    X(AboutArdentix1, "AboutArdentix1")                                \
    X(PATIENTGraphic, "PATIENTGraphic")                                \
    X(MSG0, "MSG0")                                                    \
    X(MSG1, "MSG1")                                                    \
    X(SCOREDisplay, "SCOREDisplay")                                    \
    X(OPTIONSHOLD, "OPTIONSHOLD")                                      \
    X(SCORETEXT, "SCORETEXT")                                          \
    X(MODElabel, "MODElabel")                                          \
    X(SCENOVERLabel, "SCENOVERLabel")                                  \
    X(ADVICEPANEL, "ADVICEPANEL")                                      \
    X(ADVICEText, "ADVICEText")                                        \
    X(ADVICEArrow2, "ADVICEArrow2")                                    \
    X(ADVICEArrowDown, "ADVICEArrowDown")                              \
    X(DEDUCTIONSList, "DEDUCTIONSList")                                \
    X(PAUSEDLabel, "PAUSEDLabel")                                      \
    X(CPRRate, "CPRRate")                                              \
    X(CAPTIONLine, "CAPTIONLine")                                      \
    X(FINALERRORPanel, "FINALERRORPanel")                              \
    X(finalMSGdisplay, "finalMSGdisplay")                              \
    X(FinalErrorOKButton, "FinalErrorOKButton")                        \
    X(CPRBUTTON, "CPRBUTTON")                                          \
    X(PulseButton, "PulseButton")                                      \
    X(ABCsButton, "ABCsButton")                                        \
    X(BPBUTTON, "BPBUTTON")                                            \
    X(VOICEBUTTON, "VOICEBUTTON")                                      \
    X(CALLHELPButton, "CALLHELPButton")                                \
    X(TROUBLEShootBUTTON, "TROUBLEShootBUTTON")                        \
    X(CLEARBUTTON, "CLEARBUTTON")                                      \
    X(ENDBUTTON, "ENDBUTTON")                                          \
    X(AllABCsmenuItem, "AllABCsmenuItem")                              \
    X(abcsSEPERATOR, "abcsSEPERATOR")                                  \
    X(ABCsResponsivenessMenuItem, "ABCsResponsivenessMenuItem")        \
    X(ABCsCALL911MenuItem, "ABCsCALL911MenuItem")                      \
    X(ABCsAirwayMenuItem, "ABCsAirwayMenuItem")                        \
    X(ABCsBreathingMenuItem, "ABCsBreathingMenuItem")                  \
    X(ABCsVentilationMenuItem, "ABCsVentilationMenuItem")              \
    X(ABCsCirculationMenuItem, "ABCsCirculationMenuItem")              \
    X(TroubleElectrodeMenuItem, "TroubleElectrodeMenuItem")            \
    X(TroubleMOTIONMenuItem, "TroubleMOTIONMenuItem")                  \
    X(TroubleBatteryMenuItem, "TroubleBatteryMenuItem")                \
    X(AEDPANEL, "AEDPANEL")                                            \
    X(AED, "AED")                                                      \
    X(PowerButton, "PowerButton")                                      \
    X(AnalyzeButtonCover, "AnalyzeButtonCover")                        \
    X(CloseupPanel, "CloseupPanel")                                    \
    X(AEDDISPLAY0, "AEDDISPLAY0")                                      \
    X(AEDDISPLAY1, "AEDDISPLAY1")                                      \
    X(TIMELabel, "TIMELabel")                                          \
    X(NumShockLabel, "NumShockLabel")                                  \
    X(LOWBATTERYINDICATOR, "LOWBATTERYINDICATOR")                      \
    X(PowerLight, "PowerLight")                                        \
    X(AnalyzeLED, "AnalyzeLED")                                        \
    X(ShockLED, "ShockLED")                                            \
    X(AnalyzeButton, "AnalyzeButton")                                  \
    X(ANALYZEBUTTONGraphic, "ANALYZEBUTTONGraphic")                    \
    X(ShockButton, "ShockButton")                                      \
    X(POWERBUTTON2, "POWERBUTTON2")                                    \
    X(CHILDKEY, "CHILDKEY")                                            \
    X(CHILDLED, "CHILDLED")                                            \
    X(PADPanel, "PADPanel")                                            \
    X(PADWHITE, "PADWHITE")                                            \
    X(PADRED, "PADRED")                                                \
    X(PADWhiteZone, "PADWhiteZone")                                    \
    X(PADRedZONE, "PADRedZONE")                                        \
    X(PATIENTTorsoZONE, "PATIENTTorsoZONE")                            \
    X(PADWHITEzoneTorso, "PADWHITEzoneTorso")                          \
    X(PADREDzoneTorso, "PADREDzoneTorso")                              \
    X(PADWHITE3, "PADWHITE3")                                          \
    X(PADCurved, "PADCurved")                                          \
    X(PADWHITE2, "PADWHITE2")                                          \
    X(PADRED2, "PADRED2")                                              \
    X(AIRWAY, "AIRWAY")                                                \
    X(Breathcheck, "Breathcheck")                                      \
    X(BVM, "BVM")                                                      \
    X(CPRHAND2, "CPRHAND2")                                            \
    X(FACEMASK, "FACEMASK")                                            \
    X(PULSEHAND, "PULSEHAND")                                          \
    X(SHAKE, "SHAKE")                                                  \
    X(SHOUT, "SHOUT")                                                  \
    X(HILIGHT, "HILIGHT")                                              \
    X(BPCUFF, "BPCUFF")                                                \
    X(BPCUFFSMALL, "BPCUFFSMALL")                                      \
    X(SummaryWindow, "TForm2")                                         \
    X(SummaryNAMEEDIT, "TForm2.NAMEEDIT")                              \
    X(SummaryIDEDIT, "TForm2.IDEDIT")                                  \
    X(SummarySCOREEDIT, "TForm2.SCOREEDIT")                            \
    X(SummaryElapsedTimeEDIT, "TForm2.ElapsedTimeEDIT")                \
    X(SummarySHOCKTIMEEDIT, "TForm2.SHOCKTIMEEDIT")                    \
    X(SummaryErrors, "TForm2.Errors")                                  \
    X(SummaryMODELABEL, "TForm2.MODELABEL")                            \
    X(SummaryNext, "TForm2.Next")                                      \
    X(SummaryRepeatButton, "TForm2.RepeatButton")                      \
    X(SummaryMainMenu, "TForm2.MainMenu")                              \
    X(SummaryQUIT, "TForm2.QUIT")                                      \
    X(SummarySCOREBOARD, "TForm2.SCOREBOARD")                          \
    X(SummaryCODESUMSENDbutton, "TForm2.CODESUMSENDbutton")            \
    X(SummaryCODESUMPrintReport, "TForm2.CODESUMPrintReport")          \
    X(SummaryDEBRIEFButton, "TForm2.DEBRIEFButton")                    \
    X(DebriefWindow, "TDebrief")                                       \
    X(DebriefCloseBtn, "TDebrief.CloseBtn")                            \
    X(ScoreboardWindow, "TScoreboard")                                 \
    X(ScoreboardMemo1, "TScoreboard.Memo1")                            \
    X(ScoreboardOKButton, "TScoreboard.OKButton")                      \
    X(LoginWindow, "TUserNAMEFORM")                                    \
    X(LoginNAMEEdit, "TUserNAMEFORM.NAMEEdit")                         \
    X(LoginIDEdit, "TUserNAMEFORM.IDEdit")                             \
    X(LoginLabelID, "TUserNAMEFORM.LabelID")                           \
    X(LoginModePanel, "TUserNAMEFORM.ModePanel")                       \
    X(LoginTUTORIALButton, "TUserNAMEFORM.TUTORIALButton")             \
    X(LoginPracticebutton, "TUserNAMEFORM.Practicebutton")             \
    X(LoginTestButton, "TUserNAMEFORM.TestButton")                     \
    X(LoginOKBtn, "TUserNAMEFORM.OKBtn")                               \
    X(LoginCancelBtn, "TUserNAMEFORM.CancelBtn")                       \
    X(QuizWindow, "TCPRFORM")                                          \
    X(QuizLabel1, "TCPRFORM.Label1")                                   \
    X(QuizPanel1, "TCPRFORM.Panel1")                                   \
    X(QuizEDIT1, "TCPRFORM.EDIT1")                                     \
    X(QuizSpinButton1, "TCPRFORM.SpinButton1")                         \
    X(QuizLabel2, "TCPRFORM.Label2")                                   \
    X(QuizPanel2, "TCPRFORM.Panel2")                                   \
    X(QuizEdit2, "TCPRFORM.Edit2")                                     \
    X(QuizSpinButton2, "TCPRFORM.SpinButton2")                         \
    X(QuizLabel3, "TCPRFORM.Label3")                                   \
    X(QuizOKBtn, "TCPRFORM.OKBtn")                                     \
    X(AboutWindow, "TAboutBox")                                        \
    X(AboutVersion, "TAboutBox.Version")                               \
    X(AboutOKBtn, "TAboutBox.OKBtn")                                   \
    X(MailWindow, "TFRMSEND")                                          \
    X(MailSMTPSERV, "TFRMSEND.SMTPSERV")                               \
    X(MailUSERIDFIELD, "TFRMSEND.USERIDFIELD")                         \
    X(MailFromADDRESSField, "TFRMSEND.FromADDRESSField")               \
    X(MailToFIELD, "TFRMSEND.ToFIELD")                                 \
    X(MailCcFIELD, "TFRMSEND.CcFIELD")                                 \
    X(MailSUBJECT, "TFRMSEND.SUBJECT")                                 \
    X(MailATTACHEDFILEs, "TFRMSEND.ATTACHEDFILEs")                     \
    X(MailStatusBar1, "TFRMSEND.StatusBar1")                           \
    X(MailFromNAMEField, "TFRMSEND.FromNAMEField")                     \
    X(MailADDButton, "TFRMSEND.ADDButton")                             \
    X(MailREMOVEButton, "TFRMSEND.REMOVEButton")                       \
    X(MailTMESSAGE, "TFRMSEND.TMESSAGE")                               \
    X(MailRadioButtonMIME, "TFRMSEND.RadioButtonMIME")                 \
    X(MailRadioButtonUU, "TFRMSEND.RadioButtonUU")                     \
    X(MailCONNECTButton, "TFRMSEND.CONNECTButton")                     \
    X(MailEMAILSENDBUTTON, "TFRMSEND.EMAILSENDBUTTON")                 \
    X(MailTClose, "TFRMSEND.TClose")                                   \
    X(MailLabel4, "TFRMSEND.Label4")                                   \
    X(MailPortField, "TFRMSEND.PortField")                             \
    X(MailSecurityField, "TFRMSEND.SecurityField")                     \
    X(MailLoginField, "TFRMSEND.LoginField")                           \
    X(MailPasswordField, "TFRMSEND.PasswordField")                     \
    X(MailPlainLoginCheck, "TFRMSEND.PlainLoginCheck")                 \
    X(MailAcceptCertificateCheck, "TFRMSEND.AcceptCertificateCheck")   \
    X(MailPasswordNote, "TFRMSEND.PasswordNote")                       \
    X(MailBCcField, "TFRMSEND.BCcField")                               \
    X(MailSAVESettingsButton, "TFRMSEND.SAVESettingsButton")           \
    X(OPTautoABCS, "OPTautoABCS")                                      \
    X(OptBVM, "OptBVM")                                                \
    X(OPTOneRescuer, "OPTOneRescuer")                                  \
    X(OPTCALL911, "OPTCALL911")                                        \
    X(Opt2CPR, "Opt2CPR")                                              \
    X(OPTCOMPRVENT, "OPTCOMPRVENT")                                    \
    X(OPTCPRTIME, "OPTCPRTIME")                                        \
    X(SOUNDCheckBox, "SOUNDCheckBox")                                  \
    X(IDNumCheckBox, "IDNumCheckBox")                                  \
    X(OPTSCREENSIZE, "OPTSCREENSIZE")                                  \
    X(OPTOneShockScenario, "OPTOneShockScenario")                      \
    X(OPTPEDScen, "OPTPEDScen")                                        \
    X(OptHypo, "OptHypo")                                              \
    X(OPTTWOBUTTONAED, "OPTTWOBUTTONAED")                              \
    X(OPTAUTOANALYZE, "OPTAUTOANALYZE")                                \
    X(OptBatteryTrouble, "OptBatteryTrouble")                          \
    X(OptElectrodeTrouble, "OptElectrodeTrouble")                      \
    X(OptMOTIONTrouble, "OptMOTIONTrouble")                            \
    X(OPTPEDSMONITOR, "OPTPEDSMONITOR")                                \
    X(OPTBPCHECK, "OPTBPCHECK")                                        \
    X(OptVoice, "OptVoice")                                            \
    X(OptPulseAfterCPR, "OptPulseAfterCPR")                            \
    X(OptPulseAfter3rdShock, "OptPulseAfter3rdShock")                  \
    X(OPTCLEARShock, "OPTCLEARShock")                                  \
    X(OPTClearAnalyze, "OPTClearAnalyze")                              \
    X(OPTEmail, "OPTEmail")                                            \
    X(OPTAUTOSend, "OPTAUTOSend")                                      \
    X(OPTDetailedTestReport, "OPTDetailedTestReport")                  \
    X(OPTFTP, "OPTFTP")                                                \
    X(OPTEncrypt, "OPTEncrypt")                                        \
    X(OPTLrsSend, "OPTLrsSend")                                        \
    X(OPTLrsHomePage, "OPTLrsHomePage")                                \
    X(OPTLrsBase, "OPTLrsBase")                                        \
    X(OPTLrsEndpoint, "OPTLrsEndpoint")                                \
    X(OPTLrsKey, "OPTLrsKey")                                          \
    X(OPTLrsSecret, "OPTLrsSecret")                                    \
    X(ProgramOK, "ProgramOK")                                          \
    X(ButtonCANCEL1, "ButtonCANCEL1")                                  \
    X(PROGRAMDefaultButton, "PROGRAMDefaultButton")                    \
    X(CLEARSCOREBOARD, "CLEARSCOREBOARD")                              \
    X(PASSWORDBUTTON, "PASSWORDBUTTON")                                \
    X(ProtocolOK, "ProtocolOK")                                        \
    X(ButtonCANCEL2, "ButtonCANCEL2")                                  \
    X(PROTOCOLDefaultButton, "PROTOCOLDefaultButton")                  \
    X(TESTCLOSE, "TESTCLOSE")                                          \
    X(ButtonCANCEL3, "ButtonCANCEL3")                                  \
    X(TESTDEFAULT, "TESTDEFAULT")                                      \
    X(eMailCONFIGURE, "eMailCONFIGURE")                                \
    X(REPORTCLOSEBUTTON, "REPORTCLOSEBUTTON")                          \
    X(REPORTOpenFile, "REPORTOpenFile")                                \
    X(FONTBUTTON, "FONTBUTTON")                                        \
    X(PRINTBUTTON, "PRINTBUTTON")                                      \
    X(PROGRESSCLOSEBUTTON, "PROGRESSCLOSEBUTTON")                      \
    X(Age, "Age")                                                      \
    X(Weight, "Weight")                                                \
    X(OPTGuideClassic, "OPTGuideClassic")                              \
    X(OPTGuideCurrent, "OPTGuideCurrent")                              \
    X(OPTCompressByKey, "OPTCompressByKey")                            \
    X(OPTResultsLocal, "OPTResultsLocal")                              \
    X(OPTResultsCentre, "OPTResultsCentre")                            \
    X(OPTCentreURI, "OPTCentreURI")                                    \
    X(OPTCaptions, "OPTCaptions")                                      \
    X(OptTroubleOdds, "OptTroubleOdds")                                \
    X(OptHypoShocks, "OptHypoShocks")                                  \
    X(OptMinimumAge, "OptMinimumAge")                                  \
    X(OptCPR0Length, "OptCPR0Length")                                  \
    X(OptCPR1Length, "OptCPR1Length")                                  \
    X(OptCPR2Length, "OptCPR2Length")                                  \
    X(OPTCPRCOMP, "OPTCPRCOMP")                                        \
    X(OPTtestScenarios, "OPTtestScenarios")                            \
    X(SpinButton11, "SpinButton11")                                    \
    X(SpinButtonTESTSCEN, "SpinButtonTESTSCEN")                        \
    X(SpinButton0, "SpinButton0")                                      \
    X(SpinButton1, "SpinButton1")                                      \
    X(SpinButton2, "SpinButton2")                                      \
    X(SpinButton5, "SpinButton5")                                      \
    X(SpinButton6, "SpinButton6")                                      \
    X(SpinButton7, "SpinButton7")                                      \
    X(PASSWORD, "PASSWORD")                                            \
    X(FTPConfigure, "FTPConfigure")                                    \
    X(REPORTMEMO, "REPORTMEMO")                                        \
    X(FontDialog1, "FontDialog1")                                      \
    X(PasswordDlgWindow, "TPasswordDlg")                               \
    X(PasswordDlgLabel1, "TPasswordDlg.Label1")                        \
    X(PasswordDlgPasswordEnter, "TPasswordDlg.PasswordEnter")          \
    X(PasswordDlgOKBtn, "TPasswordDlg.OKBtn")                          \
    X(PasswordDlgCancelBtn, "TPasswordDlg.CancelBtn")
// clang-format on

enum class El : unsigned short {
#define ARDENTIX_ELEMENT_HANDLE(handle, name) handle,
    ARDENTIX_ELEMENTS(ARDENTIX_ELEMENT_HANDLE)
#undef ARDENTIX_ELEMENT_HANDLE
};

inline constexpr size_t kElementCount = 0
#define ARDENTIX_ELEMENT_ONE(handle, name) +1
    ARDENTIX_ELEMENTS(ARDENTIX_ELEMENT_ONE)
#undef ARDENTIX_ELEMENT_ONE
    ;

// The element's name as scripts and files know it.
std::string_view NameOf(El el);
// The element of that name; nothing for an unknown name.
std::optional<El> ElementNamed(std::string_view name);
// The element of a name that must exist, for tests and tools: throws std::invalid_argument for
// an unknown name.
El ElementCalled(std::string_view name);

}  // namespace ardentix
