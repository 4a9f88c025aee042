#pragma once

#include <QByteArray>
#include <QString>

namespace zarfan {

class NotesStore;

// The notes and lists as one file and back.
//
// The JSON file: {"format": "zarfan-notes", "version": 1,
//   "notes": [{"sura": 2, "from": 255, "to": 257, "text": "...", "tags": ["..."],
//              "created": "<ISO 8601>", "modified": "<ISO 8601>"}],
//   "lists": [{"name": "...", "ayas": [{"sura": 2, "aya": 255}]}],
//   "memorise": [{"page": 12, "state": 2, "interval": 4, "due": "2026-05-01", "changed": "2026-04-27"}]}
// ("memorise", the pages held and their reviews, is optional).
// Ayas go by their sura and aya numbers, so a file outlives the database.
class NotesTransfer {
public:
    static constexpr int kVersion = 1;
    // The largest file imported; a larger one is refused before it is read.
    static constexpr qint64 kMaxFileSize = qint64(64) << 20;

    static QByteArray toJson(const NotesStore &store);
    // For reading and printing.
    static QByteArray toMarkdown(const NotesStore &store);

    struct Report {
        enum class Refused { None, NotJson, UnknownFormat, UnknownVersion, WriteFailed };
        Refused whole = Refused::None; // the store was left untouched
        int added = 0, merged = 0, refused = 0;
        QString detail; // why a write failed
        QString message() const;
    };
    // Merges by reference (a note) or name (a list). A note whose text is
    // on those ayas already gains the tags it lacks; any other text is added
    // beside the reader's, which is never replaced. A list gains the ayas it
    // lacks. Nothing is ever deleted. One transaction: a failed write leaves
    // the store as it was.
    static Report importJson(NotesStore &store, const QByteArray &json);
};

} // namespace zarfan
