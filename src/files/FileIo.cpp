#include "files/FileIo.h"
