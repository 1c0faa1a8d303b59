// Resource ids of the Windows program, shared by Quorvane.rc and the C++ code.
// Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_QUORVANE 107
#define IDI_SMALL 108
#define IDC_QUORVANE 109
#define IDM_OPEN 110
#define IDM_SAVE_FRAME 111

#define IDC_TOGGLE_BUTTON 3301
#define IDC_FLAT_BUTTON 3302
#define IDC_GOURAUD_BUTTON 3303
#define IDC_PHONG_BUTTON 3304

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
