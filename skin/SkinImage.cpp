#include "skin/SkinImage.h"
#include "dib/CDIB.h"

BOOL LoadSkinImage(CDIB* pDib, const CString& strPath)
{
    if (!pDib || strPath.IsEmpty() || strPath.GetLength() >= MAX_PATH)
        return FALSE;
    return pDib->LoadFromFile(strPath);
}

BOOL SkinFileExists(const CString& strPath)
{
    if (strPath.IsEmpty() || strPath.GetLength() >= MAX_PATH)
        return FALSE;
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
