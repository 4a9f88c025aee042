#pragma once

#include <QMenu>

namespace zarfan {

class UserStore;

// "اللغة / Language": each language named in its own tongue, the one in use
// checked. A choice is kept with the reader's settings and takes effect at
// the next start, which the reader is told.
class LanguageMenu : public QMenu {
    Q_OBJECT
public:
    LanguageMenu(UserStore *store, QWidget *parent);

private:
    UserStore *store_;
};

} // namespace zarfan
