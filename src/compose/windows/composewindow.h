#pragma once

#include "data/datacontrol.h"

#include "ui/activateddialog.h"
#include <memory>

class QTextDocument;

namespace Ui {
class Form5;
}

namespace zarfan {

class ReadingState;

// Form5: the composed text of the chosen ayas or of a whole sura, rebuilt from
// the database each time the window becomes active.
class ComposeWindow : public ActivatedDialog {
    Q_OBJECT
public:
    ComposeWindow(ReadingState &state, QWidget *parent);
    ~ComposeWindow() override;

    // The ayas of the third mode (a named list): record IDs and lines.
    void setAyas(const QStringList &ids, const QStringList &lines)
    {
        ids_ = ids;
        lines_ = lines;
    }

    // The text as shown, line breaks as CR LF.
    const QString &text() const { return shown_; }

public slots:
    void build();
    void copyText();
    void saveText();  // asks for a file
    void printText(); // print preview, then the printer or a PDF file

public:
    // Writes the text as it is shown, plain or as a page; a failure leaves an
    // earlier file as it was and says why.
    bool saveTo(const QString &path, bool asHtml, QString *error = nullptr) const;

protected:
    void activated() override { build(); }

private:
    void setShown(const QString &text);
    void setComposed(bool composed);

    std::unique_ptr<QTextDocument> printable() const;

    std::unique_ptr<Ui::Form5> ui;
    ReadingState &state_;
    DataControl Adodc1;
    QString shown_;
    QStringList ids_, lines_;
    quint64 builds_ = 0;
};

} // namespace zarfan
