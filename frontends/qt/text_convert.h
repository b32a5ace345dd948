#pragma once

#include <QString>
#include <string>

namespace quorvane::qt {

// The forms keep texts in UTF-8 with CR LF line breaks; Qt widgets want
// QString with LF. These convert both ways, so a text that goes from the
// model to a widget and back comes back unchanged.

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// CR LF (and a lone CR) become LF.
inline QString DisplayText(const std::string& text) {
  QString out = QString::fromStdString(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

// LF becomes CR LF.
inline std::string ModelText(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return out.toStdString();
}

}  // namespace quorvane::qt
