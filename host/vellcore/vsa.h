#pragma once

// Serialisation: documents as trees of named contexts and labelled values. Declarations of the
// classes are in their own headers; this header gathers them.
#include "cabstractdeserializer.h"
#include "cabstractserializer.h"
#include "ccontext.h"
#include "cdeserializebinary.h"
#include "cdeserializexml.h"
#include "cdocumentcopy.h"
#include "creferenceframe.h"
#include "cserializebinary.h"
#include "cserializedebug.h"
#include "cserializexml.h"
