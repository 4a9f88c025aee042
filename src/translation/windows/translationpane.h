#pragma once

#include <QFont>
#include <QWidget>
#include <memory>

class QActionGroup;
class QMenu;
class QPlainTextEdit;

namespace Ui {
class TranslationPane;
}

namespace zarfan {

class TranslationLibrary;
struct TranslationEdition;

// A face that has the letters of the language's script: Urdu in Nastaliq,
// Bengali and Chinese in their Noto faces, the others in the base font.
QFont translationFont(const QString &language, const QFont &base);

// The chosen translation of the aya on display, under it: in its own
// direction and font, its translator and source named beneath; and the
// "الترجمة" menu that chooses the edition.
class TranslationPane : public QWidget {
    Q_OBJECT
public:
    TranslationPane(TranslationLibrary &library, QWidget *parent = nullptr);
    ~TranslationPane() override;

    QMenu *menu() const { return menu_; }
    // Puts the pane under the box, in the box's place in its layout.
    void placeUnder(QWidget *box);
    void showAya(int ayaId);
    QPlainTextEdit *textBox() const;
    // A copied aya, with its translation and credit line after it when the
    // reader asked for them ("مع الترجمة").
    QString exported(const QString &aya, int ayaId) const;

private:
    void fill();
    void edition();
    void mark();

    TranslationLibrary &library_;
    std::unique_ptr<Ui::TranslationPane> ui;
    QMenu *menu_;
    QActionGroup *choices_;
    int ayaId_ = 0;
    bool filled_ = false;
};

} // namespace zarfan
