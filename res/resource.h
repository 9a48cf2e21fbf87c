// Resource identifiers of the Windows program, shared by spirandel.rc and the Windows layer.
#pragma once

#define IDR_MANIFEST 1
#define IDC_INVISIBLE 130
#define IDS_APP_TITLE 57344

// Settings pages, one dialog template each.
#define IDD_PAGE_SHAPES 107
#define IDD_PAGE_DISPLAY 108
#define IDD_PAGE_COLOURS 109
#define IDD_PAGE_ROTATION 110
#define IDD_PAGE_ZOOM 111
#define IDD_PAGE_HOTKEYS 112
#define IDD_PAGE_JOIN 113

// Shapes
#define IDC_CIRCLE 1001
#define IDC_STAR 1002
#define IDC_HEXAGRAM 1003
#define IDC_OCTAGRAM 1004
#define IDC_SQUARE 1005
#define IDC_DIAMOND 1006
#define IDC_TRIANGLE 1007
#define IDC_PYRAMID 1008
// Display
#define IDC_IMAGES_PER_SEC 1009
#define IDC_OBJECT_SIZE 1010
#define IDC_COMPLETION_DELAY 1011
// Colours
#define IDC_COLOUR_HIGH 1012
#define IDC_COLOUR_MEDIUM 1013
#define IDC_COLOUR_LOW 1014
// Rotation
#define IDC_ROTATION_NONE 1015
#define IDC_CLOCKWISE 1016
#define IDC_ANTI_CLOCKWISE 1017
// Zoom
#define IDC_ZOOM_VERY_HIGH 1018
#define IDC_ZOOM_HIGH 1019
#define IDC_ZOOM_MEDIUM 1020
#define IDC_ZOOM_LOW 1021
#define IDC_ONE_PHASE 1022
#define IDC_TWO_PHASE 1023
#define IDC_FOUR_PHASE 1024
#define IDC_START_SMALL 1025
#define IDC_START_LARGE 1026
// Hotkeys
#define IDC_PAUSE_ACTIVE 1027
#define IDC_PRINT_ACTIVE 1028
#define IDC_PAUSE_KEY 1030
#define IDC_PRINT_KEY 1031
#define IDC_LOCATION 1032
#define IDC_BROWSE 1033
// Join The Dots
#define IDC_JOIN_YES 1041
#define IDC_JOIN_NO 1042
#define IDC_JOIN_BOTH 1043
