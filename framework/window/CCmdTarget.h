#pragma once
// Root of every object that receives messages or commands through a message map.
#include "framework/core/CObject.h"
#include "framework/window/MessageMap.h"

class CCmdTarget : public CObject
{
    KELO_DECLARE_DYNAMIC(CCmdTarget)

public:
    static const CMessageMap* GetThisMessageMap();
    virtual const CMessageMap* GetMessageMap() const;

    // Runs the handler of command nID with notification code nCode from this object's
    // map (or a base class's); FALSE when none handles it. Frames and views override it
    // to route commands on to the active view, its document and the application.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

protected:
    // The first entry for the message (and, for WM_COMMAND, the identifier and code),
    // searching this class's table before its base classes'.
    const CMessageEntry* FindMessageEntry(UINT nMessage, UINT nID = 0, UINT nCode = 0) const;
};
