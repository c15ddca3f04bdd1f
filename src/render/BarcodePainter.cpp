#include "render/BarcodePainter.h"
