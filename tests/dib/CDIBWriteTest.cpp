#include "support/DibTestSupport.h"
#include "dib/CDIB.h"
#include "framework/file/CArchive.h"
#include "framework/file/CFile.h"
#include "support/CTempFolder.h"
#include "support/CDialogAnswerer.h"
#include "support/DialogProbe.h"
#include <gtest/gtest.h>

namespace
{
std::string ReadAll(const CString& strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone))
        return std::string();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    bytes.resize(file.Read(&bytes[0], static_cast<UINT>(bytes.size())));
    return bytes;
}

std::string Raw(const void* p, size_t n)
{
    return std::string(static_cast<const char*>(p), n);
}

// A 5 x 3 image (stride 8, P = 24) with a pixel pattern and colour entry 1 changed.
void MakeSmallImage(CDIB& dib)
{
    ASSERT_TRUE(dib.Create(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            *dib.GetPixelAddress(x, y) = static_cast<BYTE>(10 * y + x + 1);
    const_cast<RGBQUAD&>(dib.GetBitmapInfo()->bmiColors[1]) = RGBQUAD{1, 2, 3, 4};
}

// Saving through the virtual slot: this image's writer always fails.
class CFailingWriter : public CDIB
{
public:
    BOOL Write(CFile*) override { return FALSE; }
};
} // namespace

TEST(CDIBWrite, WriteLaysOutTheFileWithAll256Entries)
{
    CTempFolder folder("dibwrite");
    CDIB dib;
    MakeSmallImage(dib);
    CString strPath = folder.Path() + "out.bmp";
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(dib.Write(&file));
    }
    std::string bytes = ReadAll(strPath);
    ASSERT_EQ(1078u + 24u, bytes.size());
    EXPECT_EQ("BM" + Le32(1078 + 24) + Le16(0) + Le16(0) + Le32(1078), bytes.substr(0, 14));
    EXPECT_EQ(Raw(dib.GetBitmapInfo(), 1064), bytes.substr(14, 1064));
    EXPECT_EQ(std::string("\1\2\3\4"), bytes.substr(14 + 40 + 4, 4));
    EXPECT_EQ(Raw(dib.GetBits(), 24), bytes.substr(1078));
    EXPECT_EQ(std::string("\x15\x16\x17\x18\x19"), bytes.substr(1078, 5)) << "bottom row first";
}

TEST(CDIBWrite, WriteNoColorTablePutsThePixelsAt54)
{
    CTempFolder folder("dibwrite");
    BmpLayout layout;
    layout.nBitCount = 24;
    layout.nWidth = 800;
    layout.nHeight = 2;
    CDIB dib;
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("wide.bmp", MakeBmp(layout))));
    CString strPath = folder.Path() + "notable.bmp";
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(dib.WriteNoColorTable(&file));
    }
    std::string bytes = ReadAll(strPath);
    ASSERT_EQ(54u + 3u * 800u * 2u, bytes.size());
    EXPECT_EQ("BM" + Le32(54 + 4800) + Le32(0) + Le32(54), bytes.substr(0, 14));
    EXPECT_EQ(Raw(dib.GetBitmapInfo(), 40), bytes.substr(14, 40));
    EXPECT_EQ(PatternPixels(layout), bytes.substr(54));

    // A width whose 24-bit rows need padding is written at the true BMP row size.
    layout.nWidth = 5;
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("odd.bmp", MakeBmp(layout))));
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(dib.WriteNoColorTable(&file));
    }
    EXPECT_EQ(54u + 16u * 2u, ReadAll(strPath).size());
}

TEST(CDIBWrite, WriteIntoAFileOpenedForReadingFails)
{
    CTempFolder folder("dibwrite");
    CDIB dib;
    CFile file;
    ASSERT_TRUE(file.Open(folder.WriteFile("ro.bmp", "x"), CFile::modeRead));
    EXPECT_FALSE(dib.Write(&file));
    EXPECT_FALSE(dib.WriteNoColorTable(&file));
}

TEST(CDIBWrite, SerializeRoundTripTakesExactly1078PlusPBytes)
{
    CTempFolder folder("dibwrite");
    CString strPath = folder.Path() + "archive.bin";
    CDIB original;
    MakeSmallImage(original);
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar.Write("head", 4);
        original.Serialize(ar);
        ar.Write("tail", 4);
        ar.Close();
    }
    std::string bytes = ReadAll(strPath);
    ASSERT_EQ(4u + 1078u + 24u + 4u, bytes.size());
    EXPECT_EQ("tail", bytes.substr(4 + 1078 + 24));

    CDIB copy;
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    char head[4];
    ASSERT_EQ(4u, ar.Read(head, 4));
    copy.Serialize(ar);
    char tail[5] = {};
    ASSERT_EQ(4u, ar.Read(tail, 4));
    EXPECT_STREQ("tail", tail);
    EXPECT_EQ(Raw(original.GetBitmapInfo(), 1064), Raw(copy.GetBitmapInfo(), 1064));
    EXPECT_EQ(Raw(original.GetBits(), 24), Raw(copy.GetBits(), 24));
}

TEST(CDIBWrite, ArchiveMakesTheImageFromItsRunTimeClass)
{
    CTempFolder folder("dibwrite");
    CString strPath = folder.Path() + "object.bin";
    CDIB original;
    MakeSmallImage(original);
    EXPECT_STREQ("CDIB", original.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0u, original.GetRuntimeClass()->m_wSchema);
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(&original);
        ar.WriteObject(nullptr);
        ar.Close();
    }
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CObject* pObject = ar.ReadObject(KELO_RUNTIME_CLASS(CDIB));
    ASSERT_NE(nullptr, pObject);
    ASSERT_TRUE(pObject->IsKindOf(KELO_RUNTIME_CLASS(CDIB)));
    CDIB* pCopy = static_cast<CDIB*>(pObject);
    EXPECT_EQ(5, pCopy->GetWidth());
    EXPECT_EQ(Raw(original.GetBits(), 24), Raw(pCopy->GetBits(), 24));
    delete pObject;
    EXPECT_EQ(nullptr, ar.ReadObject());
}

TEST(CDIBWrite, SaveReportsAFileThatCannotBeCreated)
{
    CTempFolder folder("dibwrite");
    CDIB dib;
    CDialogAnswerer answerer(IDOK);
    EXPECT_FALSE(dib.Save(folder.Path() + "missing\\folder\\out.bmp"));
    answerer.Join();
    EXPECT_EQ(CString("Failed to open file"), answerer.Text());
    EXPECT_EQ(CString("Vid\xe9os de d\xe9monstration"), answerer.Caption());
}

TEST(CDIBWrite, SaveReportsAFailedWrite)
{
    CTempFolder folder("dibwrite");
    CFailingWriter dib;
    CDialogAnswerer answerer(IDOK);
    EXPECT_FALSE(dib.Save(folder.Path() + "out.bmp"));
    answerer.Join();
    EXPECT_EQ(CString("Failed to save file"), answerer.Text());
}

TEST(CDIBWrite, SaveAndSaveNoColorTableWriteFilesThatReadBack)
{
    CTempFolder folder("dibwrite");
    CDIB original;
    MakeSmallImage(original);
    ASSERT_TRUE(original.Save(folder.Path() + "a.bmp"));
    ASSERT_TRUE(original.SaveNoColorTable(folder.Path() + "b.bmp"));
    EXPECT_EQ(1078u + 24u, ReadAll(folder.Path() + "a.bmp").size());
    EXPECT_EQ(54u + 24u, ReadAll(folder.Path() + "b.bmp").size());
    CDIB copy;
    ASSERT_TRUE(copy.LoadFromFile(folder.Path() + "a.bmp"));
    EXPECT_EQ(Raw(original.GetBits(), 24), Raw(copy.GetBits(), 24));
    EXPECT_EQ(nullptr, FindOwnDialog());
}
