// Everything of the portable framework in one include.
#pragma once

#include "framework/base/WinTypes.h"
#include "framework/base/Object.h"
#include "framework/base/Point.h"
#include "framework/base/Size.h"
#include "framework/base/Rect.h"
