#include "framework/file/CArchive.h"
#include "framework/file/CFile.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>

namespace
{
// A serialisable object holding one number.
class CNumber : public CObject
{
    KELO_DECLARE_SERIAL(CNumber)

public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.Write(&m_nValue, sizeof(m_nValue));
        else
            ar.Read(&m_nValue, sizeof(m_nValue));
    }
    DWORD m_nValue = 0;
};
} // namespace

KELO_IMPLEMENT_SERIAL(CNumber, CObject, 3)

TEST(CFile, OpenModesAndShareFlags)
{
    CTempFolder folder("cfile");
    CString strPath = folder.Path() + "data.bin";
    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open(strPath, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);

    CFile writer;
    ASSERT_TRUE(writer.Open(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    writer.Write("0123456789", 10);
    CFile other;
    EXPECT_FALSE(other.Open(strPath, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_EQ(4u, writer.Seek(4, CFile::begin));
    char buf[8] = {};
    EXPECT_EQ(6u, writer.Read(buf, 7));
    EXPECT_STREQ("456789", buf);
    EXPECT_EQ(10u, writer.GetPosition());
    EXPECT_EQ(8u, writer.Seek(-2, CFile::end));
    writer.Close();

    CFile reader;
    ASSERT_TRUE(reader.Open(strPath, CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(10u, reader.GetLength());
    EXPECT_THROW(reader.Write("x", 1), CFileException);
    EXPECT_THROW(reader.Seek(-1, CFile::begin), CFileException);
}

TEST(CArchive, FlushPutsALoadingFileAtTheArchivesPosition)
{
    CTempFolder folder("carchive");
    CString strPath = folder.WriteFile("data.bin", "abcdefghij");
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    char buf[4] = {};
    ASSERT_EQ(3u, ar.Read(buf, 3));
    EXPECT_EQ(10u, file.GetPosition()) << "the archive reads ahead";
    ar.Flush();
    EXPECT_EQ(3u, file.GetPosition());
    file.Seek(6, CFile::begin);
    ASSERT_EQ(3u, ar.Read(buf, 3));
    EXPECT_STREQ("ghi", buf);
}

TEST(CArchive, StoresBufferedAndObjectsByClassName)
{
    CTempFolder folder("carchive");
    CString strPath = folder.Path() + "objects.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        CNumber number;
        number.m_nValue = 0xCAFE;
        ar.WriteObject(&number);
        EXPECT_EQ(0u, file.GetLength()) << "still buffered";
        ar.Flush();
        EXPECT_EQ(2u + 2u + 2u + 7u + 4u, file.GetLength());
        ar.WriteObject(&number);
        ar.Close();
    }
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeReadWrite));
    {
        CArchive ar(&file, CArchive::load);
        CObject* pObject = ar.ReadObject(KELO_RUNTIME_CLASS(CNumber));
        ASSERT_NE(nullptr, pObject);
        EXPECT_EQ(0xCAFEu, static_cast<CNumber*>(pObject)->m_nValue);
        delete pObject;
    }
    // Another schema or an unknown class name gives no object.
    file.Seek(2, CFile::begin);
    file.Write("\x04", 1);
    file.Seek(17 + 6, CFile::begin);
    file.Write("X", 1);
    file.Seek(0, CFile::begin);
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(nullptr, ar.ReadObject());
    file.Seek(17, CFile::begin);
    CArchive again(&file, CArchive::load);
    EXPECT_EQ(nullptr, again.ReadObject());
}
