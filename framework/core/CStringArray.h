#pragma once
#include "framework/core/CArrayOf.h"
#include "framework/core/CString.h"

class CStringArray : public CArrayOf<CString>
{
};
