#include "languagemenu.h"

#include "data/userstore.h"
#include "ui/messages.h"
#include "ui/translation.h"

#include <QActionGroup>

namespace zarfan {

LanguageMenu::LanguageMenu(UserStore *store, QWidget *parent) : QMenu(parent), store_(store)
{
    setObjectName(QStringLiteral("languagemenu"));
    // Named in both languages, so that a reader of either finds it.
    setTitle(QStringLiteral("اللغة / Language"));
    auto *group = new QActionGroup(this);
    for (const auto &[language, name] : {std::pair{Language::Arabic, QStringLiteral("العربية")},
                                         std::pair{Language::English, QStringLiteral("English")}}) {
        QAction *action = addAction(name);
        action->setObjectName(QStringLiteral("language_") + languageCode(language));
        action->setCheckable(true);
        action->setChecked(language == currentLanguage());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language = language] {
            if (store_)
                store_->setValue(QString::fromLatin1(kLanguageKey), languageCode(language).toLatin1());
            showMessage(parentWidget(), language == Language::English
                                            ? tr("ستظهر الواجهة بالإنجليزية عند التشغيل التالي للبرنامج")
                                            : tr("ستظهر الواجهة بالعربية عند التشغيل التالي للبرنامج"));
        });
    }
}

} // namespace zarfan
