#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace zarfan {
class MainWindow;
}

// The translations' rows: choosing an edition, a search in it against the
// same search in the Muyassar tafsir, a word's gloss on hover, and the
// memory a shown translation takes (printed as a ratio).
struct TranslationBenchRow {
    QString name;
    double ms = 0, compared = 0; // compared: the row it is weighed against, if any
};
std::vector<TranslationBenchRow> translationRows(zarfan::MainWindow &w, const std::function<double(const std::function<void()> &)> &timeMs);
