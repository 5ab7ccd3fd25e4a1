#pragma once
#include "framework/CArrayOf.h"

class CUIntArray : public CArrayOf<UINT>
{
};
