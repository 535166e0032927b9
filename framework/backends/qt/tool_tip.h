// Tooltips that show a text of the system's as it stands.
#pragma once

#include <QString>
#include <QTextDocument>

namespace quorvel::ui::qt {

// A tooltip showing text as plain text, never as markup: Qt takes a tooltip that
// looks like HTML for HTML, and a value such as "<b>" must show as typed, its
// blanks kept.
inline QString PlainToolTip(const QString& text) {
  if (!Qt::mightBeRichText(text))
    return text;
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

}  // namespace quorvel::ui::qt
