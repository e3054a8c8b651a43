// Numbers of the program's own strings (resources/strings.rc); the resource compiler and the
// code read them from here.
#pragma once

// Captions of the message dialog's buttons, in the order of the button kinds.
#define IDS_MSGDLG_YES 64000
#define IDS_MSGDLG_NO 64001
#define IDS_MSGDLG_OK 64002
#define IDS_MSGDLG_CANCEL 64003
#define IDS_MSGDLG_ABORT 64004
#define IDS_MSGDLG_RETRY 64005
#define IDS_MSGDLG_IGNORE 64006
#define IDS_MSGDLG_ALL 64007
#define IDS_MSGDLG_NOTOALL 64008
#define IDS_MSGDLG_YESTOALL 64009
#define IDS_MSGDLG_HELP 64010

// Captions of the message dialog per dialog type (the custom type takes the program's title).
#define IDS_MSGDLG_WARNING 64016
#define IDS_MSGDLG_ERROR 64017
#define IDS_MSGDLG_INFORMATION 64018
#define IDS_MSGDLG_CONFIRM 64019
