#pragma once

#include "search/occurrences.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>

namespace zarfan {

class ReadingState;

// The current listing as reference plus aya text, the matched words marked:
// the rows of "النتائج مع النص". It follows the listing: a new listing
// refills it. The display role is HTML with the marks; the accessible text
// is the reference followed by the plain aya text.
class ResultsTextModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultsTextModel(ReadingState &state, QObject *parent = nullptr);

    // The HTML of a selected row: its marks in colours of their own, which
    // stand out from the selection's.
    static constexpr int SelectedHtmlRole = Qt::UserRole + 1;
    // Black on amber: 4.5:1 and more whatever the theme's selection colour.
    static QString selectedMarkBackground() { return QStringLiteral("#ffd54f"); }
    static QString selectedMarkForeground() { return QStringLiteral("#000000"); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The aya text of line k as shown (with or without diacritics, as the
    // reading state says), and the ranges of it that are marked.
    QString ayaText(int k) const;
    QList<TextRange> marks(int k) const;
    // Lines as plain text, as the main window copies an aya: "aya [reference]",
    // one to a line.
    QString plainText(const QList<int> &lines) const;
    // The colours of a marked word (the view's highlight).
    void setMarkColours(const QString &background, const QString &foreground);

public slots:
    // Refills from the listing (and after "بدون تشكيل" changes).
    void refill();

private:
    void loadTexts() const;
    QString html(int k, const QString &markStyle) const;

    ReadingState &state_;
    int rows_ = 0;
    QString markStyle_ = QStringLiteral("background-color:#308cc6;color:#ffffff;");
    // Every aya's texts by ID, read once: with diacritics and without.
    mutable QHash<int, std::pair<QString, QString>> texts_;
};

} // namespace zarfan
