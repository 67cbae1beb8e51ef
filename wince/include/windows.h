// The Windows CE API as this device layer provides it.
#pragma once

#include "ce/types.h"
#include "ce/wcs.h"
#include "ce/kernel.h"
#include "ce/files.h"
#include "ce/user.h"
#include "ce/gdi.h"
#include "ce/gdi_text.h"
#include "ce/mmsystem.h"
