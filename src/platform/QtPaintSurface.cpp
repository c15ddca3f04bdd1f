#include "platform/QtPaintSurface.h"
