#include "ui/qt/list_summary_bar.h"

#include <QLocale>

namespace tarvo::ui::qt {
namespace {

QString CountText(std::uint64_t count, const QString& one, const QString& many) {
  return (count == 1 ? one : many).arg(QLocale().toString(static_cast<qulonglong>(count)));
}

// Milliseconds below a second, seconds with two decimals above.
QString DurationText(double seconds) {
  if (seconds < 1) return ListSummaryBar::tr("%1 ms").arg(QLocale().toString(qRound(seconds * 1000)));
  return ListSummaryBar::tr("%1 s").arg(QLocale().toString(seconds, 'f', 2));
}

}  // namespace

ListSummaryBar::ListSummaryBar(QStatusBar* bar) {
  auto add = [bar](const char* object_name, const QString& tooltip) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(object_name));
    label->setToolTip(tooltip);
    label->setTextFormat(Qt::PlainText);
    bar->addPermanentWidget(label);
    return label;
  };
  file_name_ = add("summaryFile", tr("The open word list"));
  mode_ = add("summaryMode", tr("Whether the list's symbols are bytes or UTF-8 characters, and whether its "
                                "words are read backwards for their prefixes"));
  words_ = add("summaryWords", tr("Distinct words in the word tree"));
  states_ = add("summaryStates", tr("States of the automaton: its suffix groups"));
  groups_ = add("summaryGroups", tr("Main suffix groups listed"));
  last_step_ = add("summaryTime", tr("How long the last Open or Update took"));
  Show({});
}

void ListSummaryBar::Show(const ListSummary& summary) {
  const bool open = !summary.file_name.empty();
  for (QLabel* label : {file_name_, mode_, words_, states_, groups_}) label->setVisible(open);
  last_step_->setVisible(open && summary.last_step != ListSummary::Step::kNone);
  if (!open) return;
  file_name_->setText(QString::fromLocal8Bit(summary.file_name.c_str()));
  mode_->setText((summary.characters ? tr("characters") : tr("bytes")) +
                 (summary.prefixes ? tr(", prefixes") : QString()));
  words_->setText(CountText(summary.words, tr("%1 word"), tr("%1 words")));
  states_->setText(CountText(summary.states, tr("%1 state"), tr("%1 states")));
  groups_->setText(CountText(summary.groups, tr("%1 main group"), tr("%1 main groups")));
  const QString duration = DurationText(summary.last_step_seconds);
  last_step_->setText(summary.last_step == ListSummary::Step::kUpdate ? tr("Update: %1").arg(duration)
                                                                      : tr("Open: %1").arg(duration));
}

}  // namespace tarvo::ui::qt
