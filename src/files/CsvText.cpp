#include "files/CsvText.h"
