#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zarfan {

class Recitation;

// "مصادر التلاوة": the reciters, each a name and a folder or an address
// template; a source that cannot be used is refused with what is wrong.
class ReciterWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReciterWindow(Recitation &recitation, QWidget *parent = nullptr);

    QListWidget *list() const { return list_; }
    QLineEdit *nameEdit() const { return name_; }
    QLineEdit *sourceEdit() const { return source_; }
    // "إضافة من القائمة": the well-known reciters; those chosen are added and
    // the first of them becomes the reciter of the player.
    void chooseFromList();

private:
    void fill();
    void showSelected();
    bool accepted(int replacing);
    void chooseFolder();

    Recitation &recitation_;
    QListWidget *list_;
    QLineEdit *name_, *source_;
    QPushButton *add_, *save_, *remove_, *fromList_;
};

} // namespace zarfan
