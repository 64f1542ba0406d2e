#include "ui/qt/elided_label.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace tarvo::ui::qt {

QString ElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::minimumSizeHint() const {
  const QSize whole = QLabel::minimumSizeHint();
  const QMargins margins = contentsMargins();
  return {std::min(whole.width(), fontMetrics().horizontalAdvance(QStringLiteral("M…")) + margins.left() +
                                      margins.right()),
          whole.height()};
}

bool ElidedLabel::event(QEvent* event) {
  // The whole text as the tooltip only while it is cut; else the label's own.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && ShownText() != text()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    return true;
  }
  return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), ShownText(),
                        foregroundRole());
}

}  // namespace tarvo::ui::qt
