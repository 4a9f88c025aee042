#include "wordgloss.h"

#include "mushafpage.h"
#include "search/occurrences.h"

#include <QCoreApplication>

namespace zarfan {

namespace {

bool isPauseOnly(QStringView token)
{
    return std::all_of(token.begin(), token.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; });
}

// The Uthmani words as the glosses number them: tokens made only of pause
// marks are no words.
WordMap uthmaniWords(QStringView text)
{
    WordMap all = mapWords(text, WordForm::AsStored), kept;
    kept.padded = QStringLiteral(" ");
    const QStringList tokens = all.padded.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype k = 0; k < all.display.size() && k < tokens.size(); ++k) {
        if (isPauseOnly(tokens.at(k)))
            continue;
        kept.padded += tokens.at(k) + u' ';
        kept.display.append(all.display.at(k));
    }
    return kept;
}

int wordAt(const WordMap &map, qsizetype position)
{
    for (qsizetype k = 0; k < map.display.size(); ++k) {
        const TextRange &w = map.display.at(k);
        if (position >= w.start && position < w.start + w.length)
            return int(k);
    }
    return -1;
}

} // namespace

QString WordGloss::text() const
{
    return transliteration.isEmpty() ? gloss : gloss + QStringLiteral(" (") + transliteration + u')';
}

WordGlosses::WordGlosses(const QString &connectionString) { data_.setConnectionString(connectionString); }

bool WordGlosses::load(int ayaId)
{
    if (ayaId == loadedFor_)
        return !glosses_.empty();
    loadedFor_ = ayaId;
    glosses_.clear();
    uthmani_.clear();
    data_.setRecordSource(QStringLiteral("SELECT ID, gloss, transliteration, (SELECT uthmani FROM Mushaf where ID = %1) AS uthmani "
                                         "FROM WordGlosses where ID between %2 and %3 order by ID")
                              .arg(ayaId)
                              .arg(qint64(ayaId) * 1000)
                              .arg(qint64(ayaId) * 1000 + 999));
    if (!data_.refresh())
        return false;
    for (; !data_.eof(); data_.moveNext()) {
        uthmani_ = data_.field(3);
        glosses_.push_back({data_.field(1), data_.field(2)});
    }
    return !glosses_.empty();
}

std::optional<WordGloss> WordGlosses::uthmaniWord(int ayaId, int n)
{
    if (!load(ayaId) || n < 1 || std::size_t(n) > glosses_.size())
        return std::nullopt;
    return glosses_[std::size_t(n) - 1];
}

std::optional<WordGloss> WordGlosses::atUthmani(int ayaId, QStringView uthmaniText, qsizetype position)
{
    const int k = wordAt(uthmaniWords(uthmaniText), position);
    return k < 0 ? std::nullopt : uthmaniWord(ayaId, k + 1);
}

std::optional<WordGloss> WordGlosses::atImlaei(int ayaId, QStringView imlaeiText, qsizetype position)
{
    const WordMap imlaei = mapWords(imlaeiText, WordForm::Cleaned);
    const int k = wordAt(imlaei, position);
    if (k < 0 || !load(ayaId))
        return std::nullopt;
    const WordMap uthmani = uthmaniWords(uthmani_);
    const QList<QList<int>> aligned = alignWords(imlaeiText, imlaei, uthmani_, uthmani);
    if (k >= aligned.size() || aligned.at(k).isEmpty())
        return std::nullopt;
    // One imla'i word written as several Uthmani ones: their glosses in turn.
    WordGloss joined;
    for (const int j : aligned.at(k)) {
        const auto one = uthmaniWord(ayaId, j + 1);
        if (!one)
            continue;
        const QString sep = joined.gloss.isEmpty() ? QString() : QStringLiteral(" + ");
        joined.gloss += sep + one->gloss;
        joined.transliteration += (joined.transliteration.isEmpty() ? QString() : QStringLiteral(" ")) + one->transliteration;
    }
    if (joined.gloss.isEmpty())
        return std::nullopt;
    return joined;
}

} // namespace zarfan
