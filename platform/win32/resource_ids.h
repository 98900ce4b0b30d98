#pragma once

// The identifiers of the resource script's icons, dialogs and controls, read
// by the script and by the code. Plain numbers: the resource compiler reads
// this file too.

#define IDI_PROGRAM 1
#define IDI_LOGO 2

// frmTray
#define IDC_TRAY_FRAME1 101
#define IDC_TRAY_IMAGE3 102
#define IDC_TRAY_LABEL1 103
#define IDC_TRAY_LABEL3 104
#define IDC_TRAY_LOKALDREV 105
#define IDC_TRAY_LINE1 106
#define IDC_TRAY_LABEL4 107

// frmIndstillinger
#define IDC_SETTINGS_FRAME1 201
#define IDC_SETTINGS_LABEL1 202
#define IDC_SETTINGS_LOKALDREV 203
#define IDC_SETTINGS_MAILHISTORIK 204
#define IDC_SETTINGS_OKKNAP 205

// frmText
#define IDC_TEXT_FLDTEXT 301
#define IDC_TEXT_OKKNAP 302
#define IDC_TEXT_ANNULLERKNAP 303

// frmOutlook
#define IDC_OUTLOOK_OLVIEW 401
#define IDC_OUTLOOK_FORRIGEKNAP 402
#define IDC_OUTLOOK_OPSLAGKNAP 403
#define IDC_OUTLOOK_NAESTEKNAP 404
#define IDC_OUTLOOK_OVERFOERKNAP 405
#define IDC_OUTLOOK_ANNULLERKNAP 406
