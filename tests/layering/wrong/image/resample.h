#pragma once
#include "common/byte_reader.h"
#include "compile/timing.h"
