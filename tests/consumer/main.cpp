// Opens a word list through the installed engine and prints its best main
// group: the label, then the stems. Fails when the list has no main group.
#include <cstdio>
#include <tarvo/analysis.h>
#include <tarvo/version.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvo-consumer WORDLIST\n");
    return 2;
  }
  std::error_code error;
  const std::unique_ptr<tarvo::Analysis> analysis = tarvo::Analysis::OpenFile(argv[1], {}, error);
  if (!analysis) {
    std::fprintf(stderr, "tarvo-consumer: %s: %s\n", argv[1], error.message().c_str());
    return 1;
  }
  if (analysis->RankedGroups().empty()) return 1;
  const tarvo::GroupId best = analysis->RankedGroups()[0].id;
  std::printf("Tarvo %s: %s\n", tarvo::kVersion, analysis->Label(best).c_str());
  for (const std::string& stem : analysis->Stems(best)) std::printf("%s\n", stem.c_str());
  return 0;
}
