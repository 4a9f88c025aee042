#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>
#include <vector>

namespace zarfan {

// The fields of a binary prepared index, little-endian whatever the machine:
// counts and numbers, texts as UTF-8 with their length, arrays with theirs.
class PreparedWriter {
public:
    void number(quint32 v)
    {
        const quint32 le = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&le), sizeof le);
    }
    void text(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        number(quint32(utf8.size()));
        bytes += utf8;
    }
    template <class T>
    void array(const std::vector<T> &v)
    {
        number(quint32(v.size()));
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(v.size() * sizeof(T)));
        if (!v.empty()) // no copy from an empty vector's null data
            qToLittleEndian<T>(v.data(), qsizetype(v.size()), bytes.data() + at);
    }

    QByteArray bytes;
};

// Reads what a PreparedWriter wrote, in the same order; a field that runs
// past the end fails the reader, and every later field reads empty.
class PreparedReader {
public:
    explicit PreparedReader(const QByteArray &bytes) : bytes_(bytes) {}

    quint32 number()
    {
        if (!take(sizeof(quint32)))
            return 0;
        return qFromLittleEndian<quint32>(bytes_.constData() + at_ - qsizetype(sizeof(quint32)));
    }
    QString text()
    {
        const qsizetype n = number();
        return take(n) ? QString::fromUtf8(bytes_.constData() + at_ - n, n) : QString();
    }
    template <class T>
    std::vector<T> array()
    {
        const qsizetype n = number();
        std::vector<T> out;
        if (n > (bytes_.size() - at_) / qsizetype(sizeof(T)) || !take(n * qsizetype(sizeof(T)))) {
            ok_ = false;
            return out;
        }
        out.resize(std::size_t(n));
        if (n > 0)
            qFromLittleEndian<T>(bytes_.constData() + at_ - n * qsizetype(sizeof(T)), n, out.data());
        return out;
    }
    // Every field read whole, and nothing left over.
    bool done() const { return ok_ && at_ == bytes_.size(); }
    bool ok() const { return ok_; }

private:
    bool take(qsizetype n)
    {
        if (!ok_ || n < 0 || n > bytes_.size() - at_)
            return ok_ = false;
        at_ += n;
        return true;
    }
    const QByteArray &bytes_;
    qsizetype at_ = 0;
    bool ok_ = true;
};

} // namespace zarfan
