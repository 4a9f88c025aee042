#pragma once

#include <QObject>

namespace zarfan {

class ReadingState;

// "البحث في" the translation: lists the ayas whose text in the chosen
// edition the typed text finds, in the scope in force, and has their words
// marked in the translation shown until another listing replaces it.
class TranslationSearchCommand : public QObject {
    Q_OBJECT
public:
    TranslationSearchCommand(ReadingState &state, QWidget *window);
    bool search(const QString &typed);

private:
    ReadingState &state_;
    QWidget *window_;
    bool own_ = false; // the listing being filled is this search's
};

} // namespace zarfan
