#include "support/CMessageRecorder.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CWinApp.h"
#include "support/TestWindowClass.h"
#include <algorithm>

CMessageRecorder::CMessageRecorder(std::initializer_list<UINT> messages)
    : m_filter(messages)
{
}

CMessageRecorder::~CMessageRecorder()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    DestroyWindow();
}

BOOL CMessageRecorder::Create()
{
    const char* pszClass = PlainTestWindowClass();
    return pszClass && CreateEx(0, pszClass, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr);
}

std::vector<RecordedMessage> CMessageRecorder::Take()
{
    std::vector<RecordedMessage> messages;
    messages.swap(m_messages);
    return messages;
}

bool CMessageRecorder::PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    return ::PumpUntil(condition, dwTimeoutMs, [this](const MSG& msg) { RecordQuit(msg); });
}

bool CMessageRecorder::PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs)
{
    return ::PumpUntilSignaled(hObject, dwTimeoutMs, [this](const MSG& msg) { RecordQuit(msg); });
}

void CMessageRecorder::RecordQuit(const MSG& msg)
{
    m_messages.push_back({msg.message, msg.wParam, msg.lParam});
}

bool CMessageRecorder::Records(UINT message) const
{
    if (m_filter.empty())
        return message >= WM_USER;
    return std::find(m_filter.begin(), m_filter.end(), message) != m_filter.end();
}

LRESULT CMessageRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!Records(message))
        return CWnd::WindowProc(message, wParam, lParam);
    m_messages.push_back({message, wParam, lParam});
    return 0;
}
