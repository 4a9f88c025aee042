#include "translationlibrary.h"

#include "data/datacontrol.h"
#include "data/userstore.h"

#include <QCoreApplication>

namespace zarfan {

namespace {
const QString kStoreKey = QStringLiteral("translation");
}

QString TranslationEdition::title() const
{
    const qsizetype bracket = translator.indexOf(u" (");
    return languageName + QStringLiteral(" — ") + (bracket > 0 ? translator.left(bracket) : translator);
}

QString TranslationEdition::credit() const
{
    // Each name isolated in its own direction, so that brackets stay in place.
    const auto isolated = [](const QString &text) { return QChar(0x2068) + text + QChar(0x2069); };
    return QCoreApplication::translate("TranslationLibrary", "ترجمة %1 (%2)، المصدر: %3")
        .arg(isolated(translator), isolated(languageName), isolated(source));
}

TranslationLibrary::TranslationLibrary(const QString &connectionString, UserStore *store, QObject *parent)
    : QObject(parent), connection_(connectionString), store_(store)
{
}

void TranslationLibrary::setStore(UserStore *store)
{
    store_ = store;
    chosenRestored_ = false;
    with_ = -1;
    chosen_ = -1;
    folded_ = FoldedEdition();
}

void TranslationLibrary::readEditions()
{
    if (editionsRead_)
        return;
    editionsRead_ = true;
    DataControl dc;
    dc.setConnectionString(connection_);
    // A database made before the translations offers none, and says nothing.
    dc.setRecordSource(QStringLiteral("SELECT count(*) FROM sqlite_master where name = 'TranslationEditions'"));
    if (!dc.refresh() || dc.field(0) != u"1")
        return;
    dc.setRecordSource(QStringLiteral("SELECT * FROM TranslationEditions order by ID"));
    if (!dc.refresh())
        return;
    for (; !dc.eof(); dc.moveNext())
        editions_.push_back({dc.field(u"edition"), dc.field(u"language"), dc.field(u"direction"), dc.field(u"languageName"),
                             dc.field(u"translator"), dc.field(u"source")});
}

const std::vector<TranslationEdition> &TranslationLibrary::editions()
{
    readEditions();
    return editions_;
}

const TranslationEdition *TranslationLibrary::chosen()
{
    if (!chosenRestored_) {
        chosenRestored_ = true;
        if (store_) {
            const QString key = QString::fromUtf8(store_->value(kStoreKey));
            const auto &all = editions();
            for (std::size_t i = 0; i < all.size(); ++i)
                if (all[i].key == key)
                    chosen_ = int(i);
        }
    }
    return chosen_ >= 0 ? &editions_[std::size_t(chosen_)] : nullptr;
}

void TranslationLibrary::choose(const QString &key)
{
    chosen();
    int found = -1;
    const auto &all = editions();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].key == key)
            found = int(i);
    if (store_)
        store_->setValue(kStoreKey, found >= 0 ? key.toUtf8() : QByteArray());
    if (found == chosen_)
        return;
    chosen_ = found;
    // The edition left goes from memory.
    folded_ = FoldedEdition();
    setMarkedTerms({});
    emit chosenChanged();
}

QString TranslationLibrary::text(int ayaId)
{
    // One row by its key: the edition's texts are never all held.
    if (!chosen() || ayaId < 1)
        return QString();
    one_.setConnectionString(connection_);
    one_.setRecordSource(QStringLiteral("SELECT text FROM Translations where edition = %1 and ID = %2").arg(chosen_ + 1).arg(ayaId));
    return one_.refresh() ? one_.field(0) : QString();
}

const FoldedEdition &TranslationLibrary::foldedTexts()
{
    if (chosen() && folded_.isEmpty()) {
        DataControl dc;
        dc.setConnectionString(connection_);
        dc.setRecordSource(QStringLiteral("SELECT folded FROM Translations where edition = %1 order by ID").arg(chosen_ + 1));
        if (dc.refresh()) {
            folded_.reserve(int(dc.rowCount()));
            for (; !dc.eof(); dc.moveNext())
                folded_.append(dc.field(0));
            folded_.squeeze();
        }
    }
    return folded_;
}

bool TranslationLibrary::withTranslation()
{
    if (with_ < 0)
        with_ = store_ && store_->value(QStringLiteral("translationExport")) == "1" ? 1 : 0;
    return with_ == 1;
}

void TranslationLibrary::setWithTranslation(bool on)
{
    if (on == withTranslation())
        return;
    with_ = on ? 1 : 0;
    if (store_)
        store_->setValue(QStringLiteral("translationExport"), on ? "1" : "0");
    emit withTranslationChanged(on);
}

bool TranslationLibrary::underEachAya() const { return store_ && store_->value(QStringLiteral("translationUnder")) == "1"; }

void TranslationLibrary::setUnderEachAya(bool on)
{
    if (store_)
        store_->setValue(QStringLiteral("translationUnder"), on ? "1" : "0");
}

QString TranslationLibrary::exportedAfter(int ayaId) { return withTranslation() ? text(ayaId) : QString(); }

QString TranslationLibrary::exportedCredit()
{
    const TranslationEdition *edition = withTranslation() ? chosen() : nullptr;
    return edition ? edition->credit() : QString();
}

void TranslationLibrary::setMarkedTerms(const QStringList &terms)
{
    if (terms == marked_)
        return;
    marked_ = terms;
    emit markedTermsChanged();
}

} // namespace zarfan
