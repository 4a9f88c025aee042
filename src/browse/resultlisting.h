#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

namespace zarfan {

// One result line and the record data the hidden lists keep beside it.
struct ResultRecord {
    QString id;    // ayaalist
    QString sura;  // soraanolist
    QString aya;   // ayaanolist
    QString juz;   // chapterNOlist
    QString page;  // pagenolist
    QString line;  // suraayaalist: name " : " aya
    int hits = 0;  // occurrences of the word search in this aya
};

// The main window's result listing. Producers clear it, append rows and
// finish it; rows appended since the last publish() stay invisible, so every
// line a user can select already carries its data.
class ResultListing : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListing(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void clear();
    void append(ResultRecord record);
    void publish();
    // Publishes the rest and announces the count (score) and line 0.
    void finish();

    int count() const { return visible_; }
    const ResultRecord &at(int k) const { return records_.at(std::size_t(k)); }
    bool isValidLine(int k) const { return k >= 0 && k < visible_; }
    // The first line showing the aya, or -1.
    int lineOfAya(const QString &id) const;
    // Changes whenever the listing is cleared: a fill that sees it change
    // knows a newer fill has replaced its lines.
    quint64 generation() const { return generation_; }
    // Tells a running fill that a newer one replaces it, without clearing.
    void abandon() { ++generation_; }

signals:
    void finished(int count);

private:
    std::vector<ResultRecord> records_;
    int visible_ = 0;
    quint64 generation_ = 0;
};

} // namespace zarfan
