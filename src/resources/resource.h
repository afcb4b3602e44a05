// Resource, control, timer and message ids of Melvorin.
// Plain #defines: included by Melvorin.rc and by the C++ sources alike.
#pragma once

// Dialog templates. The wizard pages double as navigation targets: a page's
// Next or Back handler returns the template id of the page to go to.
#define IDD_ABOUTBOX 100
#define IDD_INTRO 129
#define IDD_FILE_RESTORE 131
#define IDD_APPS 132
#define IDD_WARNING 133
#define IDD_REPLACE_FILE 134
#define IDD_DRIVERS 135
#define IDD_INVENTORY 136
#define IDD_INF_COPY 137
#define IDD_RESTORE_PROGRESS 138
#define IDD_FIND_FILE 141
#define IDD_FIND_DIR 142
#define IDD_FILE_OP 143
#define IDD_COPY_TREE 146
#define IDD_INSTALL 147

// Bitmaps: the wizard's watermark and header, the About picture and the
// intro page's default pictures.
#define IDB_WATERMARK 137
#define IDB_HEADER 139
#define IDB_ABOUT 140
#define IDB_INTRO_LEFT 144
#define IDB_INTRO_TOP 145

// Icons: the program, the root of the restore tree, and the directory
// browser's images (drives by type, folders, files by kind).
#define IDI_MELVORIN 128
#define IDI_RESTORE_ROOT 129
#define IDI_LIBRARY 168
#define IDI_PROGRAM 169
#define IDI_FOLDER_OPEN 170
#define IDI_FOLDER_CLOSED 171
#define IDI_DRIVE_UNKNOWN 172
#define IDI_DRIVE_RAM 173
#define IDI_DRIVE_NETWORK 174
#define IDI_DRIVE_FIXED 175
#define IDI_SETUP_INFO 176
#define IDI_DRIVE_REMOVABLE 177
#define IDI_FILE 178
#define IDI_DRIVE_CDROM 179

// Animation shown while files are copied (resource type "AVI").
#define IDR_AVI_COPY 129

// Application manifest (RT_MANIFEST) and version resource.
#define IDR_MANIFEST 1
#define IDR_VERSION 1

// System menu command of the wizard sheet that opens the About box.
#define IDM_ABOUTBOX 0x0010

// Standard commands and wizard buttons of the property sheet.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
#ifndef ID_WIZBACK
#define ID_WIZBACK 12323
#endif
#ifndef ID_WIZNEXT
#define ID_WIZNEXT 12324
#endif
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 12325
#endif

// Private messages: a worker thread tells its dialog it has finished; the
// pages ask the wizard sheet to set its Finish button, to show the configured
// title (posted, since the sheet gives itself the page's template caption once
// the page is shown) or to close.
#define WM_WORKER_DONE (WM_USER + 100)
#define WM_SET_FINISH_STATE (WM_USER + 110)
#define WM_SHOW_TITLE (WM_USER + 111)
#ifndef PSM_CANCELTOCLOSE
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#endif

// Timers.
#define IDT_FINISH_STATE 103      // catalogue pages: update Finish after (re)filling the list
#define IDT_WAIT_PROCESSES 104    // wait window: setup's processes back to the starting count
#define IDT_WAIT_VORQ 105         // second wait window: vorq.exe still running
#define IDT_RELEASE_PARTITION 106 // intro page: undo the exposure of the recovery partition

// Controls of every template that has no use for an id of its own.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About box (IDD_ABOUTBOX).
#define IDC_ABOUT_VERSION 1020

// Intro page (IDD_INTRO).
#define IDC_INTRO_APPS 1000
#define IDC_INTRO_RESTORE 1001
#define IDC_INTRO_OPTION 1002
#define IDC_INTRO_LEFT_PICTURE 1003
#define IDC_INTRO_APPS_COMMENT 1004
#define IDC_INTRO_RESTORE_COMMENT 1005
#define IDC_INTRO_TEXT1 1006
#define IDC_INTRO_DRIVERS_COMMENT 1007
#define IDC_INTRO_TEXT2 1008
#define IDC_INTRO_TOP_PICTURE 1009
#define IDC_INTRO_DRIVERS 1011
#define IDC_INTRO_JUMP_RESTORE 1012

// File-restore page (IDD_FILE_RESTORE).
#define IDC_RESTORE_INSTRUCTION 1003
#define IDC_RESTORE_SUBFOLDERS 1008
#define IDC_RESTORE_TREE 1012
#define IDC_RESTORE_LIST 1070

// Applications page (IDD_APPS).
#define IDC_APPS_PROMPT 1004
#define IDC_APPS_LIST 1016
#define IDC_APPS_ADVICE1 1017
#define IDC_APPS_ADVICE2 1018

// Drivers page (IDD_DRIVERS).
#define IDC_DRIVERS_PROMPT 1013
#define IDC_DRIVERS_LIST 1014
#define IDC_DRIVERS_ADVICE 1019

// Missing source file warning (IDD_WARNING); "Ignore all" is IDCANCEL.
#define IDC_WARNING_TEXT 1000

// Replace-file question (IDD_REPLACE_FILE).
#define IDC_REPLACE_QUESTION 1000
#define IDC_REPLACE_YES 1005
#define IDC_REPLACE_YES_ALL 1006
#define IDC_REPLACE_NO 1007
#define IDC_REPLACE_NO_ALL 1008
#define IDC_REPLACE_NEW_NAME 1009
#define IDC_REPLACE_EXISTING_NAME 1010
#define IDC_REPLACE_NEW_TIME 1012
#define IDC_REPLACE_EXISTING_TIME 1013
#define IDC_REPLACE_EXISTING_ICON 1014
#define IDC_REPLACE_NEW_ICON 1015
#define IDC_REPLACE_QUESTION_END 1018

// "Find Files..." prompt (IDD_FIND_FILE).
#define IDC_FINDFILE_IGNORE 1064
#define IDC_FINDFILE_BROWSE 1065
#define IDC_FINDFILE_DIR 1066
#define IDC_FINDFILE_MESSAGE 1067

// Directory browser (IDD_FIND_DIR).
#define IDC_FINDDIR_TREE 1069
#define IDC_FINDDIR_LIST 1070
#define IDC_FINDDIR_FOUND 1071

// Copy dialogs (IDD_COPY_TREE, IDD_FILE_OP, IDD_INF_COPY): the animation,
// the entry at hand, where it comes from, and the progress bar.
#define IDC_COPY_ANIMATION 1089
#define IDC_COPY_NAME 1088
#define IDC_COPY_FROM 1018
#define IDC_COPY_PROGRESS 1010   // IDD_COPY_TREE
#define IDC_FILEOP_PROGRESS 1090 // IDD_FILE_OP

// Restore inventory wait dialog (IDD_INVENTORY).
#define IDC_INVENTORY_TEXT 1007

// Restore progress (IDD_RESTORE_PROGRESS).
#define IDC_RESTORE_PHASE 1009
#define IDC_RESTORE_PROGRESS 1010
#define IDC_RESTORE_FILE 1011

// Installation progress (IDD_INSTALL).
#define IDC_INSTALL_DESCRIPTION 1000
#define IDC_INSTALL_STATUS 1004
#define IDC_INSTALL_HEADING 1015

// String table. Each text is the default of an Install.ini key (named in the
// comment) or a fixed text of the program.
#define IDS_ABOUTBOX 101             // system menu item
#define IDS_TITLE 102                // [General] Title
#define IDS_ADMINISTRATOR_ONLY 103   // [General] Administrator_Only
#define IDS_BACK 104                 // Back
#define IDS_NEXT 105                 // Next
#define IDS_NO_RECOVERY_PART 107     // [General] NoRecoveryPart
#define IDS_VERSION 108              // About_VerString
#define IDS_NOT_A_DIRECTORY 127      // "Find Files..." refuses a directory
#define IDS_DESKTOP_SHORTCUT 197     // marker in an application's Description
#define IDS_MISSING_FILE_1 199       // "Find Files..." message, before the name
#define IDS_MISSING_FILE_2 200       // "Find Files..." message, after the name
#define IDS_MISSING_CAPTION 201      // "Find Files..." caption, before the name
#define IDS_COPYING_FILES 202        // CopyFiles
#define IDS_UPDATING_REGISTRY 203    // Registry
#define IDS_PLEASE_WAIT 204          // Wait
#define IDS_FROM 208                 // From
#define IDS_GET_APP_LIST 209         // GetAppList
#define IDS_INSTALLING_APPS 210      // Main
#define IDS_REBOOT 211               // reboot
#define IDS_INSTALL_APPS 212         // InstallApp
#define IDS_INTRO1 213               // Intro1
#define IDS_SEL_FILES_FOLDERS 214    // SelFilesFolders
#define IDS_OPTION 215               // Option
#define IDS_APPS 216                 // Apps
#define IDS_FILE_RESTORE 217         // FileRestore
#define IDS_APPS_COMMENT 218         // AppsComment
#define IDS_FILE_RESTORE_COMMENT 219 // FileRestoreComment
#define IDS_INP_INFO 220             // InpInfo
#define IDS_SUBFOLDER 221            // SubFolder
#define IDS_UPDATE_RESTORE2 222      // UPDATERESTORE2
#define IDS_CONF_COPY 223            // ConfCopy
#define IDS_CONF_COPY2 224           // ConfCopy2
#define IDS_INTRO2 225               // Intro2
#define IDS_DRIVER 226               // Driver
#define IDS_DRIVER_COMMENT 227       // DriverComment
#define IDS_UPDATE_RESTORE1 228      // UPDATERESTORE1
#define IDS_UPDATE_RESTORE3 229      // UPDATERESTORE3
#define IDS_RESTORE_FINISHED 230     // RESTOREFINISHED
#define IDS_GET_DRIVER_LIST 231      // GetDriverList
#define IDS_INSTALL_DRIVERS 232      // InstallDriver
#define IDS_INSTALLING_DRIVERS 233   // Main_drv
#define IDS_FINISH 234               // Finish
#define IDS_EXIT 236                 // Exit
#define IDS_GET_APP_LIST2 237        // GetAppList2
#define IDS_GET_APP_LIST3 238        // GetAppList3
#define IDS_GET_DRIVER_LIST2 239     // GetDriverList2
#define IDS_ONLY_ONE_ITEM 240        // ONLYONEITEM
#define IDS_RESTART_FAILED 241       // the restart of Windows failed
