#pragma once
// What the skin window needs of the program around it: the settings it is drawn from, the
// skin choice, and the page frame it keeps inside its inner rectangle. The application
// provides it; the skin window knows nothing else of the application.
#include "settings/CSkinSettings.h"

class CFrameWnd;

class CSkinHost
{
public:
    virtual ~CSkinHost() = default;

    // The settings as last read.
    virtual const CSkinSettings& GetSettings() const = 0;
    // Reads every settings file again.
    virtual const CSkinSettings& ReloadSettings() = 0;
    // Records the skin folder named strName as the choice the next reload reads.
    virtual void SaveSkinChoice(const CString& strName) = 0;
    // Closes the document and makes a fresh one with its page frame.
    virtual void RenewPage() = 0;
    // The frame that shows the start page, or null when there is none.
    virtual CFrameWnd* GetPageFrame() const = 0;
};
