#include "settings/FolderScan.h"
#include "support/CTempFolder.h"
#include "framework/core/ScopedWin.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
// The names in a folder in the order the platform's file search returns them.
std::vector<CString> NamesInSearchOrder(const CString& strFolder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA fd;
    ScopedFindHandle hFind(::FindFirstFileA(strFolder + "\\*", &fd));
    if (hFind.IsValid()) {
        do {
            CString strName(fd.cFileName);
            if (strName != "." && strName != "..")
                names.push_back(strName);
        } while (::FindNextFileA(hFind, &fd));
    }
    return names;
}

std::vector<CString> ToVector(const CStringArray& a)
{
    return std::vector<CString>(a.begin(), a.end());
}

// Creates a folder by its exact name: the \\?\ form keeps a trailing full stop and
// allows paths longer than MAX_PATH (with the wide-character function only).
void MakeFolderVerbatim(const CString& strPath)
{
    std::wstring wstrPath = L"\\\\?\\";
    for (int i = 0; i < strPath.GetLength(); ++i)
        wstrPath += static_cast<wchar_t>(static_cast<unsigned char>(strPath[i]));
    ASSERT_TRUE(::CreateDirectoryW(wstrPath.c_str(), nullptr)) << strPath.GetString();
}
} // namespace

TEST(FolderExists, TellsFoldersFromFilesAndNothing)
{
    CTempFolder tmp;
    tmp.WriteFile("file.txt", "x");
    EXPECT_TRUE(FolderExists(tmp.Path()));
    EXPECT_TRUE(FolderExists(tmp.Path().Left(tmp.Path().GetLength() - 1)));
    EXPECT_FALSE(FolderExists(tmp.Path() + "file.txt"));
    EXPECT_FALSE(FolderExists(tmp.Path() + "missing"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FolderExists(nullptr));
    EXPECT_FALSE(FolderExists(CString('a', 5000)));
}

TEST(CollectFolders, ListsDepthFirstInTheFileSystemsOrderWithoutFiles)
{
    CTempFolder tmp;
    const CString strSkins = tmp.MakeFolder("SKINS");
    for (const char* pszName : {"Bleu", "Azur", "Rouge", "Zinc", "Mauve"})
        tmp.MakeFolder(CString("SKINS\\") + pszName);
    tmp.MakeFolder("SKINS\\Azur\\Clair");
    tmp.MakeFolder("SKINS\\Azur\\Clair\\Nuit");
    tmp.MakeFolder("SKINS\\Azur\\Fonce");
    tmp.WriteFile("SKINS\\Lanceur.ini", "[Generalite]\r\n");
    tmp.WriteFile("SKINS\\Azur\\Skin.ini", "[Generalite]\r\n");

    // What depth first means for the order the file system gives, level by level.
    std::vector<CString> expected;
    for (const CString& strName : NamesInSearchOrder(strSkins)) {
        if (strName.Find('.') >= 0)
            continue;
        expected.push_back(strSkins + "\\" + strName);
        if (strName == "Azur") {
            for (const CString& strSub : NamesInSearchOrder(strSkins + "\\Azur")) {
                if (strSub.Find('.') >= 0)
                    continue;
                expected.push_back(strSkins + "\\Azur\\" + strSub);
                if (strSub == "Clair")
                    expected.push_back(strSkins + "\\Azur\\Clair\\Nuit");
            }
        }
    }
    ASSERT_EQ(8u, expected.size());

    CStringArray list;
    list.Add("earlier");
    EXPECT_TRUE(CollectFolders(strSkins, list));
    std::vector<CString> got = ToVector(list);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(CString("earlier"), got.front()) << "the list is appended to, never cleared";
    got.erase(got.begin());
    EXPECT_EQ(expected, got);
}

TEST(CollectFolders, SkipsNamesEndingInAFullStopWithTheirSubfolders)
{
    CTempFolder tmp;
    const CString strSkins = tmp.MakeFolder("SKINS");
    MakeFolderVerbatim(strSkins + "\\Ancien.");
    MakeFolderVerbatim(strSkins + "\\Ancien.\\Dessous");
    std::vector<CString> names = NamesInSearchOrder(strSkins);
    ASSERT_NE(names.end(), std::find(names.begin(), names.end(), CString("Ancien.")));
    tmp.MakeFolder("SKINS\\Neuf");
    tmp.MakeFolder("SKINS\\v1.0");

    CStringArray list;
    EXPECT_TRUE(CollectFolders(strSkins, list));
    std::vector<CString> got = ToVector(list);
    std::sort(got.begin(), got.end());
    EXPECT_EQ((std::vector<CString>{strSkins + "\\Neuf", strSkins + "\\v1.0"}), got);
}

TEST(CollectFolders, MissingOrEmptyRootGivesFalseAndLeavesTheList)
{
    CTempFolder tmp;
    tmp.WriteFile("SKINS", "a file, not a folder");
    CStringArray list;
    list.Add("kept");
    EXPECT_FALSE(CollectFolders(tmp.Path() + "SKINS", list));
    EXPECT_FALSE(CollectFolders(tmp.Path() + "NOPE", list));
    EXPECT_FALSE(CollectFolders("", list));
    EXPECT_EQ(std::vector<CString>{CString("kept")}, ToVector(list));

    const CString strEmpty = tmp.MakeFolder("EMPTY");
    EXPECT_TRUE(CollectFolders(strEmpty, list));
    EXPECT_EQ(1, list.GetSize());
}

TEST(CollectFolders, SkipsPathsTooLongForAPathBuffer)
{
    CTempFolder tmp;
    const CString strSkins = tmp.MakeFolder("SKINS");
    tmp.MakeFolder("SKINS\\Court");
    // Nested folders until the path passes 300 characters.
    CString strPath = strSkins;
    std::vector<CString> created;
    while (strPath.GetLength() < 300) {
        strPath += "\\" + CString('d', 40);
        MakeFolderVerbatim(strPath);
        created.push_back(strPath);
    }

    CStringArray list;
    EXPECT_TRUE(CollectFolders(strSkins, list));
    std::vector<CString> got = ToVector(list);
    for (const CString& strFolder : got)
        EXPECT_LT(strFolder.GetLength(), MAX_PATH) << strFolder.GetString();
    // Every created folder short enough to be searched inside is listed.
    for (const CString& strFolder : created) {
        bool bListed = std::find(got.begin(), got.end(), strFolder) != got.end();
        EXPECT_EQ(strFolder.GetLength() + 2 < MAX_PATH, bListed) << strFolder.GetLength();
    }
    EXPECT_NE(got.end(), std::find(got.begin(), got.end(), strSkins + "\\Court"));
}
