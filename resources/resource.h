#pragma once
// Identifiers of the program's resources.
#define IDD_ABOUTBOX        100
#define IDD_KELO_FORM       101
#define IDD_PAGEMENU        104
#define IDR_MAINFRAME       128   // frame menu, icon and title; no accelerators
#define IDS_LOW_RESOLUTION  130   // "screen too narrow" message
#define IDC_HANDCURSOR      130   // pointing hand over the skin buttons
#define IDR_KELOTYPE        131   // document type: no menu, accelerators or strings

// Controls of the dialog templates.
#define IDC_BROWSER         1000  // the page form's placeholder of the browser control

// Commands of the main frame that nothing in the program sends; other senders may.
#define ID_FRAME_RESERVED1  32771   // handled, does nothing
#define ID_FRAME_RESERVED2  32772   // handled, does nothing
#define ID_VIDEO_STOP       32773   // stops the video
