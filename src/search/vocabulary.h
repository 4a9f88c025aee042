#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace zarfan {

// The distinct folded words of a text (or the roots or lemmas of the word
// table) with their numbers of occurrences: what the search box offers while
// the reader types, and what "did you mean" proposes for a word it lacks.
class Vocabulary {
public:
    struct Entry {
        QString word;
        int count = 0;
    };

    Vocabulary() = default;
    explicit Vocabulary(std::vector<std::pair<QString, int>> counts);

    int size() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    int count(const QString &word) const; // 0 when absent
    bool contains(const QString &word) const { return index_.contains(word); }

    // The words that start with the folded prefix, most frequent first.
    std::vector<Entry> withPrefix(QStringView prefix, int limit = 10) const;

    // For a word it lacks: its words within an edit distance of 1 (4 to 7
    // letters) or 2 (8 and more), nearest first, then most frequent; none
    // for 3 letters or fewer, nor for a word it holds.
    QStringList corrections(const QString &word, int limit = 5) const;

    // For a folded phrase some of whose words it lacks: the phrases made of
    // the nearest words that listsAyas accepts, best first; none for a
    // phrase of more than kPhraseWords words.
    static constexpr int kPhraseWords = 8;
    QStringList phraseCorrections(const QString &phrase, const std::function<bool(const QString &)> &listsAyas,
                                  int limit = 5) const;

    // Each word as the text most often writes it (الصلاة for الصلاه), for
    // what the reader is shown; a word without one stands as it is.
    void setWrittenForms(QHash<QString, QString> forms) { written_ = std::move(forms); }
    QString written(const QString &word) const { return written_.value(word, word); }
    // A folded phrase word by word in the written forms.
    QString writtenPhrase(const QString &phrase) const;

private:
    QHash<QString, QString> written_;
    std::vector<Entry> entries_;          // by word
    QHash<QString, int> index_;           // word -> entry
    std::vector<std::vector<int>> byLength_; // entries of each length
};

// The edit distance of a and b (insertions, deletions, substitutions), or
// limit + 1 as soon as it must exceed limit.
int boundedEditDistance(QStringView a, QStringView b, int limit);

} // namespace zarfan
