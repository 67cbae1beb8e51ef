#pragma once
#include "ce/types.h"
