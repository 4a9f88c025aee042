#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Form2;
}

namespace zarfan {

// Form2: the program's name, version and addresses; leads to the notes.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent);
    ~AboutWindow() override;

public slots:
    void openNotes();

private:
    std::unique_ptr<Ui::Form2> ui;
};

} // namespace zarfan
