#include "understandingdata.h"

#include "tsvtable.h"

#include "data/sqlite.h"
#include "translation/translationfolding.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zarfan::makedb {

namespace {

bool hasControl(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

std::vector<Edition> readEditions(const QString &dir)
{
    const Table t = readTable(dir, u"translation-editions.tsv"_s,
                              {u"edition"_s, u"language"_s, u"direction"_s, u"language_name"_s, u"translator"_s, u"source"_s});
    std::vector<Edition> editions;
    QSet<QString> keys;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const QStringList &f = t.rows[r];
        const Edition e{f.at(0), f.at(1), f.at(2), f.at(3), f.at(4), f.at(5)};
        const int line = t.lineNumbers[r];
        static const QRegularExpression key(u"^[a-z]{2,3}\\.[a-z0-9-]{1,40}$"_s);
        if (!key.match(e.key).hasMatch())
            fail(t.file, line, u"edition \"%1\" is not language.name"_s.arg(e.key.left(40)));
        if (keys.contains(e.key))
            fail(t.file, line, u"edition %1 listed twice"_s.arg(e.key));
        keys.insert(e.key);
        if (e.direction != u"ltr" && e.direction != u"rtl")
            fail(t.file, line, u"direction \"%1\" is neither ltr nor rtl"_s.arg(e.direction.left(40)));
        if (e.languageName.trimmed().isEmpty() || e.translator.trimmed().isEmpty())
            fail(t.file, line, u"an edition needs its language name and translator"_s);
        if (!e.source.startsWith(u"https://"))
            fail(t.file, line, u"source \"%1\" is not an https address"_s.arg(e.source.left(60)));
        editions.push_back(e);
    }
    if (editions.empty())
        fail(t.file, 2, u"names no edition"_s);
    return editions;
}

// Every edition's texts, edition by edition in the listed order, each with
// every aya once in mushaf order.
std::vector<std::vector<QString>> readTexts(const QString &dir, const std::vector<Edition> &editions,
                                            const std::vector<AyaWords> &ayas)
{
    const Table t = readTable(dir, u"translations.tsv"_s, {u"edition"_s, u"sura"_s, u"aya"_s, u"text"_s});
    std::vector<std::vector<QString>> texts(editions.size());
    std::size_t r = 0;
    for (std::size_t e = 0; e < editions.size(); ++e) {
        texts[e].reserve(ayas.size());
        for (const AyaWords &a : ayas) {
            if (r >= t.rows.size())
                fail(t.file, t.lineNumbers.empty() ? 2 : t.lineNumbers.back() + 1,
                     u"ends before %1 %2:%3"_s.arg(editions[e].key).arg(a.sura).arg(a.aya));
            const QStringList &f = t.rows[r];
            const int line = t.lineNumbers[r];
            const int sura = number(t, r, 1, 1, 114, "sura");
            const int aya = number(t, r, 2, 1, 286, "aya");
            if (f.at(0) != editions[e].key || sura != a.sura || aya != a.aya)
                fail(t.file, line, u"%1 %2:%3 where %4 %5:%6 belongs"_s.arg(f.at(0).left(40)).arg(sura).arg(aya)
                                       .arg(editions[e].key).arg(a.sura).arg(a.aya));
            if (f.at(3).trimmed().isEmpty() || hasControl(f.at(3)))
                fail(t.file, line, u"empty text or a control character"_s);
            texts[e].push_back(f.at(3));
            ++r;
        }
    }
    if (r != t.rows.size())
        fail(t.file, t.lineNumbers[r], u"a text of no listed edition or aya"_s);
    return texts;
}

std::vector<WordGloss> readGlosses(const QString &dir, const std::vector<AyaWords> &ayas)
{
    const Table t = readTable(dir, u"words-en.tsv"_s, {u"sura"_s, u"aya"_s, u"word"_s, u"gloss"_s, u"transliteration"_s});
    std::vector<WordGloss> words;
    words.reserve(t.rows.size());
    std::size_t r = 0;
    for (std::size_t id = 0; id < ayas.size(); ++id) {
        const AyaWords &a = ayas[id];
        for (int w = 1; w <= a.words; ++w, ++r) {
            if (r >= t.rows.size())
                fail(t.file, t.lineNumbers.empty() ? 2 : t.lineNumbers.back() + 1,
                     u"ends before word %1 of %2:%3"_s.arg(w).arg(a.sura).arg(a.aya));
            const int sura = number(t, r, 0, 1, 114, "sura");
            const int aya = number(t, r, 1, 1, 286, "aya");
            const int word = number(t, r, 2, 1, 999, "word");
            if (sura != a.sura || aya != a.aya || word != w)
                fail(t.file, t.lineNumbers[r], u"word %1:%2:%3 where %4:%5:%6 belongs (the Uthmani aya has %7 words)"_s
                                                   .arg(sura).arg(aya).arg(word).arg(a.sura).arg(a.aya).arg(w).arg(a.words));
            const QStringList &f = t.rows[r];
            if (f.at(3).trimmed().isEmpty() || f.at(4).trimmed().isEmpty() || hasControl(f.at(3) + f.at(4)))
                fail(t.file, t.lineNumbers[r], u"a word needs its gloss and transliteration, without control characters"_s);
            words.push_back({int(id) + 1, w, f.at(3), f.at(4)});
        }
    }
    if (r != t.rows.size())
        fail(t.file, t.lineNumbers[r], u"has more words than the Uthmani text"_s);
    return words;
}

} // namespace

Understanding readUnderstanding(const QString &dir, const std::vector<AyaWords> &ayas)
{
    Understanding data;
    data.editions = readEditions(dir);
    data.texts = readTexts(dir, data.editions, ayas);
    data.words = readGlosses(dir, ayas);
    return data;
}

void writeUnderstanding(sqlite3 *raw, const QString &path, const Understanding &data)
{
    const auto run = [&](sql::Statement &statement) {
        if (!statement.execute())
            fail(path, 0, QString::fromUtf8(sqlite3_errmsg(raw)));
        statement.reset();
    };
    for (const char *create : {
             // The editions in the order they are offered.
             "CREATE TABLE TranslationEditions (ID INTEGER PRIMARY KEY, edition TEXT NOT NULL UNIQUE, "
             "language TEXT NOT NULL, direction TEXT NOT NULL, languageName TEXT NOT NULL, translator TEXT NOT NULL, "
             "source TEXT NOT NULL);",
             // An edition's texts lie together: choosing one reads one run of pages.
             "CREATE TABLE Translations (edition INTEGER NOT NULL, ID INTEGER NOT NULL, text TEXT NOT NULL, "
             "folded TEXT NOT NULL, PRIMARY KEY (edition, ID)) WITHOUT ROWID;",
             // Keyed by aya ID * 1000 + the word's number among the Uthmani words.
             "CREATE TABLE WordGlosses (ID INTEGER PRIMARY KEY, gloss TEXT NOT NULL, transliteration TEXT NOT NULL);"}) {
        sql::Statement statement(raw, create);
        run(statement);
    }
    sql::Statement edition(raw, "INSERT INTO TranslationEditions VALUES (?,?,?,?,?,?,?);");
    sql::Statement text(raw, "INSERT INTO Translations VALUES (?,?,?,?);");
    for (std::size_t e = 0; e < data.editions.size(); ++e) {
        const Edition &ed = data.editions[e];
        edition.bind(1, qint64(e) + 1);
        int column = 1;
        for (const QString *value : {&ed.key, &ed.language, &ed.direction, &ed.languageName, &ed.translator, &ed.source})
            edition.bind(++column, *value);
        run(edition);
        for (std::size_t a = 0; a < data.texts[e].size(); ++a) {
            text.bind(1, qint64(e) + 1);
            text.bind(2, qint64(a) + 1);
            text.bind(3, data.texts[e][a]);
            text.bind(4, foldTranslation(data.texts[e][a]));
            run(text);
        }
    }
    sql::Statement gloss(raw, "INSERT INTO WordGlosses VALUES (?,?,?);");
    for (const WordGloss &w : data.words) {
        gloss.bind(1, qint64(w.ayaId) * 1000 + w.word);
        gloss.bind(2, w.gloss);
        gloss.bind(3, w.transliteration);
        run(gloss);
    }
}

} // namespace zarfan::makedb
