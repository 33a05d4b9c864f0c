// Identifiers of the setup dialog's template and of its controls, shared by
// setup_dialog.rc and setup_dialog_view.cpp (hence macros: the resource compiler reads
// this file too).
#pragma once

#define IDD_SETUP_DIALOG 100

#define IDC_LABEL -1  // labels, never addressed
#define IDC_BANNER 1000
#define IDC_RESOLUTION 1001
#define IDC_ASPECT 1002
#define IDC_SCREEN 1003
#define IDC_FULLSCREEN 1004
#define IDC_VSYNC 1005
#define IDC_MULTISAMPLING 1006
#define IDC_LOOP_DEMO 1007
#define IDC_START 1008
#define IDC_QUIT 1009
