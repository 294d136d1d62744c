#pragma once
// The text of an exported PDF as a reader searches it. The PDF writer tells each glyph's
// character by looking the glyph up in the font's character map, and takes the first
// character it finds; Noto CJK draws 工, 日, 山 … with the same glyph as the Kangxi radicals
// ⼯, ⽇, ⼭, which come first, so a search for 工場 in the PDF found nothing. The radicals never
// occur in plan texts: each is told as the ideograph it stands for.

#include <QByteArray>

// Rewrites, in the text maps (ToUnicode) of `pdf`, every glyph told as a CJK or Kangxi radical
// to the ideograph of the same look. Only same-length replacements are made, so every offset
// of the file stays valid. Returns how many glyphs were told anew.
int restoreIdeographs(QByteArray &pdf);
