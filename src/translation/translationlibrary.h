#pragma once

#include "data/datacontrol.h"
#include "translationsearch.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace zarfan {

class UserStore;

// One translation as the database lists it.
struct TranslationEdition {
    QString key, language, direction, languageName, translator, source;

    bool rightToLeft() const { return direction == u"rtl"; }
    // "English — Saheeh International": the language in its own name and
    // the translator without the words in brackets.
    QString title() const;
    // The translator and the source, as every place that shows or exports
    // a translation names them.
    QString credit() const;
};

// The editions, and the texts of the one chosen, read aya by aya; only its
// search texts are held, from its first search until another is chosen.
// The choice is kept in the reader's store.
class TranslationLibrary : public QObject {
    Q_OBJECT
public:
    TranslationLibrary(const QString &connectionString, UserStore *store, QObject *parent = nullptr);

    // The reader's store changed: the choice is read from the new one.
    void setStore(UserStore *store);

    const std::vector<TranslationEdition> &editions();
    // None when no translation is chosen.
    const TranslationEdition *chosen();
    // Chooses by key; an empty or unknown key chooses none.
    void choose(const QString &key);

    // The chosen edition's text of an aya; empty without one.
    QString text(int ayaId);
    // Its search texts (foldTranslation's form), read at the first search.
    const FoldedEdition &foldedTexts();

    // Whether compose, copy, print and the aya picture add the chosen
    // translation after each aya, with its credit line ("مع الترجمة"); kept.
    bool withTranslation();
    void setWithTranslation(bool on);
    // What they add after an aya, and once at the end; empty when they add nothing.
    QString exportedAfter(int ayaId);
    QString exportedCredit();

    // Whether the continuous text shows the translation under each aya; kept.
    bool underEachAya() const;
    void setUnderEachAya(bool on);

    // The folded terms the last translation search marks; empty when the
    // listing came from elsewhere.
    const QStringList &markedTerms() const { return marked_; }
    void setMarkedTerms(const QStringList &terms);

signals:
    void chosenChanged();
    void markedTermsChanged();
    void withTranslationChanged(bool on);

private:
    void readEditions();

    QString connection_;
    UserStore *store_;
    bool editionsRead_ = false;
    std::vector<TranslationEdition> editions_;
    int chosen_ = -1;
    bool chosenRestored_ = false;
    DataControl one_; // the text of one aya
    FoldedEdition folded_;
    QStringList marked_;
    int with_ = -1; // unread
};

} // namespace zarfan
