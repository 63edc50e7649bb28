#pragma once

// Platform: deferred work on the GUI thread, the platform facts and the debug stream.
#include "cdebugstream.h"
#include "cplatform.h"
#include "cwork.h"
