#include "qt/report_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quorvane::qt {

bool HasEqualAdvances(const QFont& font) {
  const QFontMetricsF metrics(font);
  const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
  if (!(width > 0)) return false;
  for (const QChar c : QStringLiteral("i.lMW m|_")) {
    // A hundredth of a pixel: rounding of scaled advances, far below the
    // difference between a narrow and a wide glyph of a proportional font.
    if (std::abs(metrics.horizontalAdvance(c) - width) > 0.01) return false;
  }
  return true;
}

QFont FirstWithEqualAdvances(const QList<QFont>& candidates) {
  for (const QFont& font : candidates)
    if (HasEqualAdvances(font)) return font;
  return candidates.isEmpty() ? QFont() : candidates.first();
}

QFont ReportFont() {
  static const QFont chosen = [] {
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QList<QFont> candidates{system};
    // The families that call themselves fixed-pitch, then every other one:
    // a family's own flag is not to be trusted either way.
    QStringList families = QFontDatabase::families();
    std::stable_partition(families.begin(), families.end(), [](const QString& family) {
      return QFontDatabase::isFixedPitch(family);
    });
    for (const QString& family : families) {
      QFont font = system;
      font.setFamilies({family});
      candidates << font;
    }
    return FirstWithEqualAdvances(candidates);
  }();
  return chosen;
}

}  // namespace quorvane::qt
