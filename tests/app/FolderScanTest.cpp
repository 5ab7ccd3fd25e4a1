#include "app/FolderScan.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>

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
}
