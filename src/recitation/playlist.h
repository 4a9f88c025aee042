#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace zarfan {

class DataControl;
class ResultListing;

struct AyaRef {
    int id = 0; // the Ayat row, 1..6236
    int sura = 0;
    int aya = 0;
    bool operator==(const AyaRef &) const = default;
};

// What "تشغيل" plays, in the order of the combo box "المقطع".
enum class RangeKind { ToSuraEnd, Page, Juz, Listing, Chosen };
QStringList rangeCaptions();

// The ayas of a range. The current aya is where ToSuraEnd starts and whose
// page or juz is played; the listing and the chosen IDs keep their order.
// Ayas are looked up through the data control (the Ayat table).
// The ayas a statement on Ayat gives (ID, soraano, ayaano), in its order.
std::vector<AyaRef> ayasOf(DataControl &data, const QString &statement);

std::vector<AyaRef> expandRange(RangeKind kind, DataControl &data, int currentAyaId, const ResultListing &listing,
                                const QStringList &chosenIds);

// One file to play: an aya, or the basmala before it.
struct PlayStep {
    AyaRef aya;
    bool basmala = false;
};

// Each aya ayaRepeat times, then the whole range again rangeRepeat times.
// At the start of a sura other than 1 and 9 the basmala comes first when the
// source has one. Steps are worked out from their index: the memory is that of
// the range, whatever the repeats.
class PlaySequence {
public:
    PlaySequence() = default;
    PlaySequence(std::vector<AyaRef> range, int ayaRepeat, int rangeRepeat, bool hasBasmala);
    int size() const { return int(passLength_ * qint64(rangeRepeat_)); }
    bool empty() const { return passLength_ == 0; }
    PlayStep at(int index) const;
    // The first step of the aya's first play (its basmala when it has one), or -1.
    int indexOf(int ayaId) const;
    // Bytes held, for the tests: constant in the repeats.
    std::size_t footprint() const { return range_.capacity() * sizeof(AyaRef) + starts_.capacity() * sizeof(int); }

private:
    std::vector<AyaRef> range_;
    std::vector<int> starts_; // where each aya's steps begin within one pass
    int ayaRepeat_ = 1;
    int rangeRepeat_ = 1;
    bool hasBasmala_ = false;
    int passLength_ = 0;
};

PlaySequence playSequence(const std::vector<AyaRef> &range, int ayaRepeat, int rangeRepeat, bool hasBasmala);

// "البقرة : 255"
QString ayaCaption(const AyaRef &aya);

} // namespace zarfan
