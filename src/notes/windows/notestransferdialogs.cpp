#include "notestransferdialogs.h"

#include "data/wholefile.h"
#include "notes/notestransfer.h"
#include "ui/messages.h"
#include "ui/savefiledialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace zarfan {

NotesTransferDialogs::NotesTransferDialogs(NotesStore &store, QWidget *window)
    : QObject(window), store_(store), window_(window)
{
}

bool NotesTransferDialogs::exportTo(const QString &path, QString *error) const
{
    const bool json = !path.endsWith(u".md", Qt::CaseInsensitive);
    return writeWholeFile(path, json ? NotesTransfer::toJson(store_) : NotesTransfer::toMarkdown(store_), error);
}

void NotesTransferDialogs::exportNotes()
{
    const ChosenSaveFile chosen = askSaveFile(window_, tr("تصدير"),
                                              {{tr("ملف خواطر"), {QStringLiteral("json")}},
                                               {tr("نص Markdown"), {QStringLiteral("md")}}});
    if (chosen.path.isEmpty())
        return;
    QString error;
    if (!exportTo(chosen.path, &error))
        showMessage(window_, tr("تعذر حفظ الملف، ولم يتغير أي ملف سابق بالاسم نفسه:\n%1\n%2").arg(chosen.path, error));
}

void NotesTransferDialogs::importFrom(const QString &path)
{
    // A FIFO would block the window until something writes to it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        showMessage(window_, tr("لم يستورد شيء: هذا ليس ملفا عاديا (أنبوب أو جهاز أو مجلد):\n%1").arg(path));
        return;
    }
    if (info.size() > NotesTransfer::kMaxFileSize) {
        showMessage(window_, tr("لم يستورد شيء: الملف أكبر من %1 م.ب، وهو أكبر ملف خواطر يستورده البرنامج:\n%2")
                                 .arg(NotesTransfer::kMaxFileSize >> 20)
                                 .arg(path));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(window_, tr("تعذرت قراءة الملف:\n%1").arg(path));
        return;
    }
    const NotesTransfer::Report report = NotesTransfer::importJson(store_, file.read(NotesTransfer::kMaxFileSize));
    emit notesChanged();
    showMessage(window_, report.message());
}

void NotesTransferDialogs::importNotes()
{
    const QString path = QFileDialog::getOpenFileName(window_, tr("استيراد"), QString(),
                                                      tr("ملف خواطر \u200E(*.json)\u200E (*.json)"), nullptr,
                                                      QFileDialog::HideNameFilterDetails);
    if (!path.isEmpty())
        importFrom(path);
}

} // namespace zarfan
