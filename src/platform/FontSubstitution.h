#pragma once

// Maps the font names labels store (the Windows names "ＭＳ 明朝",
// "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック" and their Latin spellings)
// onto the installed IPA faces, so digits stay fixed-width Mincho and nothing
// falls back to a Latin serif. Call after the QGuiApplication exists; later
// calls do nothing. QtPaintSurface calls it itself.
void installJapaneseFontSubstitutions();
