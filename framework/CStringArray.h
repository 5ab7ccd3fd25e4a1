#pragma once
#include "framework/CArrayOf.h"
#include "framework/CString.h"

class CStringArray : public CArrayOf<CString>
{
};
