#include "platform/FontSubstitution.h"

// Windows has the fonts labels name (ＭＳ 明朝, ＭＳ ゴシック and their
// proportional forms): they are used as named, with nothing put in their place.
void installJapaneseFontSubstitutions() {}
