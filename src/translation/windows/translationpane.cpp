#include "translationpane.h"
#include "ui_translationpane.h"

#include "translation/translationlibrary.h"
#include "translation/translationsearch.h"
#include "ui/matchmarkspainter.h"

#include <QActionGroup>
#include <QLayout>
#include <QMenu>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zarfan {

QFont translationFont(const QString &language, const QFont &base)
{
    QFont font = base;
    const QString script = language.section(u'-', 0, 0);
    if (script == u"ur") {
        font.setFamilies({QStringLiteral("Noto Nastaliq Urdu")});
        font.setPointSizeF(base.pointSizeF() * 1.1);
    } else if (script == u"bn") {
        font.setFamilies({QStringLiteral("Noto Sans Bengali"), QStringLiteral("Noto Serif Bengali")});
    } else if (script == u"zh") {
        font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC")});
    }
    return font;
}

TranslationPane::TranslationPane(TranslationLibrary &library, QWidget *parent)
    : QWidget(parent), library_(library), ui(std::make_unique<Ui::TranslationPane>()),
      menu_(new QMenu(tr("الترجمة"), parent)), choices_(new QActionGroup(this))
{
    ui->setupUi(this);
    hide();
    menu_->setObjectName(QStringLiteral("translation"));
    // The database is first read once the window is up, so that what it
    // has to say about the database is told to the reader.
    QTimer::singleShot(0, this, &TranslationPane::fill);
    connect(menu_, &QMenu::aboutToShow, this, &TranslationPane::fill);
}

void TranslationPane::fill()
{
    if (filled_)
        return;
    filled_ = true;
    const auto add = [this](const QString &title, const QString &key) {
        QAction *action = menu_->addAction(title);
        action->setObjectName(key.isEmpty() ? QStringLiteral("translationnone") : u"translation_"_s + key);
        action->setData(key);
        action->setCheckable(true);
        choices_->addAction(action);
        connect(action, &QAction::triggered, this, [this, key] { library_.choose(key); });
        return action;
    };
    add(tr("بدون ترجمة"), QString());
    menu_->addSeparator();
    for (const TranslationEdition &e : library_.editions())
        add(e.title(), e.key);
    menu_->addSeparator();
    QAction *with = menu_->addAction(tr("مع الترجمة"));
    with->setObjectName(QStringLiteral("translationexport"));
    with->setCheckable(true);
    with->setChecked(library_.withTranslation());
    connect(with, &QAction::toggled, &library_, &TranslationLibrary::setWithTranslation);
    connect(&library_, &TranslationLibrary::withTranslationChanged, with, &QAction::setChecked);
    connect(&library_, &TranslationLibrary::chosenChanged, this, &TranslationPane::edition);
    connect(&library_, &TranslationLibrary::markedTermsChanged, this, &TranslationPane::mark);
    edition();
}

TranslationPane::~TranslationPane() = default;

QPlainTextEdit *TranslationPane::textBox() const { return ui->translationtext; }

void TranslationPane::placeUnder(QWidget *box)
{
    QWidget *holder = new QWidget(box->parentWidget());
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    if (QLayout *layout = box->parentWidget()->layout())
        delete layout->replaceWidget(box, holder);
    column->addWidget(box, 3);
    column->addWidget(this, 2);
}

QString TranslationPane::exported(const QString &aya, int ayaId) const
{
    const QString after = library_.exportedAfter(ayaId);
    return after.isEmpty() ? aya : aya + u'\n' + after + u'\n' + library_.exportedCredit();
}

void TranslationPane::edition()
{
    const TranslationEdition *chosen = library_.chosen();
    for (QAction *action : choices_->actions())
        action->setChecked(action->data().toString() == (chosen ? chosen->key : QString()));
    setVisible(chosen != nullptr);
    if (!chosen)
        return;
    const Qt::LayoutDirection direction = chosen->rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    QPlainTextEdit *box = ui->translationtext;
    box->setLayoutDirection(direction);
    QTextOption option = box->document()->defaultTextOption();
    option.setTextDirection(direction);
    option.setAlignment((chosen->rightToLeft() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    box->document()->setDefaultTextOption(option);
    box->setFont(translationFont(chosen->language, parentWidget() ? parentWidget()->font() : font()));
    box->setAccessibleName(tr("الترجمة") + QStringLiteral(": ") + chosen->title());
    ui->translationcredit->setAccessibleName(chosen->credit());
    ui->translationcredit->setText(u"<a href=\""_s + chosen->source.toHtmlEscaped() + u"\">"_s
                                   + chosen->credit().toHtmlEscaped() + u"</a>"_s);
    showAya(ayaId_);
}

void TranslationPane::showAya(int ayaId)
{
    ayaId_ = ayaId;
    if (!filled_)
        return fill();
    if (!library_.chosen() || ayaId <= 0) {
        ui->translationtext->clear();
        return;
    }
    ui->translationtext->setPlainText(library_.text(ayaId));
    mark();
}

void TranslationPane::mark()
{
    paintMatchMarks(ui->translationtext, TranslationSearch::ranges(ui->translationtext->toPlainText(), library_.markedTerms()));
}

} // namespace zarfan
