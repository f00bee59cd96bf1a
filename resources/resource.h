#pragma once
// Resource ids shared by the code and the .rc files of both programs.

// Icon and cursor
#define IDI_MAIN 128           // program icon, 16x16 and 32x32
#define IDCUR_MOVE 226         // four-way move cursor of the main window, hot spot (15, 15)

// Image buttons: normal, pressed and hover bitmaps
#define IDB_CLEAN_NORMAL 172   // "청소", 80x70
#define IDB_CLEAN_PRESSED 173
#define IDB_CLEAN_HOVER 192
#define IDB_MENU_NORMAL 175    // "메뉴", 80x35
#define IDB_MENU_PRESSED 174
#define IDB_MENU_HOVER 190
#define IDB_SETTINGS_NORMAL 177  // "설정", 80x35
#define IDB_SETTINGS_PRESSED 176
#define IDB_SETTINGS_HOVER 191
#define IDB_CLOSE_NORMAL 179   // "X" of every window, 9x9
#define IDB_CLOSE_HOVER 180
#define IDB_CLOSE_PRESSED 181
#define IDB_TRAY_NORMAL 182    // "_", 10x11
#define IDB_TRAY_HOVER 183
#define IDB_TRAY_PRESSED 184
#define IDB_HELP_NORMAL 185    // "?", 8x11
#define IDB_HELP_HOVER 186
#define IDB_HELP_PRESSED 187

// Pictures
#define IDB_SPLASH_SHAPED 207  // splash in region mode, 336x260, 24-bit
#define IDB_LOGO 208           // main window logo, 35x13
#define IDB_SPLASH_FRAMED 221  // splash in rectangular mode, 336x260, 24-bit

// Wave sounds
#define IDW_CLICK 222          // every button press
#define IDW_RUN_END 223        // end of a cleaning run
#define IDW_EXIT 227           // exit, played to its end

// Progress window
#define IDD_PROGRESS 156
#define IDC_PROGRESS_BUTTON1 1001      // hidden, no role
#define IDC_PROGRESS_STEP_LABEL 1043
#define IDC_PROGRESS_CATEGORY_BAR 1056
#define IDC_PROGRESS_OVERALL_BAR 1090
#define IDC_PROGRESS_COUNT_LABEL 1095
#define IDC_PROGRESS_CLOSE 1097

// Control gallery (a test dialog showing every control in its states)
#define IDD_CONTROL_GALLERY 300
#define IDC_GALLERY_HOVER_NORMAL 3001
#define IDC_GALLERY_HOVER_HOVERED 3002
#define IDC_GALLERY_HOVER_PRESSED 3003
#define IDC_GALLERY_HOVER_DISABLED 3004
#define IDC_GALLERY_CLOSE_NORMAL 3011
#define IDC_GALLERY_CLOSE_HOVERED 3012
#define IDC_GALLERY_CLEAN 3013
#define IDC_GALLERY_MENU 3014
#define IDC_GALLERY_SETTINGS 3015
#define IDC_GALLERY_LABEL 3021
#define IDC_GALLERY_CHECK 3022
#define IDC_GALLERY_EDIT 3023
#define IDC_GALLERY_BAR_EMPTY 3031
#define IDC_GALLERY_BAR_HALF 3032
#define IDC_GALLERY_BAR_FULL 3033
#define IDC_GALLERY_BAR_AT_UPPER 3034

// Folder-information window
#define IDD_FOLDER_INFO 150
#define IDC_FOLDER_INFO_VERSION 101   // hidden and disabled, no role
#define IDC_FOLDER_INFO_CLOSE 1040    // "X" image button
#define IDC_FOLDER_INFO_TITLE 1043
#define IDC_FOLDER_INFO_TEXT 1096     // the survey text

// Preview window: what a run would delete, counted without deleting
#define IDD_PREVIEW 160
#define IDC_PREVIEW_TITLE 1601
#define IDC_PREVIEW_CLOSE 1602        // "X" image button
#define IDC_PREVIEW_STATUS 1603
#define IDC_PREVIEW_BAR 1604
#define IDC_PREVIEW_LIST 1605         // the steps; a header click sorts by size
#define IDC_PREVIEW_TOTALS 1606
#define IDC_PREVIEW_CLEAN 1607        // "청소"
#define IDC_PREVIEW_STOP 1608         // "취소"
#define IDC_PREVIEW_DONE 1609         // "닫기"

// Main window
#define IDD_MAIN 102
#define IDC_MAIN_BUTTON1 1001          // hidden and disabled, no role
#define IDC_MAIN_BUTTON2 1002          // hidden and disabled, no role
#define IDC_MAIN_TRAY 1039             // "_" image button
#define IDC_MAIN_EXIT 1040             // "X" image button
#define IDC_MAIN_HELP 1053             // "?" image button
#define IDC_MAIN_UNUSED 1066           // hidden static, no role
#define IDC_MAIN_CLEAN 1068            // "청소"
#define IDC_MAIN_MENU 1069             // "메뉴"
#define IDC_MAIN_SETTINGS 1070         // "설정"
#define IDM_SYSTEM_ABOUT 16            // appended to the system menu
#define IDS_SYSTEM_ABOUT 101           // its text

// The main window's menu (its commands reach the main window as WM_COMMAND)
#define IDM_MAIN_MENU 153
#define IDM_SHOW_FOLDER_INFO 32778
#define IDM_SHOW_PROGRESS 32779
#define IDM_PREVIEW 32781
#define IDM_SETTINGS 1070              // the same command as the "설정" button
#define IDM_ADD_BROWSER_CACHES 32790   // the ready-made cache entries that are missing
#define IDM_COUNTER_PAGE 1067
#define IDM_HOME_PAGE 1048
#define IDM_ABOUT 57670
#define IDM_EXIT 1                     // IDOK

// About window
#define IDD_ABOUT 100
#define IDC_ABOUT_HELP 1029            // the help text
#define IDC_ABOUT_TITLE 1046
#define IDC_ABOUT_CREDIT 1047
#define IDC_ABOUT_HOME_PAGE 1048
#define IDC_ABOUT_COUNTER_PAGE 1067
#define IDS_HELP_TEXT 102              // the help text, first half
#define IDS_HELP_TEXT_MORE 103         // and the second

// Start-up splash
#define IDD_SPLASH 198
#define IDR_SPLASH_REGION 214          // its outline, resource type "Region"
// The tray icon: its id is also the id of its menu, which carries the
// main window's menu commands and "열기" before them
#define IDM_TRAY_MENU 104
#define IDM_OPEN 32780
// Settings window, entry editor and registry-key window
#define IDD_SETTINGS 193
#define IDD_ENTRY_EDITOR 194
#define IDD_REG_KEY 195
#define IDD_DIRECTORY_TEXT 196
#define IDC_SETTINGS_TITLE 1043        // "청소 설정"
#define IDC_SETTINGS_CACHE 1072        // the eleven category check boxes
#define IDC_SETTINGS_COOKIE 1073
#define IDC_SETTINGS_HISTORY 1074
#define IDC_SETTINGS_TEMP 1075
#define IDC_SETTINGS_RECENT 1076
#define IDC_SETTINGS_RECYCLE_BIN 1077
#define IDC_SETTINGS_INDEX_ENTRY 1078
#define IDC_SETTINGS_TYPED_URL 1080
#define IDC_SETTINGS_MEDIA_PLAYER 1098
#define IDC_SETTINGS_REAL_PLAYER 1099
#define IDC_SETTINGS_REAL_ONE 1100
#define IDC_SETTINGS_ENTRY_EDIT 1079   // "설정"
#define IDC_SETTINGS_ENTRY_ADD 1081    // "추가"
#define IDC_SETTINGS_ENTRY_DELETE 1082 // "삭제"
#define IDC_SETTINGS_ENTRIES 1083      // list view of the user entries
#define IDC_SETTINGS_ENTRIES_TITLE 1092  // "사용자 추가"
#define IDC_EDITOR_TITLE 1043          // "디렉토리/레지스트리 설정"
#define IDC_EDITOR_STRINGS 1083        // sorted list of "Dir:" and "Reg:" strings
#define IDC_EDITOR_ADD_DIRECTORY 1084
#define IDC_EDITOR_ADD_KEY 1085
#define IDC_EDITOR_NAME 1087
#define IDC_EDITOR_DELETE 1088
#define IDC_EDITOR_SUBFOLDERS 1091     // "하위 폴더(디렉토리) 까지 포함"
#define IDC_EDITOR_NAME_LABEL 1093
#define IDC_EDITOR_WARNING 1100
#define IDC_EDITOR_TYPE_DIRECTORY 1101 // "경로 입력": a directory typed in full
#define IDC_REG_KEY_FIND 1086          // "레지스트리 찾기"
#define IDC_REG_KEY_NAME 1087
#define IDC_REG_KEY_LABEL 1094
#define IDC_DIRECTORY_TEXT 1087
#define IDC_DIRECTORY_TEXT_LABEL 1094
#define IDC_DIRECTORY_TEXT_EXAMPLE 1095
// The updater's window (QorvUpDate.exe; its icon is IDI_MAIN)
#define IDD_UPDATER 102
#define IDC_UPDATER_STATUS 1000
#define IDC_UPDATER_PROGRESS 1001
#define IDC_UPDATER_STOP 1002
