// Resource and command ids, shared by the code and the resource script (no C++ in here: windres
// reads it too).
#pragma once

// The framework's own ids: frame child windows and standard commands (ID_APP_ABOUT, ...).
#include "window/framework_ids.h"

// Main frame: menu, toolbar, accelerators, application icon, document string.
#define IDR_MAINFRAME 128

// Dialogs.
#define IDD_ABOUTBOX 100
#define IDD_DETAIL_FORM 130
#define IDD_SERVICE_PROPERTY 131
#define IDD_SERVICE_GROUP 132

// Icons and bitmaps.
#define IDI_HOME_PAGE 130
#define IDI_REFRESH 132
#define IDI_SERVICE_START 133
#define IDI_SERVICE_STOP 134
#define IDI_ABOUT 135
#define IDI_SERVICE 137
#define IDI_TREE_GROUP 138
#define IDI_TREE_LEAF 139
#define IDI_DETAIL 140
#define IDI_SERVICE_GROUP 141
#define IDI_SERVICE_PROPERTY 143
#define IDB_ABOUT_BANNER 145

// The system's commands.
#define ID_REFRESH 32771
#define ID_SERVICE_START 32772
#define ID_SERVICE_STOP 32773
#define ID_SERVICE_PAUSE 32774
#define ID_VISIT_WEBSITE 32775
#define ID_SERVICE_GROUP 32777
#define ID_SERVICE_PROPERTY 32778

// Strings.
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_HOME_PAGE_URL 57666
#define IDS_COL_SERVICE_NAME 57667
#define IDS_COL_DESCRIPTION 57668
#define IDS_COL_STATUS 57669
#define IDS_COL_START_TYPE 57670
#define IDS_STATE_STARTED 57671
#define IDS_STATE_PAUSED 57672
#define IDS_STATE_STOPPED 57673
#define IDS_START_AUTO 57674
#define IDS_START_DEMAND 57675
#define IDS_START_DISABLED 57676
#define IDS_START_BOOT 57677
#define IDS_START_SYSTEM 57678
#define IDS_COL_FILE 57679
#define IDS_COL_GROUP 57680
#define IDS_SELECT_SERVICE 57681
#define IDS_CONFIRM_START 57682
#define IDS_CONFIRM_STOP 57683
#define IDS_CONFIRM_START_TYPE 57684
#define IDS_SERVICE_SPECIFIC_CODE 57700
#define IDS_SERVICE_STOPPED_AFTER_START 57701
#define IDS_CATALOGUE_NO_MEMORY 57710
#define IDS_DETAIL_TITLE 61459
#define IDS_DETAIL_FILE 61460
#define IDS_DETAIL_VERSION 61461
#define IDS_DETAIL_DESCRIPTION 61462
#define IDS_DETAIL_COMPANY 61463
#define IDS_DETAIL_NO_FILE 61464

// Saved inventories of services: file dialogs, messages, what is wrong in a refused file.
#define IDS_INVENTORY_FILTER 34000
#define IDS_INVENTORY_SAVE_TITLE 34001
#define IDS_INVENTORY_OPEN_TITLE 34002
#define IDS_INVENTORY_SAVE_FAILED 34003
#define IDS_INVENTORY_READ_FAILED 34004
#define IDS_INVENTORY_NO_MEMORY 34020
#define IDS_INVENTORY_BAD_FILE 34005
#define IDS_INVENTORY_BAD_LINE 34006
#define IDS_INVENTORY_READ_ONLY 34007
#define IDS_INVENTORY_TOO_LARGE 34010
#define IDS_INVENTORY_TOO_MANY 34021
#define IDS_INVENTORY_ENCODING 34011
#define IDS_INVENTORY_HEADER 34012
#define IDS_INVENTORY_TRUNCATED 34013
#define IDS_INVENTORY_QUOTING 34014
#define IDS_INVENTORY_LINE_END 34015
#define IDS_INVENTORY_COLUMNS 34016
#define IDS_INVENTORY_NUMBER 34017
#define IDS_INVENTORY_TEXT 34018
#define IDS_INVENTORY_RECORD 34019
#define IDS_INVENTORY_EMPTY 34040
// Why a file was not read or written, where the system's own text would mislead.
#define IDS_FILE_IS_DEVICE 34041
#define IDS_FILE_IN_USE 34042

// The command line.
#define IDS_USAGE 34100
#define IDS_UNKNOWN_ARGUMENT 34101
// /compare: its report.
#define IDS_COMPARE_REPORT_FAILED 34110
#define IDS_COMPARE_OUT_IS_INPUT 34111

// The system the program runs on.
#define IDS_WOW64_REFUSED 34200

// What the service manager would not give: a load that is not whole, a per-user instance's start
// type.
#define IDS_MANAGER_UNAVAILABLE 34300
#define IDS_LIST_INCOMPLETE 34301
#define IDS_PASS_WIN32 34302
#define IDS_PASS_DRIVERS 34303
#define IDS_PER_USER_INSTANCE 34304

// Stopping a service with the services that depend on it; setting a start type back (Ctrl+Z).
#define IDS_CONFIRM_STOP_DEPENDENTS 34500
#define IDS_MORE_DEPENDENTS 34501
#define IDS_DEPENDENT_NOT_STOPPED 34502
#define IDS_CONFIRM_UNDO_START_TYPE 34503

// Controls.
#define IDC_SVCHOST_LIST 1000
#define IDC_GROUP_ORDER_LIST 1001
#define IDC_START_TYPE 1003
#define IDC_SERVICE_NAME 1004
#define IDC_DISPLAY_NAME 1005
#define IDC_DESCRIPTION 1006
#define IDC_IMAGE_PATH 1007
#define IDC_SERVICE_DLL 1008
#define IDC_SERVICE_STATUS 1009
#define IDC_PROPERTY_OK 1014
