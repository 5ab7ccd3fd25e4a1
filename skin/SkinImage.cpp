#include "skin/SkinImage.h"
#include "dib/CDIB.h"

namespace
{
// With no skin chosen the names come without a folder: they would be looked for in the
// current folder, outside the kiosk, and are not.
bool NamesAFolder(const CString& strPath)
{
    return strPath.Find('\\') >= 0;
}
} // namespace

BOOL LoadSkinImage(CDIB* pDib, const CString& strPath)
{
    if (!pDib || !NamesAFolder(strPath) || strPath.GetLength() >= MAX_PATH)
        return FALSE;
    return pDib->LoadFromFile(strPath);
}

BOOL SkinFileExists(const CString& strPath)
{
    if (!NamesAFolder(strPath) || strPath.GetLength() >= MAX_PATH)
        return FALSE;
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
