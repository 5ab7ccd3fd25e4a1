#pragma once
// Command identifiers of the framework's standard commands.
#define ID_FILE_NEW     57600
#define ID_FILE_OPEN    57601
#define ID_FILE_CLOSE   57602
#define ID_FILE_SAVE    57603
#define ID_EDIT_COPY    57634
#define ID_EDIT_CUT     57635
#define ID_EDIT_PASTE   57637
#define ID_EDIT_UNDO    57643
#define ID_APP_ABOUT    57664
#define ID_APP_EXIT     57665
#define ID_NEXT_PANE    57680

// The application title string: the framework takes the title from it when the
// application object is given no name.
#define IDS_APP_TITLE   57344
