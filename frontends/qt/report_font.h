#pragma once

#include <QFont>
#include <QList>

namespace quorvane::qt {

// True when narrow and wide characters ("i", ".", "l", "0", "M", "W", blank)
// all advance the same width in `font`, which is what lines up the columns
// of a report. This, not QFontInfo::fixedPitch(), is the test: a font's own
// fixed-pitch flag is false for common monospace fonts whose every Latin
// glyph has one width (Noto Sans Mono among them).
bool HasEqualAdvances(const QFont& font);

// The first of `candidates` whose glyphs have equal advances; the first
// candidate when none has.
QFont FirstWithEqualAdvances(const QList<QFont>& candidates);

// The font of report panes: the system's fixed font when its glyphs have
// equal advances, else the first installed fixed-pitch family whose glyphs
// do, at the system fixed font's size. Chosen once per process.
QFont ReportFont();

}  // namespace quorvane::qt
