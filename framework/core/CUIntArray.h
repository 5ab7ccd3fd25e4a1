#pragma once
#include "framework/core/CArrayOf.h"

class CUIntArray : public CArrayOf<UINT>
{
};
