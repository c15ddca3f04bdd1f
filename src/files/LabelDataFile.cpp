#include "files/LabelDataFile.h"
