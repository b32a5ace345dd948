#pragma once

#include <QFont>
#include <QList>

namespace quorvane::qt {

// True when narrow and wide characters ("i", ".", "l", "|", "M", "W", "m",
// blank) all advance as far as "0" in `font`, which is what lines up the columns
// of a report. This, not QFontInfo::fixedPitch(), is the test: a font's own
// fixed-pitch flag is false for common monospace fonts whose every Latin
// glyph has one width (Noto Sans Mono among them).
bool HasEqualAdvances(const QFont& font);

// The first of `candidates` whose glyphs have equal advances; the first
// candidate when none has.
QFont FirstWithEqualAdvances(const QList<QFont>& candidates);

// The font of report panes: the system's fixed font when its glyphs have
// equal advances, else the first installed family whose glyphs do (those
// that call themselves fixed-pitch tried first), at the system fixed font's
// size; the system's fixed font when no family has. Chosen once per process.
QFont ReportFont();

}  // namespace quorvane::qt
