#include "files/SettingsFile.h"
