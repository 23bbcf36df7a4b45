#pragma once

// Identifiers of the program's resources: dialog templates, their controls,
// strings and bitmaps. Control ids are unique within their dialog.
namespace res {

// Controls every dialog shares.
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_SAVER_DIALOG = 102;
inline constexpr int IDD_SELECT_CITY = 131;
inline constexpr int IDD_SELECT_IMAGES = 138;
inline constexpr int IDD_ENTER_LOCATION = 140;
inline constexpr int IDD_IMGPK_PROMO = 156;

// Strings.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_LOCATION_REQUIRED = 103;
inline constexpr int IDS_LOCATION_INVALID = 104;
inline constexpr int IDS_CONNECTION_REQUIRED = 105;

// Bitmaps and icons.
inline constexpr int IDB_MONITOR = 146;
inline constexpr int IDB_ABOUT_BACKGROUND = 153;
inline constexpr int IDI_SAVER = 155;

// Settings dialog (102).
inline constexpr int IDC_SPEED_SCROLLBAR = 1002;
inline constexpr int IDC_PREVIEW_PLACEHOLDER = 1006;
inline constexpr int IDC_LOCATION = 1008;
inline constexpr int IDC_ABOUT_BUTTON = 1009;
inline constexpr int IDC_METHOD_WEATHER = 1012;
inline constexpr int IDC_METHOD_FAVORITES = 1013;
inline constexpr int IDC_SELECT_FAVORITES = 1014;
inline constexpr int IDC_METHOD_SHOW_ALL = 1015;
inline constexpr int IDC_ORDER_RANDOM = 1016;
inline constexpr int IDC_ORDER_SEQUENTIAL = 1017;
inline constexpr int IDC_SPEED_GROUP = 1019;
inline constexpr int IDC_PACK_LIST = 1020;
inline constexpr int IDC_PACK_LABEL = 1021;
inline constexpr int IDC_PROFILE_LINK = 1022;
inline constexpr int IDC_FAQ_LINK = 1023;
inline constexpr int IDC_TEMPERATURE_LABEL = 1024;
inline constexpr int IDC_TEMPERATURE_LIST = 1025;
inline constexpr int IDC_CLEAR_SCREEN = 1037;
inline constexpr int IDC_BLEND_IMAGES = 1040;
inline constexpr int IDC_DOWNLOAD_LINK = 1043;
inline constexpr int IDC_NOTIFICATIONS = 1044;
inline constexpr int IDC_MORE_INFO_LINK = 1045;

// City choice (131).
inline constexpr int IDC_CITY_LIST = 1003;

// Favourite picker (138).
inline constexpr int IDC_IMAGE_LIST = 1010;
inline constexpr int IDC_SELECTED_COUNT = 1011;

// About box (100).
inline constexpr int IDC_VERSION = 1029;
inline constexpr int IDC_VIEW_PHOTOS_LINK = 1031;
inline constexpr int IDC_SUBMIT_PHOTOS_LINK = 1032;
inline constexpr int IDC_ABOUT_LINE1 = 1033;
inline constexpr int IDC_ABOUT_LINE2 = 1034;
inline constexpr int IDC_ABOUT_LINE3 = 1035;

// Location entry (140).
inline constexpr int IDC_LOCATION_EDIT = 1038;

// Pack promotion (156).
inline constexpr int IDC_ASK_ME_LATER = 1041;

} // namespace res
