#pragma once

// Core extensions: the serializer and deserializer kinds the host offers.
#include "ccoreextensionmgr.h"
#include "vsa.h"
