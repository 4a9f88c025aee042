#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Form3;
}

namespace zarfan {

// Form3: acknowledgements and notes about the program and its data.
class NotesWindow : public QDialog {
    Q_OBJECT
public:
    explicit NotesWindow(QWidget *parent);
    ~NotesWindow() override;

    // The data's notices and the program's licence, as installed with it.
    static QString licenceText();

public slots:
    void showLicences();

private:
    std::unique_ptr<Ui::Form3> ui;
};

} // namespace zarfan
