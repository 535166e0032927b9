// The framework's texts are 8-bit: each byte is the character of the same number
// (Latin-1), as the quorvel command reads model files. Qt's are UTF-16.
#pragma once

#include <string>
#include <string_view>

#include <QByteArray>
#include <QString>

namespace quorvel::ui::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters beyond Latin-1 (typed or pasted by the user) become '?'.
inline std::string ToText(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace quorvel::ui::qt
