#include "ui/logic/settings_logic.h"

#include "automaton/analysis_settings.h"
#include "ui/logic/data_exchange.h"

namespace tarvo::ui {

SettingsLogic::SettingsLogic(PlatformHost& host) : DialogLogic(DialogKind::kSettings), host_(host) {
  for (EditModel* edit : {&min_words_edit_, &min_suffixes_edit_, &groups_shown_edit_, &buffer_size_edit_}) {
    edit->filter = EditFilter::kDigits;
  }
  // A weight such as 0.5 must be typeable; the word weight may be negative.
  word_weight_edit_.filter = EditFilter::kSignedReal;
  suffix_weight_edit_.filter = EditFilter::kUnsignedReal;
}

const char* CaptionOf(SettingsField field) {
  switch (field) {
    case SettingsField::kMinWords: return kMinWordsCaption;
    case SettingsField::kMinSuffixes: return kMinSuffixesCaption;
    case SettingsField::kWordWeight: return kWordWeightCaption;
    case SettingsField::kSuffixWeight: return kSuffixWeightCaption;
    case SettingsField::kGroupsShown: return kGroupsShownCaption;
    case SettingsField::kBufferSize: return kBufferSizeCaption;
  }
  return "";
}

EditModel& SettingsLogic::Edit(SettingsField field) {
  switch (field) {
    case SettingsField::kMinWords: return min_words_edit_;
    case SettingsField::kMinSuffixes: return min_suffixes_edit_;
    case SettingsField::kWordWeight: return word_weight_edit_;
    case SettingsField::kSuffixWeight: return suffix_weight_edit_;
    case SettingsField::kGroupsShown: return groups_shown_edit_;
    case SettingsField::kBufferSize: break;
  }
  return buffer_size_edit_;
}

void SettingsLogic::SetValues(const AnalysisSettings& settings) {
  min_words = static_cast<long>(settings.min_words);
  min_suffixes = static_cast<long>(settings.min_suffixes);
  word_weight = settings.word_weight;
  suffix_weight = settings.suffix_weight;
  groups_shown = static_cast<long>(settings.groups_shown);
  buffer_size = static_cast<long>(settings.buffer_size);
  read_as_characters = settings.read_as_characters;
  read_backwards = settings.read_backwards;
}

AnalysisSettings SettingsLogic::Values() const {
  AnalysisSettings settings;
  settings.min_words = static_cast<std::uint32_t>(min_words);
  settings.min_suffixes = static_cast<std::uint32_t>(min_suffixes);
  settings.word_weight = word_weight;
  settings.suffix_weight = suffix_weight;
  settings.groups_shown = static_cast<std::uint32_t>(groups_shown);
  settings.buffer_size = static_cast<std::uint32_t>(buffer_size);
  settings.read_as_characters = read_as_characters;
  settings.read_backwards = read_backwards;
  return settings;
}

void SettingsLogic::Initialise() { ShowValues(); }

void SettingsLogic::OnHelp() {
  const auto caption = [](SettingsField field) { return tr(CaptionOf(field)); };
  host_.ShowMessage(Information(FillIn(
      tr("%1, %2: a suffix group is a main group only when it has more stems than the first and more suffixes "
         "than the second.\n\n"
         "%3, %4: the main groups are ranked by ln(suffixes) \u00d7 suffix weight + ln(words) \u00d7 word weight. "
         "The word weight may be negative; the suffix weight is from 1 to 100.\n\n"
         "%5: the length of the list of main groups.\n\n"
         "%6: how many entries the word tree grows by at a time; it applies from the next Open.\n\n"
         "%7: each UTF-8 character is one symbol instead of each byte. It applies when a list is opened; "
         "OK offers to read the open list again.\n\n"
         "%8: every word is read backwards, so that the groups are those of the words' prefixes (labels such "
         "as \"{}- re- un-\"); words, stems and new words are still shown and saved forwards. It applies "
         "when a list is opened, as the character mode does."),
      {caption(SettingsField::kMinWords), caption(SettingsField::kMinSuffixes), caption(SettingsField::kWordWeight),
       caption(SettingsField::kSuffixWeight), caption(SettingsField::kGroupsShown),
       caption(SettingsField::kBufferSize), tr(kReadAsCharactersCaption), tr(kReadBackwardsCaption)})));
}

void SettingsLogic::Accept() {
  if (ReadValues()) Done(Answer::kOk);
}

void SettingsLogic::ShowValues() {
  min_suffixes_edit_.text = FormatLong(min_suffixes);
  min_words_edit_.text = FormatLong(min_words);
  groups_shown_edit_.text = FormatLong(groups_shown);
  word_weight_edit_.text = FormatFloat(word_weight);
  suffix_weight_edit_.text = FormatFloat(suffix_weight);
  buffer_size_edit_.text = FormatLong(buffer_size);
  read_as_characters_check_.checked = read_as_characters;
  read_backwards_check_.checked = read_backwards;
}

bool SettingsLogic::ReadValues() {
  // Each step reads one edit box; the first that fails stops the exchange
  // and sends the focus back to its edit box.
  auto step = [&](SettingsField field, bool ok) {
    if (!ok) RequestFocus(Edit(field));
    return ok;
  };
  const bool all_valid =
      step(SettingsField::kMinSuffixes, ExchangeLong(host_, min_suffixes_edit_, kMinSuffixesCaption,
                                                     BoundedSetting::kMinSuffixes, &min_suffixes)) &&
      step(SettingsField::kMinWords,
           ExchangeLong(host_, min_words_edit_, kMinWordsCaption, BoundedSetting::kMinWords, &min_words)) &&
      step(SettingsField::kGroupsShown, ExchangeLong(host_, groups_shown_edit_, kGroupsShownCaption,
                                                     BoundedSetting::kGroupsShown, &groups_shown)) &&
      step(SettingsField::kWordWeight, ExchangeFloat(host_, word_weight_edit_, kWordWeightCaption, &word_weight)) &&
      step(SettingsField::kSuffixWeight, ExchangeFloatInRange(host_, suffix_weight_edit_, kSuffixWeightCaption,
                                                              BoundedSetting::kSuffixWeight, &suffix_weight)) &&
      step(SettingsField::kBufferSize, ExchangeLong(host_, buffer_size_edit_, kBufferSizeCaption,
                                                    BoundedSetting::kBufferSize, &buffer_size));
  if (all_valid) {
    read_as_characters = read_as_characters_check_.checked;
    read_backwards = read_backwards_check_.checked;
  }
  return all_valid;
}

}  // namespace tarvo::ui
