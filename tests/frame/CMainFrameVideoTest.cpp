// Where the main frame looks for a video program, and the names it refuses.
#include "frame/CMainFrame.h"
#include "links/LinkConstants.h"
#include "support/HeapUsage.h"
#include "resources/resource.h"
#include "links/CLinkCommandRunner.h"
#include "links/LinkCommands.h"
#include <gtest/gtest.h>
#include <cstring>

namespace
{
CString VideoPath(const char* pszProgramFile, const char* pszName)
{
    CString strPath("(untouched)");
    return BuildVideoPath(pszProgramFile, pszName, strPath) ? strPath : CString("refused: ") + strPath;
}
} // namespace

TEST(CMainFrameVideo, PathIsTheProgramFolderThenVideoThenTheName)
{
    EXPECT_STREQ("C:\\Kiosque\\Video\\film1.exe", VideoPath("C:\\Kiosque\\Kelo.exe", "film1.exe"));
    EXPECT_STREQ("C:\\Mon Kiosque\\Video\\mon film.exe", VideoPath("C:\\Mon Kiosque\\Kelo.exe", "mon film.exe"));
    EXPECT_STREQ("C:\\Kiosque\\Video\\Demo\\film2.exe", VideoPath("C:\\Kiosque\\Kelo.exe", "Demo\\film2.exe"));
    EXPECT_STREQ("C:\\Kiosque\\Video\\.film..v2.exe", VideoPath("C:\\Kiosque\\Kelo.exe", ".film..v2.exe"));
    EXPECT_STREQ("\\\\serveur\\kiosque\\Video\\film1.exe", VideoPath("\\\\serveur\\kiosque\\Kelo.exe", "film1.exe"));
    // An empty name is the folder itself, which no launch can start.
    EXPECT_STREQ("C:\\Kiosque\\Video\\", VideoPath("C:\\Kiosque\\Kelo.exe", ""));
}

TEST(CMainFrameVideo, ProgramFileIsTheRunningProgram)
{
    CString strProgram = CMainFrame::GetProgramFile();
    DWORD dwAttributes = ::GetFileAttributesA(strProgram);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes) << strProgram.GetString();
    EXPECT_EQ(0u, dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0, strProgram.Right(15).CompareNoCase("\\test_frame.exe")) << strProgram.GetString();
}

TEST(CMainFrameVideo, NamesLeavingTheVideoFolderAreRefused)
{
    const char* refused[] = {
        "..\\Kelo.exe", "..", "Demo\\..\\..\\x.exe", "Demo\\..", ". .\\x.exe", "...\\x.exe", ".\\..\\x.exe",
        "C:\\Windows\\notepad.exe", "C:x.exe", "\\Windows\\notepad.exe", "\\\\serveur\\partage\\x.exe",
        "../x.exe", "Demo/film.exe", "//serveur/partage/x.exe", "film.exe:flux", "a\"b.exe", "film?.exe",
        "film*.exe", "a<b>.exe", "a|b.exe", "film\t.exe",
    };
    for (const char* pszName : refused)
        EXPECT_STREQ("refused: (untouched)", VideoPath("C:\\Kiosque\\Kelo.exe", pszName)) << pszName;
    EXPECT_STREQ("refused: (untouched)", VideoPath("C:\\Kiosque\\Kelo.exe", nullptr));
}

TEST(CMainFrameVideo, EveryPlayMessageReleasesItsCopyOfTheNameAndTouchesNoOtherText)
{
    CMainFrame* pFrame = new CMainFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME));
    // Refused names: nothing is started, so only the copies could stay behind.
    std::string strName = std::string(300, 'x') + "\\..\\..\\x.exe";
    auto sendCopies = [&](int nCount) {
        for (int i = 0; i < nCount; ++i)
            pFrame->SendMessage(WM_APP_PLAYVIDEO, 0, CLinkCommandRunner::HandOutVideoArgument(strName.c_str()));
    };
    sendCopies(50);
    SIZE_T nBefore = CountHeapBytesInUse();
    sendCopies(2000);
    SIZE_T nAfter = CountHeapBytesInUse();
    EXPECT_LT(nAfter, nBefore + 2000 * strName.size() / 4) << nBefore << " -> " << nAfter;

    // Text the link runner did not hand out is neither read nor freed.
    char* pszForeign = new char[strName.size() + 1];
    std::memcpy(pszForeign, strName.c_str(), strName.size() + 1);
    pFrame->SendMessage(WM_APP_PLAYVIDEO, 0, reinterpret_cast<LPARAM>(pszForeign));
    EXPECT_EQ(strName, pszForeign);
    delete[] pszForeign;
    ::DestroyWindow(pFrame->m_hWnd);
}
