#ifndef SETUP_MESSAGEIDS_H
#define SETUP_MESSAGEIDS_H
#ifndef RC_INVOKED
#pragma once
#endif

// Message table identifiers: the numbers of the string-table entries in
// setup.exe (German) and setup.EN_ (English). Both tables hold every one.

// setup script and start-up
#define SInitSetupError 1000
#define SIniFileNotFound 1001
#define SValueNotFound 1002
#define SNoAdminRights 1003
#define SDefaultDirCaption 1004

// wizard and main window: questions, folder selection (page texts are in the window definition)
#define SCancelSetupQuestion 1100
#define SSelectDirTitle 1101
// wizard and main window: button captions
#define SBtnInstall 1110
#define SBtnNext 1111
#define SBtnCancel 1112
#define SBtnFinish 1113
// main window: its definition (the window texts) is missing from the resource source
#define SWindowDefinitionMissing 1120

// destination directories
#define SDirInvalid 1200
#define SDirNotFound 1201
#define SDestDirNotFound 1202
#define SCreateDirParentInvalid 1203
// pre-install checks: running programs
#define SProgramMustNotRun 1210
// pre-install checks: needed file versions
#define SVersionTooOld 1220
#define SVersionNewerInstalled 1221
#define SVersionAlreadyInstalled 1222

// installation run: progress and outcome
#define SCopyFileTo 1300
#define SNewerFilesQuestion 1301
#define SAccessDeniedHint 1302
#define SInstallCanceledByUser 1303
#define SCreateDirFailed 1304
// installation run: registry values
#define SRegKeyCreateFailed 1310
#define SRegSetDataFailed 1311
// installation run: DLL hooks
#define SModuleLoadError 1320
#define SFunctionNotFound 1321

// file copy engine
#define SSourceMissing 1400
#define SFileOpenErrorWithCode 1401
#define SFileOpenErrorWithText 1402
#define SFileCopyErrorWithCode 1403
#define SFileCopyErrorWithText 1404
// file error texts (by system or runtime error code)
#define SFileErrorFileNotFound 1420
#define SFileErrorPathNotFound 1421
#define SFileErrorTooManyOpenFiles 1422
#define SFileErrorAccessDenied 1423
#define SFileErrorInvalidHandle 1424
#define SFileErrorInvalidAccessCode 1425
#define SFileErrorInvalidDrive 1426
#define SFileErrorCannotRemoveCurrentDir 1427
#define SFileErrorNotSameDevice 1428
#define SFileErrorEndOfFile 1429
#define SFileErrorDiskFull 1430
#define SFileErrorNotAssigned 1431
#define SFileErrorNotOpen 1432
#define SFileErrorNotOpenForInput 1433
#define SFileErrorNotOpenForOutput 1434
#define SFileErrorInvalidNumericFormat 1435

// processes, programs and documents
#define SOpenDocumentError 1500
#define SOpenInternetPageError 1501

// message dialogs: titles
#define SMsgDlgWarning 1800
#define SMsgDlgError 1801
#define SMsgDlgInformation 1802
#define SMsgDlgConfirm 1803
// message dialogs: button captions
#define SMsgDlgYes 1810
#define SMsgDlgNo 1811
#define SMsgDlgOK 1812
#define SMsgDlgCancel 1813
#define SMsgDlgAbort 1814
#define SMsgDlgRetry 1815
#define SMsgDlgIgnore 1816
#define SMsgDlgAll 1817
#define SMsgDlgNoToAll 1818
#define SMsgDlgYesToAll 1819
#define SMsgDlgHelp 1820
#define SMsgDlgClose 1821

// controls: progress bar
#define SProgressCancelHint 1900
#define SProgressCancelQuestion 1901

// runtime texts
#define SListIndexError 2000
#define SInvalidInteger 2001
#define SInOutError 2002
#define SInvalidFormat 2003
#define SCannotCreateDir 2004

#endif
