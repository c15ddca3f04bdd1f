#include "files/LayoutBlock.h"
