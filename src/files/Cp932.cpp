#include "files/Cp932.h"
