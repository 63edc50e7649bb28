#pragma once

// Files and paths. Declarations of the classes are in their own headers; this header gathers them.
#include "cfile.h"
#include "cfileinfo.h"
#include "cpath.h"
#include "csearchpaths.h"
