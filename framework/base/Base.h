// Everything of the portable framework in one include.
#pragma once

#include "framework/base/WinTypes.h"
#include "framework/base/Object.h"
#include "framework/base/Point.h"
#include "framework/base/Size.h"
#include "framework/base/Rect.h"
#include "framework/base/String.h"
#include "framework/base/Lists.h"
#include "framework/base/Arrays.h"
#include "framework/base/Maps.h"
#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/StdioFile.h"
#include "framework/base/MemFile.h"
#include "framework/base/Archive.h"
