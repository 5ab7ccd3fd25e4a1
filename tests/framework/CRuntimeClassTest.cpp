// Run-time classes: what IsKindOf sees, and which classes can be made from their name.
#include "framework/file/CArchive.h"
#include "framework/docview/CFrameWnd.h"
#include "framework/docview/CMDIChildWnd.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>
#include <memory>

namespace
{
class CShape : public CObject
{
    KELO_DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape
{
    KELO_DECLARE_DYNCREATE(CCircle)

public:
    int m_nRadius = 7;
};
} // namespace

KELO_IMPLEMENT_DYNAMIC(CShape, CObject)
KELO_IMPLEMENT_DYNCREATE(CCircle, CShape)

TEST(CRuntimeClass, DynamicCreationByNameAndKinds)
{
    const CRuntimeClass* pClass = CRuntimeClass::FromName("CCircle");
    ASSERT_EQ(KELO_RUNTIME_CLASS(CCircle), pClass);
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(KELO_RUNTIME_CLASS(CCircle), pObject->GetRuntimeClass());
    EXPECT_TRUE(pObject->IsKindOf(KELO_RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(pObject->IsKindOf(KELO_RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(KELO_RUNTIME_CLASS(CCmdTarget)));
    EXPECT_EQ(7, static_cast<CCircle*>(pObject.get())->m_nRadius);

    // A dynamic class has a name and a base but is not made by name.
    EXPECT_STREQ("CShape", KELO_RUNTIME_CLASS(CShape)->m_lpszClassName);
    EXPECT_EQ(nullptr, KELO_RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape"));

    // The framework's frames are made by name; windows descend from the command targets.
    ASSERT_EQ(KELO_RUNTIME_CLASS(CMDIChildWnd), CRuntimeClass::FromName("CMDIChildWnd"));
    std::unique_ptr<CObject> pFrame(KELO_RUNTIME_CLASS(CMDIChildWnd)->CreateObject());
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsKindOf(KELO_RUNTIME_CLASS(CFrameWnd)));
    EXPECT_TRUE(pFrame->IsKindOf(KELO_RUNTIME_CLASS(CCmdTarget)));
}

TEST(CRuntimeClass, ArchivesMakeSerialClassesOnly)
{
    // A class made by name but not serialisable, named in an archive, gives no object.
    CTempFolder folder("rtc");
    std::string bytes("\xFF\xFF\xFF\xFF\x07\x00" "CCircle", 13);
    CString strPath = folder.WriteFile("circle.bin", bytes);
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(nullptr, ar.ReadObject());
}
