#include "support/KeloStart.h"
#include "app/CKeloApp.h"
#include "frame/CMainFrame.h"

BOOL StartKeloIn(const CString& strProgramFolder)
{
    // The program folder comes from the help file's path, which names the program file.
    theApp.m_strHelpFilePath = strProgramFolder + "Kelo.HLP";
    return theApp.InitInstance();
}

void EndKelo()
{
    if (theApp.GetMainFrame()) {
        theApp.CloseAllDocuments(TRUE);
        ::DestroyWindow(theApp.GetMainFrame()->m_hWnd);
    }
    theApp.m_pMainWnd = nullptr;
    theApp.ExitInstance();
}
