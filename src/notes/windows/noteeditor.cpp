#include "noteeditor.h"

#include "ui/matchmarkspainter.h"

#include "ui/controls.h"
#include "ui/translation.h"
#include "ui/messages.h"
#include "search/occurrences.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zarfan {

NoteEditor::NoteEditor(NotesStore &store, Note note, QWidget *parent)
    : QDialog(parent), store_(store), note_(std::move(note))
{
    setObjectName(QStringLiteral("noteEditor"));
    setWindowTitle(tr("خاطرة"));
    setAttribute(Qt::WA_DeleteOnClose);
    reference_ = new QLabel(note_.range.text(), this);
    reference_->setObjectName(QStringLiteral("reference"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("noteText"));
    text_->setAccessibleName(tr("نص الخاطرة"));
    text_->setTabChangesFocus(true);
    alignRightToLeft(text_);
    text_->setPlainText(note_.text);
    tags_ = new QLineEdit(NotesStore::tagsText(note_.tags), this);
    tags_->setObjectName(QStringLiteral("tags"));
    tags_->setAccessibleName(tr("الوسوم"));
    usedTags_ = store_.tags();
    tagModel_ = new QStringListModel(this);
    completer_ = new QCompleter(tagModel_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(tags_);
    connect(tags_, &QLineEdit::textEdited, this, &NoteEditor::offerTags);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), this, [this](const QString &tag) {
        // The chosen tag takes the place of the word being typed.
        QString text = tags_->text();
        const qsizetype cut = std::max(text.lastIndexOf(u','), text.lastIndexOf(u'،')) + 1;
        text = text.left(cut) + (cut > 0 ? QStringLiteral(" ") : QString()) + tag;
        tags_->setText(text);
    });

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *save = buttons->addButton(tr("حفظ"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("save"));
    save->setAutoDefault(false);
    remove_ = buttons->addButton(tr("حذف"), QDialogButtonBox::DestructiveRole);
    remove_->setObjectName(QStringLiteral("remove"));
    remove_->setAutoDefault(false);
    remove_->setEnabled(note_.id != 0);
    QPushButton *close = buttons->addButton(tr("إغلاق"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &NoteEditor::save);
    connect(remove_, &QPushButton::clicked, this, &NoteEditor::removeNote);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    save->setToolTip(QStringLiteral("Ctrl+Enter"));
    // Ctrl+Enter saves from either box; the text box would take it as a new line.
    text_->installEventFilter(this);
    tags_->installEventFilter(this);

    auto *form = new QFormLayout;
    auto *tagsLabel = new QLabel(tr("الوسوم"), this);
    tagsLabel->setBuddy(tags_);
    form->addRow(tagsLabel, tags_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(reference_);
    layout->addWidget(text_, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(480, 360);
    text_->setFocus();
    shownText_ = typedText();
    shownTags_ = typedTags();
}

QStringList NoteEditor::typedTags() const { return NotesStore::tagsFromText(tags_->text()); }

QString NoteEditor::typedText() const
{
    // The raw text keeps the no-break spaces that toPlainText() turns into blanks.
    return text_->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// Compared with what the boxes gave back when filled, so that an untouched
// note never counts as changed.
bool NoteEditor::isModified() const { return typedText() != shownText_ || typedTags() != shownTags_; }

void NoteEditor::offerTags(const QString &typed)
{
    const QString word = typed.mid(std::max(typed.lastIndexOf(u','), typed.lastIndexOf(u'،')) + 1).trimmed();
    const QStringList have = typedTags();
    QStringList offered;
    if (!word.isEmpty()) {
        for (const QString &tag : usedTags_) {
            if (tag.startsWith(word) && tag != word && !have.contains(tag))
                offered.append(tag);
        }
    }
    tagModel_->setStringList(offered);
    if (offered.isEmpty())
        completer_->popup()->hide();
    else
        completer_->complete();
}

void NoteEditor::markWords(const QStringList &foldedWords)
{
    QList<TextRange> ranges;
    const QString shown = text_->toPlainText();
    for (const QString &word : foldedWords)
        ranges += highlightRanges(shown, SearchMatch{word, false, false, SearchTarget::Notes});
    paintMatchMarks(text_, ranges);
}

bool NoteEditor::save()
{
    Note changed = note_;
    changed.text = typedText();
    changed.tags = typedTags();
    if (changed.text.trimmed().isEmpty() && changed.tags.isEmpty()) {
        showMessage(this, tr("الخاطرة فارغة"));
        return false;
    }
    if (!store_.save(changed)) {
        // What was typed stays here to be saved again or copied elsewhere.
        showMessage(this, tr("تعذر حفظ الخاطرة، وهي باقية في النافذة:\n%1").arg(store_.lastError()));
        return false;
    }
    note_ = changed;
    shownText_ = changed.text;
    shownTags_ = changed.tags;
    remove_->setEnabled(true);
    emit notesChanged();
    close();
    return true;
}

void NoteEditor::removeNote()
{
    if (note_.id == 0)
        return;
    if (QMessageBox::question(this, programTitle(), tr("هل تريد حذف هذه الخاطرة؟")) != QMessageBox::Yes)
        return;
    if (!store_.remove(note_.id)) {
        showMessage(this, tr("تعذر حذف الخاطرة:\n%1").arg(store_.lastError()));
        return;
    }
    note_.id = 0;
    note_.text.clear();
    note_.tags.clear();
    closing_ = true;
    emit notesChanged();
    close();
}

bool NoteEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            save();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool NoteEditor::mayDropText()
{
    if (closing_ || !isModified())
        return true;
    if (QMessageBox::question(this, programTitle(), tr("لم تحفظ الخاطرة. هل تريد إغلاقها دون حفظ؟"))
        != QMessageBox::Yes)
        return false;
    closing_ = true;
    return true;
}

void NoteEditor::reject()
{
    // The dialog's own closing gives no close event, so it would not ask.
    if (mayDropText())
        QDialog::reject();
}

void NoteEditor::closeEvent(QCloseEvent *event)
{
    if (!mayDropText()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zarfan
