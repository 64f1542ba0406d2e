// A one-line label that shows as much of its text as fits its width, cut
// with "…" at the end, and the whole text as a tooltip when it is cut.
//
// A plain QLabel needs the width of its whole text. In a status bar beside
// the permanent widgets, a long message was then clipped in the middle of
// a letter at the window's edge, with no way to read the rest. text()
// still gives the whole text.
#pragma once

#include <QLabel>

namespace tarvo::ui::qt {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The text as painted: text(), or its start and "…" when it is too wide.
  QString ShownText() const;
  // As narrow as a few letters, so that the layout may give it less room
  // than its text needs; it asks for the whole text's width all the same.
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvo::ui::qt
