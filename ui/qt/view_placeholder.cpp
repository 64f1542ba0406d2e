#include "ui/qt/view_placeholder.h"

#include <QEvent>
#include <QPainter>

namespace tarvo::ui::qt {
namespace {

constexpr char kPainterName[] = "placeholderPainter";

// Paints the hint on the view's viewport before the view paints its rows,
// of which there are none when the hint shows.
class PlaceholderPainter : public QObject {
 public:
  PlaceholderPainter(QAbstractItemView* view, std::function<QString()> text)
      : QObject(view->viewport()), view_(view), text_(std::move(text)) {
    setObjectName(QString::fromLatin1(kPainterName));
  }

  QString Shown() const {
    const QAbstractItemModel* model = view_->model();
    if (model != nullptr && model->rowCount(view_->rootIndex()) > 0) return {};
    return text_();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || watched != view_->viewport()) return false;
    const QString text = Shown();
    if (text.isEmpty()) return false;
    QPainter painter(view_->viewport());
    painter.setPen(view_->palette().color(QPalette::PlaceholderText));
    const int margin = view_->fontMetrics().height();
    painter.drawText(view_->viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, text);
    return false;
  }

 private:
  QAbstractItemView* view_;
  std::function<QString()> text_;
};

}  // namespace

void ShowPlaceholder(LogicBinder& binder, QAbstractItemView* view, std::function<QString()> text) {
  auto* painter = new PlaceholderPainter(view, std::move(text));
  view->viewport()->installEventFilter(painter);
  binder.AddSync([view] { view->viewport()->update(); });
}

QString ShownPlaceholder(const QAbstractItemView* view) {
  // The painter has no meta-object of its own: it is found by its name.
  const auto* painter = static_cast<const PlaceholderPainter*>(
      view->viewport()->findChild<QObject*>(QString::fromLatin1(kPainterName), Qt::FindDirectChildrenOnly));
  return painter == nullptr ? QString() : painter->Shown();
}

}  // namespace tarvo::ui::qt
