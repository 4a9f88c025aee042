#include "recitalwindow.h"

#include "browse/suratables.h"
#include "search/foldedtext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace zarfan {

QString recitalHtml(const RecitalCheck &check, const std::vector<RecitedAya> &ayas)
{
    QString html;
    int aya = -1;
    for (const CheckedWord &w : check.words) {
        if (w.aya != aya && w.aya < int(ayas.size())) {
            if (aya >= 0)
                html += QStringLiteral("</p>");
            aya = w.aya;
            html += QStringLiteral("<p><b>%1</b>&nbsp;&nbsp;").arg(ayas[std::size_t(aya)].line.toHtmlEscaped());
        }
        const QString expected = w.expected.toHtmlEscaped(), typed = w.typed.toHtmlEscaped();
        switch (w.mark) {
        case WordMark::Right:
            html += QStringLiteral("<span style=\"color:#1e7b34;\">%1</span> ").arg(expected);
            break;
        case WordMark::Wrong:
            html += QStringLiteral("<span style=\"color:#c0392b;\"><u>%1</u> (%2)</span> ").arg(expected, typed);
            break;
        case WordMark::Missing:
            html += QStringLiteral("<span style=\"color:#d35400;\">[%1]</span> ").arg(expected);
            break;
        case WordMark::Extra:
            html += QStringLiteral("<span style=\"color:#8e44ad;\"><s>%1</s></span> ").arg(typed);
            break;
        }
    }
    if (aya >= 0)
        html += QStringLiteral("</p>");
    return html;
}

RecitalWindow::RecitalWindow(const FoldedText &folded, const std::vector<QString> &texts, QWidget *parent)
    : QWidget(parent, Qt::Window), folded_(folded), texts_(texts), start_(new QLabel(this)), end_(new QComboBox(this)),
      endAya_(new QSpinBox(this)), typed_(new QPlainTextEdit(this)), check_(new QPushButton(tr("تحقق"), this)),
      hear_(new QPushButton(tr("سماع الصواب"), this)), score_(new QLabel(this)), marks_(new QLabel(this)),
      resultView_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("recital"));
    setWindowTitle(tr("التسميع"));
    setLayoutDirection(Qt::RightToLeft);
    resize(640, 560);
    start_->setObjectName(QStringLiteral("recitalstart"));
    end_->setObjectName(QStringLiteral("recitalend"));
    end_->addItems({tr("حتى الآية"), tr("نهاية الصفحة"), tr("نهاية السورة")});
    end_->setCurrentIndex(1);
    endAya_->setObjectName(QStringLiteral("recitalendaya"));
    endAya_->setAccessibleName(tr("رقم آية النهاية"));
    endAya_->setEnabled(false);
    typed_->setObjectName(QStringLiteral("recitaltext"));
    typed_->setAccessibleName(tr("ما تحفظ"));
    typed_->setLayoutDirection(Qt::RightToLeft);
    QTextOption option = typed_->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight);
    typed_->document()->setDefaultTextOption(option);
    typed_->installEventFilter(this);
    check_->setObjectName(QStringLiteral("recitalcheck"));
    check_->setToolTip(QStringLiteral("Ctrl+Enter"));
    hear_->setObjectName(QStringLiteral("recitalhear"));
    hear_->setEnabled(false);
    score_->setObjectName(QStringLiteral("recitalscore"));
    marks_->setObjectName(QStringLiteral("recitalmarks"));
    marks_->setWordWrap(true);
    marks_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    marks_->setFocusPolicy(Qt::StrongFocus);
    resultView_->setObjectName(QStringLiteral("recitalresult"));
    resultView_->setAccessibleName(tr("نتيجة التسميع"));

    auto *form = new QFormLayout;
    form->addRow(tr("البداية :"), start_);
    auto *endRow = new QHBoxLayout;
    endRow->addWidget(end_);
    endRow->addWidget(endAya_);
    auto *endLabel = new QLabel(tr("النهاية :"), this);
    endLabel->setBuddy(end_);
    form->addRow(endLabel, endRow);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(check_);
    buttons->addWidget(hear_);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(typed_, 1);
    layout->addLayout(buttons);
    layout->addWidget(score_);
    layout->addWidget(marks_);
    layout->addWidget(resultView_, 1);

    connect(end_, &QComboBox::currentIndexChanged, this, [this](int index) { endAya_->setEnabled(index == 0); });
    connect(check_, &QPushButton::clicked, this, &RecitalWindow::check);
    connect(hear_, &QPushButton::clicked, this, [this] {
        const QList<int> ids = result_.ayasToHear(ayas_);
        if (!ids.isEmpty())
            emit hearRequested(ids);
    });
}

void RecitalWindow::setStart(int ayaId)
{
    startRow_ = folded_.indexOfId(ayaId);
    if (startRow_ < 0)
        startRow_ = 0; // no current aya: the first
    const ResultRecord &r = folded_.record(startRow_);
    start_->setText(r.line);
    const int sura = SuraTables::numberFromText(r.sura);
    endAya_->setRange(r.aya.toInt(), std::max(r.aya.toInt(), SuraTables::ayaCount(sura)));
    endAya_->setValue(r.aya.toInt());
    typed_->setFocus();
}

void RecitalWindow::setHearingAvailable(bool available)
{
    hearing_ = available;
    hear_->setEnabled(hearing_ && !result_.ayasToHear(ayas_).isEmpty());
}

void RecitalWindow::check()
{
    if (startRow_ < 0)
        setStart(0);
    const RecitalEnd end = end_->currentIndex() == 0 ? RecitalEnd::Aya : end_->currentIndex() == 1 ? RecitalEnd::PageEnd : RecitalEnd::SuraEnd;
    ayas_.clear();
    for (int k : recitalRows(folded_, startRow_, end, endAya_->value()))
        ayas_.push_back({folded_.id(k), folded_.record(k).line, texts_.at(std::size_t(k))});
    result_ = checkRecital(ayas_, typed_->toPlainText());
    showResult();
}

void RecitalWindow::showResult()
{
    if (result_.tooLong) {
        score_->setText(result_.typedWords > RecitalCheck::mostTyped(result_.total)
                            ? tr("المكتوب %1 كلمة، والآيات المختارة %2 كلمة فقط: احذف الزائد أو اختر نهاية أبعد ثم تحقق.")
                                  .arg(result_.typedWords)
                                  .arg(result_.total)
                            : tr("النص أطول من أن يقابل مرة واحدة: اختر نهاية أقرب ثم تحقق."));
        marks_->clear();
        resultView_->clear();
        hear_->setEnabled(false);
        return;
    }
    score_->setText(result_.score());
    const QString spoken = result_.spoken(ayas_);
    // The label shows the first mistakes; the result below holds them all.
    constexpr qsizetype kLabelChars = 1500;
    marks_->setText(spoken.size() > kLabelChars ? spoken.left(kLabelChars) + QStringLiteral(" …") : spoken);
    resultView_->setHtml(recitalHtml(result_, ayas_));
    resultView_->setAccessibleDescription(spoken);
    hear_->setEnabled(hearing_ && !result_.ayasToHear(ayas_).isEmpty());
}

bool RecitalWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == typed_ && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            check();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zarfan
