#pragma once
#include "image/resample.h"
