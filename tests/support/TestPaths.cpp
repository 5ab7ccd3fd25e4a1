#include "support/TestPaths.h"

CString WindowsPathOf(const char* pszLinuxPath)
{
    CString strPath(pszLinuxPath);
    if (strPath.GetLength() > 1 && strPath[1] == ':')
        return strPath;
    strPath.Replace("/", "\\");
    return "Z:" + strPath;
}

BOOL CopyFileTo(const CString& strFrom, const CString& strTo)
{
    return ::CopyFileA(strFrom, strTo, FALSE);
}
