#include "render/SheetRenderer.h"
