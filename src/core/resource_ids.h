// Resource ids. The numbers are fixed: the dialogs, strings and pictures are
// looked up by them, and the product's documentation refers to them.
#pragma once

// Strings
#define IDS_ONE_COPY_RUNNING      1
#define IDS_SETUP_CAPTION         2
#define IDS_SETUP_ABORTED         3
#define IDS_COPIES_RUNNING        4
#define IDS_CONFIRM_UNINSTALL     6
#define IDS_ACCEPT_LICENSE        7
#define IDS_FINISH                8
#define IDS_INSTALLED             9
#define IDS_PRESS_FINISH          10
#define IDS_CONFIRM_CANCEL        11
#define IDS_BROWSE_TITLE          12
#define IDS_INVALID_FOLDER        13
#define IDS_OLD_VERSION_FOLDER    14
#define IDS_PRODUCT_NAME          15
#define IDS_OLDER_VERSION         16
#define IDS_SAME_VERSION          17
#define IDS_DAMAGED_SETUP         18
#define IDS_FOLDER_HAS_COPY       19
#define IDS_UNINSTALLED           20
#define IDS_NOT_ENOUGH_SPACE      21
#define IDS_PARTS_NOT_INSTALLED   22
#define IDS_INCOMPLETE            23
#define IDS_RESTART_TO_COMPLETE   24
#define IDS_UNINSTALLED_RESTART   25
#define IDS_NOT_REMOVED           26
#define IDS_HELP_SHORTCUT         101
#define IDS_README_SHORTCUT       102
#define IDS_UNINSTALL_SHORTCUT    104
#define IDS_APP_TITLE             57344

// Dialogs
#define IDD_WIZARD                103
#define IDD_LICENSE               104
#define IDD_WELCOME               105
#define IDD_DESTINATION           106
#define IDD_PROGRAM_GROUP         107
#define IDD_READY                 108

// Pictures
#define IDB_SIDE_PICTURE          101
#define IDI_APP                   102

// Controls of the wizard frame (103)
#define IDC_BACK                  3
#define IDC_SIDE_PICTURE          1002
// License page (104)
#define IDC_AGREEMENT             1000
#define IDC_DECLINE               1001
#define IDC_ACCEPT                1002
// Welcome page (105)
#define IDC_VERSION_LINE          1003
// Destination page (106)
#define IDC_CURRENT_USER          1001
#define IDC_ALL_USERS             1002
#define IDC_FOLDER_NOTE           1006
#define IDC_DEST_FOLDER           1013
#define IDC_BROWSE                1005
// Program group page (107)
#define IDC_GROUP                 1007
#define IDC_AUTO_START            1008
#define IDC_DESKTOP_ICON          1009
// Ready page (108)
#define IDC_READY_TEXT            1010
#define IDC_READY_HINT            1011
#define IDC_INSTALLING_TEXT       1009
#define IDC_RUN_PRODUCT           1012
