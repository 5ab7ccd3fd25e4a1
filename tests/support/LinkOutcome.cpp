#include "support/LinkOutcome.h"
#include "links/LinkConstants.h"
#include "links/CLinkCommandRunner.h"

LinkOutcome ReadLinkOutcome(const std::vector<RecordedMessage>& messages)
{
    LinkOutcome outcome;
    for (const RecordedMessage& m : messages) {
        if (outcome.nDone)
            ++outcome.nAfterDone;
        if (m.nMessage == WM_ENABLE) {
            outcome.enables.push_back(m.wParam);
        } else if (m.nMessage == WM_APP_LINKDONE) {
            ++outcome.nDone;
        } else if (m.nMessage == WM_APP_PLAYVIDEO) {
            CString strName("(no copy)");
            CLinkCommandRunner::TakeVideoArgument(m.lParam, strName);
            outcome.commands.push_back("play " + strName.str() + (m.wParam ? " wParam!" : ""));
        } else if (m.nMessage == WM_APP_VIDEOCONTROL) {
            outcome.commands.push_back("control " + std::to_string(static_cast<int>(m.wParam)) +
                                       (m.lParam ? " lParam!" : ""));
        } else if (m.nMessage == WM_QUIT) {
            outcome.commands.push_back(m.wParam || m.lParam ? "quit with parameters" : "quit");
        }
    }
    return outcome;
}
